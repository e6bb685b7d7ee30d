#include "text/escapes.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "text/charset.h"
#include "text/gbk_literal.h"

namespace quorvel {
namespace {

constexpr std::string_view kDigitAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// 2 to 9 as one numeral, 10 to 36 always with the tens digit: 一十, 一十六, 三十六.
Text chineseNumeral(int value) {
  const Text& digits = "零一二三四五六七八九"_gbk;
  auto digit = [&](int d) { return digits.substr(static_cast<std::size_t>(2 * d), 2); };
  if (value < 10) return digit(value);
  Text out = digit(value / 10) + "十"_gbk;
  if (value % 10 != 0) out += digit(value % 10);
  return out;
}

}  // namespace

Text percentDecode(std::string_view text) {
  Bytes decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
        hexValue(text[i + 2]) >= 0) {
      const char byte = static_cast<char>(16 * hexValue(text[i + 1]) + hexValue(text[i + 2]));
      if (byte != '\0') decoded.push_back(byte);  // "%00" adds nothing: a text holds no zero byte
      i += 3;
    } else {
      decoded.push_back(text[i]);
      ++i;
    }
  }
  return decodePageText(decoded);
}

Text unescapeUnicode(std::string_view text) {
  Text output(text);
  // Searched in the input, never in the output, so a replacement cannot form a new escape.
  for (long p = findText(text, "\\u", 1, CaseMode::IgnoreCase); p != -1;
       p = findText(text, "\\u", p + 1, CaseMode::IgnoreCase)) {
    const Text escape = midText(text, p, 6);
    const long long code = toInteger(convertRadix(rightText(escape, 4), 16, 10));
    output = replaceText(output, escape, codePointToGbk(code), CaseMode::IgnoreCase);
  }
  return output;
}

Text convertRadix(std::string_view digits, int from, int to) {
  if (from < 2 || from > 36 || to < 2 || to > 36) return "参数错误-进制只能在2-36之间"_gbk;
  const Text normalized = toUpper(toHalfWidth(digits));
  const std::string_view allowed = kDigitAlphabet.substr(0, static_cast<std::size_t>(from));
  std::vector<int> values;
  values.reserve(normalized.size());
  for (char c : normalized) {
    const std::size_t value = allowed.find(c);
    if (value == std::string_view::npos) {
      return "参数错误-"_gbk + normalized + "不是一个有效的"_gbk + chineseNumeral(from) +
             "进制数！"_gbk;
    }
    values.push_back(static_cast<int>(value));
  }
  if (from == to) return normalized;

  // The number in radix `to`, least significant digit first; exact at any length.
  std::vector<int> target;
  for (int value : values) {
    int carry = value;
    for (int& d : target) {
      const int product = d * from + carry;
      d = product % to;
      carry = product / to;
    }
    for (; carry > 0; carry /= to) target.push_back(carry % to);
  }
  if (target.empty()) return "0";
  Text out;
  out.reserve(target.size());
  for (auto it = target.rbegin(); it != target.rend(); ++it) out.push_back(kDigitAlphabet[static_cast<std::size_t>(*it)]);
  return out;
}

Text codePointToGbk(long long code) {
  const auto unit = static_cast<char16_t>(static_cast<unsigned long long>(code) & 0xFFFF);
  // A one-byte character loses no filler; a decoded space (either width) is trimmed away.
  return trimEnd(unitToGbk(unit));
}

}  // namespace quorvel
