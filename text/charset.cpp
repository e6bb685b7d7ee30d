#include "text/charset.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <memory>

namespace quorvel {
namespace {

// ICU's name for the Windows code page 936 table: 0x80 is the euro sign and a
// character the page lacks becomes "?".
constexpr const char* kGbkConverterName = "windows-936-2000";

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterHandle = std::unique_ptr<UConverter, ConverterCloser>;

thread_local bool substitutedOnThisThread = false;

// Every character the page lacks becomes "?", including the default-ignorable ones
// (a byte-order mark, say) that ICU's own substitution would drop silently.
void substituteQuestionMark(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                            UChar32, UConverterCallbackReason reason, UErrorCode* status) {
  if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
  substitutedOnThisThread = true;
  *status = U_ZERO_ERROR;
  ucnv_cbFromUWriteBytes(args, "?", 1, 0, status);
}

// A converter keeps state between calls, so every thread gets its own.
UConverter* gbkConverter() {
  thread_local ConverterHandle converter = [] {
    UErrorCode status = U_ZERO_ERROR;
    ConverterHandle opened{ucnv_open(kGbkConverterName, &status)};
    if (U_SUCCESS(status)) {
      ucnv_setFromUCallBack(opened.get(), substituteQuestionMark, nullptr, nullptr, nullptr,
                            &status);
    }
    if (U_FAILURE(status)) opened.reset();
    return opened;
  }();
  return converter.get();
}

const UNormalizer2* nfc() {
  static const UNormalizer2* instance = [] {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* normalizer = unorm2_getNFCInstance(&status);
    return U_SUCCESS(status) ? normalizer : nullptr;
  }();
  return instance;
}

// BMP code units that may join the character before them. Precomputed so the
// common case (CJK and ASCII pages) costs one bit test per unit.
const std::bitset<0x10000>& joinsBackward() {
  static const auto table = [] {
    auto bits = std::make_unique<std::bitset<0x10000>>();
    if (const UNormalizer2* normalizer = nfc()) {
      for (UChar32 c = 0x300; c < 0x10000; ++c) {
        if (U16_IS_SURROGATE(c)) continue;
        if (!unorm2_hasBoundaryBefore(normalizer, c)) bits->set(c);
      }
    }
    return bits;
  }();
  return *table;
}

bool mayJoinBackward(UChar32 c) {
  if (c < 0x300) return false;
  if (c < 0x10000) return joinsBackward().test(static_cast<std::size_t>(c));
  const UNormalizer2* normalizer = nfc();
  return normalizer != nullptr && !unorm2_hasBoundaryBefore(normalizer, c);
}

// A base character followed by a combining mark becomes its precomposed character
// where one exists; marks without one stay as they are.
void composeMarks(std::u16string& units) {
  const UNormalizer2* normalizer = nfc();
  if (normalizer == nullptr) return;
  const auto length = static_cast<int32_t>(units.size());
  const char16_t* in = units.data();
  int32_t read = 0;
  while (read < length) {  // nothing to do until the first unit that may join
    UChar32 c;
    int32_t at = read;
    U16_NEXT(in, read, length, c);
    if (at > 0 && mayJoinBackward(c)) {
      read = at;
      break;
    }
  }
  if (read >= length) return;

  std::u16string out(units.begin(), units.begin() + read);
  int32_t lastStart = -1;  // where the last code point written to `out` starts
  UChar32 last = -1;
  if (!out.empty()) {
    int32_t end = static_cast<int32_t>(out.size());
    U16_BACK_1(out.data(), 0, end);
    lastStart = end;
    int32_t probe = lastStart;
    U16_NEXT(out.data(), probe, static_cast<int32_t>(out.size()), last);
  }
  while (read < length) {
    UChar32 c;
    U16_NEXT(in, read, length, c);
    if (last >= 0 && mayJoinBackward(c)) {
      UChar32 composite = unorm2_composePair(normalizer, last, c);
      if (composite >= 0) {
        out.resize(static_cast<std::size_t>(lastStart));
        if (U_IS_BMP(composite)) {
          out.push_back(static_cast<char16_t>(composite));
        } else {
          out.push_back(static_cast<char16_t>(U16_LEAD(composite)));
          out.push_back(static_cast<char16_t>(U16_TRAIL(composite)));
        }
        last = composite;
        continue;
      }
    }
    lastStart = static_cast<int32_t>(out.size());
    last = c;
    if (U_IS_BMP(c)) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      out.push_back(static_cast<char16_t>(U16_LEAD(c)));
      out.push_back(static_cast<char16_t>(U16_TRAIL(c)));
    }
  }
  units = std::move(out);
}

// Never fails: an invalid sequence becomes U+FFFD and decoding goes on.
std::u16string decodeUtf8(std::string_view bytes) {
  std::u16string units(bytes.size(), u'\0');  // never more units than bytes
  if (bytes.empty()) return units;
  int32_t written = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(units.data(), static_cast<int32_t>(units.size()), &written, bytes.data(),
                       static_cast<int32_t>(bytes.size()), 0xFFFD, nullptr, &status);
  units.resize(U_SUCCESS(status) ? static_cast<std::size_t>(written) : 0);
  return units;
}

// The GBK text ends at the first zero byte, and only U+0000 gives one.
void cutAtNul(std::u16string& units) {
  units.resize(static_cast<std::size_t>(std::find(units.begin(), units.end(), u'\0') - units.begin()));
}

Text encodeGbk(std::u16string units) {
  cutAtNul(units);
  composeMarks(units);
  if (units.empty()) return {};
  UConverter* converter = gbkConverter();
  if (converter == nullptr) return {};
  Text out(static_cast<std::size_t>(
               UCNV_GET_MAX_BYTES_FOR_STRING(units.size(), ucnv_getMaxCharSize(converter))),
           '\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t written = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                    units.data(), static_cast<int32_t>(units.size()), &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<std::size_t>(written));
  out.resize(out.find('\0') == Text::npos ? out.size() : out.find('\0'));
  return out;
}

}  // namespace

Bytes utf8ToWide(std::string_view utf8Bytes) {
  std::u16string units = decodeUtf8(utf8Bytes);
  Bytes out(units.size() * 2, '\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    out[2 * i] = static_cast<char>(units[i] & 0xFF);
    out[2 * i + 1] = static_cast<char>(units[i] >> 8);
  }
  return out;
}

Text wideToGbk(std::string_view utf16leBytes) {
  std::u16string units(utf16leBytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(utf16leBytes[2 * i]) |
                                     static_cast<unsigned char>(utf16leBytes[2 * i + 1]) << 8);
  }
  return encodeGbk(std::move(units));
}

// Same result as wideToGbk(utf8ToWide(bytes)), without the byte-string detour.
Text decodePageText(std::string_view utf8Bytes) { return encodeGbk(decodeUtf8(utf8Bytes)); }

Text unitToGbk(char16_t unit) {
  if (unit == 0) return {};
  substitutedOnThisThread = false;
  Text out = encodeGbk(std::u16string(1, unit));
  return substitutedOnThisThread ? Text{} : out;
}

std::string gbkToUtf8(std::string_view gbkText) {
  if (gbkText.empty()) return {};
  UConverter* converter = gbkConverter();
  if (converter == nullptr) return {};
  std::u16string units(gbkText.size(), u'\0');  // GBK never yields more units than bytes
  UErrorCode status = U_ZERO_ERROR;
  int32_t count = ucnv_toUChars(converter, units.data(), static_cast<int32_t>(units.size()),
                                gbkText.data(), static_cast<int32_t>(gbkText.size()), &status);
  if (U_FAILURE(status)) return {};
  std::string out(static_cast<std::size_t>(count) * 3, '\0');
  int32_t written = 0;
  status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &written, units.data(), count,
                     0xFFFD, nullptr, &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<std::size_t>(written));
  return out;
}

}  // namespace quorvel
