#include "text/text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvel {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool isHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }
bool isAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
bool isAsciiLetter(char c) { return isAsciiUpper(c) || isAsciiLower(c); }
char foldAscii(char c) { return isAsciiUpper(c) ? static_cast<char>(c | 0x20) : c; }

// Length of the character starting at `i`; a lone lead byte at the end is one byte.
std::size_t charLength(std::string_view t, std::size_t i) {
  return isHigh(t[i]) && i + 1 < t.size() ? 2 : 1;
}

// Tells whether positions of one text start a character, for positions asked in
// non-decreasing order. A byte below 0x80 is always followed by a character start, so
// only the run of high bytes just before a position matters, and that run is never
// walked past the last position already settled: a forward scan costs linear time.
class CharacterStarts {
 public:
  explicit CharacterStarts(std::string_view text) : text_(text) {}

  bool startsCharacter(std::size_t pos) {
    std::size_t run = pos;
    while (run > settled_ && isHigh(text_[run - 1])) --run;
    const bool starts = (pos - run) % 2 == 0;
    settled_ = starts ? pos : pos - 1;  // a second byte follows its character's start
    return starts;
  }

 private:
  std::string_view text_;
  std::size_t settled_ = 0;  // a known character start, never after a position asked
};

bool equalFolded(const char* text, const char* pattern, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (foldAscii(text[i]) != pattern[i]) return false;
  }
  return true;
}

std::size_t memmemIndex(std::string_view text, std::string_view sub, std::size_t from) {
  if (sub.size() > text.size() || from > text.size() - sub.size()) return npos;
  const void* hit = ::memmem(text.data() + from, text.size() - from, sub.data(), sub.size());
  return hit == nullptr ? npos : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

// Finds one sub-text again and again in one text, left to right, only at character starts.
//
// Candidates come from testing the sub-text's first and last byte at 16 positions at a
// time, then comparing the bytes between. When ignoring case, the pattern holds the
// sub-text with its ASCII letters in lower case, and OR-ing 0x20 into a text byte
// lower-cases exactly the upper-case letters when the wanted byte is a lower-case letter;
// for any other wanted byte the comparison stays exact. Texts that make the candidates
// fail again and again (runs like "aaaa…" against "aaab") would make that quadratic, so
// past a budget of wasted comparisons the search goes on with glibc's linear memmem,
// over a folded copy of the text when ignoring case.
class Searcher {
 public:
  Searcher(std::string_view text, std::string_view sub, CaseMode mode)
      : text_(text), pattern_(sub), starts_(text) {
    if (mode == CaseMode::IgnoreCase) {
      for (char& c : pattern_) {
        if (isAsciiLetter(c)) {
          c = foldAscii(c);
          folded_ = true;
        }
      }
    }
  }

  // Index of the first match at or after `from`, or npos. `from` must not decrease
  // between calls; the sub-text must not be empty.
  std::size_t next(std::size_t from) {
    while (true) {
      const std::size_t candidate = linear_ ? findLinear(from) : findAnchored(from);
      if (candidate == npos) return npos;
      if (starts_.startsCharacter(candidate)) return candidate;
      from = candidate + 1;
    }
  }

 private:
  bool matchesAt(std::size_t k) const {
    const std::size_t m = pattern_.size();
    if (m <= 2) return true;  // first and last byte already tested
    const char* t = text_.data() + k + 1;
    const char* p = pattern_.data() + 1;
    return folded_ ? equalFolded(t, p, m - 2) : std::memcmp(t, p, m - 2) == 0;
  }

  // Counts a failed candidate; true once the budget, linear in the text, is spent.
  bool wasteSpent(std::size_t at) {
    wasted_ += pattern_.size();
    return wasted_ > 4 * at + 65536;
  }

  std::size_t findAnchored(std::size_t from) {
    const std::size_t m = pattern_.size();
    const std::size_t n = text_.size();
    if (m > n || from > n - m) return npos;
    const char* h = text_.data();
    const char first = pattern_.front();
    const char last = pattern_.back();
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i firstMask = _mm_set1_epi8(folded_ && isAsciiLower(first) ? 0x20 : 0);
    const __m128i lastMask = _mm_set1_epi8(folded_ && isAsciiLower(last) ? 0x20 : 0);
    const __m128i firstWanted = _mm_set1_epi8(first);
    const __m128i lastWanted = _mm_set1_epi8(last);
    while (i + m - 1 + 16 <= n) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + m - 1));
      const __m128i hit = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, firstMask), firstWanted),
                                        _mm_cmpeq_epi8(_mm_or_si128(b, lastMask), lastWanted));
      unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(hit));
      while (bits != 0) {
        const std::size_t k = i + static_cast<std::size_t>(__builtin_ctz(bits));
        if (matchesAt(k)) return k;
        if (wasteSpent(k)) {
          linear_ = true;
          return findLinear(k + 1);
        }
        bits &= bits - 1;
      }
      i += 16;
    }
#endif
    for (; i + m <= n; ++i) {  // the last few positions, or every one without SSE2
      const bool edges = folded_ ? foldAscii(h[i]) == first && foldAscii(h[i + m - 1]) == last
                                 : h[i] == first && h[i + m - 1] == last;
      if (!edges) continue;
      if (matchesAt(i)) return i;
      if (wasteSpent(i)) {
        linear_ = true;
        return findLinear(i + 1);
      }
    }
    return npos;
  }

  std::size_t findLinear(std::size_t from) {
    if (!folded_) return memmemIndex(text_, pattern_, from);
    if (foldedText_.empty()) {
      foldedText_.resize(text_.size());
      for (std::size_t i = 0; i < text_.size(); ++i) foldedText_[i] = foldAscii(text_[i]);
    }
    return memmemIndex(foldedText_, pattern_, from);
  }

  std::string_view text_;
  std::string pattern_;
  bool folded_ = false;  // ignoring case, and the sub-text has a letter
  bool linear_ = false;
  std::size_t wasted_ = 0;
  std::string foldedText_;
  CharacterStarts starts_;
};

bool isSpaceAt(std::string_view t, std::size_t i, std::size_t length) {
  return length == 1 ? t[i] == ' '
                     : static_cast<unsigned char>(t[i]) == 0xA1 &&
                           static_cast<unsigned char>(t[i + 1]) == 0xA1;
}

// Leading blanks a number may follow.
std::size_t skipBlanks(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\r' || t[i] == '\n' ||
                          t[i] == '\v' || t[i] == '\f')) {
    ++i;
  }
  return i;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

long textLength(std::string_view text) { return static_cast<long>(text.size()); }

long findText(std::string_view text, std::string_view sub, long start, CaseMode mode) {
  if (start < 1) start = 1;
  const std::size_t n = text.size();
  if (static_cast<unsigned long>(start) > n) return -1;
  if (sub.empty()) return start;
  Searcher searcher(text, sub, mode);
  const std::size_t hit = searcher.next(static_cast<std::size_t>(start - 1));
  return hit == npos ? -1 : static_cast<long>(hit) + 1;
}

Text midText(std::string_view text, long start, long count) {
  if (start < 1 || count <= 0 || static_cast<unsigned long>(start) > text.size()) return {};
  return Text(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

Text leftText(std::string_view text, long count) {
  if (count <= 0) return {};
  return Text(text.substr(0, static_cast<std::size_t>(count)));
}

Text rightText(std::string_view text, long count) {
  if (count <= 0) return {};
  const std::size_t keep = std::min(text.size(), static_cast<std::size_t>(count));
  return Text(text.substr(text.size() - keep));
}

Text replaceText(std::string_view text, std::string_view sub, std::string_view replacement,
                 CaseMode mode) {
  if (text.empty() || sub.empty()) return Text(text);
  Searcher searcher(text, sub, mode);
  Text out;
  std::size_t copied = 0;
  for (std::size_t hit = searcher.next(0); hit != npos; hit = searcher.next(copied)) {
    if (out.empty()) out.reserve(text.size());
    out.append(text, copied, hit - copied);
    out.append(replacement);
    copied = hit + sub.size();
  }
  out.append(text, copied);
  return out;
}

TextList splitText(std::string_view text, std::string_view separator) {
  TextList items;
  if (text.empty()) return items;
  if (separator.empty()) {
    items.emplace_back(text);
    return items;
  }
  Searcher searcher(text, separator, CaseMode::Exact);
  std::size_t pieceStart = 0;
  for (std::size_t hit = searcher.next(0); hit != npos; hit = searcher.next(pieceStart)) {
    items.emplace_back(text.substr(pieceStart, hit - pieceStart));
    pieceStart = hit + separator.size();
  }
  if (pieceStart < text.size()) items.emplace_back(text.substr(pieceStart));
  return items;
}

Text trimBoth(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = charLength(text, i);
    if (!isSpaceAt(text, i, length)) break;
    i += length;
  }
  return trimEnd(text.substr(i));
}

Text trimEnd(std::string_view text) {
  // Walks forward: only from the front is it known where each character starts.
  std::size_t keep = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = charLength(text, i);
    i += length;
    if (!isSpaceAt(text, i - length, length)) keep = i;
  }
  return Text(text.substr(0, keep));
}

Text removeSpaces(std::string_view text) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = charLength(text, i);
    if (!isSpaceAt(text, i, length)) out.append(text, i, length);
    i += length;
  }
  return out;
}

Text toUpper(std::string_view text) {
  Text out(text);
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t length = charLength(out, i);
    if (length == 1 && isAsciiLower(out[i])) out[i] = static_cast<char>(out[i] - 0x20);
    i += length;
  }
  return out;
}

Text toHalfWidth(std::string_view text) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = charLength(text, i);
    if (length == 2) {
      const auto lead = static_cast<unsigned char>(text[i]);
      const auto trail = static_cast<unsigned char>(text[i + 1]);
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        out.push_back(static_cast<char>(trail - 0x80));
      } else if (lead == 0xA1 && trail == 0xA1) {
        out.push_back(' ');
      } else if (lead == 0xA1 && trail == 0xAB) {
        out.push_back('~');
      } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
        out.push_back('*');
      } else {
        out.append(text, i, 2);
      }
    } else {
      out.push_back(text[i]);
    }
    i += length;
  }
  return out;
}

long long toInteger(std::string_view text) {
  const Text half = toHalfWidth(text);
  std::size_t i = skipBlanks(half);
  bool negative = false;
  if (i < half.size() && (half[i] == '+' || half[i] == '-')) negative = half[i++] == '-';
  // Accumulated as a negative value so that the smallest integer fits; saturates.
  constexpr long long lowest = std::numeric_limits<long long>::min();
  long long value = 0;
  bool saturated = false;
  for (; i < half.size() && isDigit(half[i]); ++i) {
    const int digit = half[i] - '0';
    if (value < (lowest + digit) / 10) {
      saturated = true;
      value = lowest;
    } else if (!saturated) {
      value = value * 10 - digit;
    }
  }
  if (negative) return value;
  return value == lowest ? std::numeric_limits<long long>::max() : -value;
}

double toNumber(std::string_view text) {
  const Text half = toHalfWidth(text);
  std::size_t i = skipBlanks(half);
  bool negative = false;
  if (i < half.size() && (half[i] == '+' || half[i] == '-')) negative = half[i++] == '-';
  const std::size_t begin = i;
  std::size_t digits = 0;
  bool wholePartNonZero = false;
  for (; i < half.size() && isDigit(half[i]); ++i) {
    ++digits;
    if (half[i] != '0') wholePartNonZero = true;
  }
  if (i < half.size() && half[i] == '.') {
    for (++i; i < half.size() && isDigit(half[i]); ++i) ++digits;
  }
  if (digits == 0) return 0.0;
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(half.data() + begin, half.data() + i, value, std::chars_format::fixed);
  (void)end;
  // Out of range is either too large (a whole part of over 300 digits) or too small.
  if (error == std::errc::result_out_of_range) value = wholePartNonZero ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

Text integerToText(long long value) { return std::to_string(value); }

int charCode(std::string_view text, long position) {
  if (position < 1 || static_cast<unsigned long>(position) > text.size()) return 0;
  return static_cast<signed char>(text[static_cast<std::size_t>(position - 1)]);
}

Text charFromCode(int code) {
  const char byte = static_cast<char>(static_cast<unsigned char>(code & 0xFF));
  return byte == 0 ? Text() : Text(1, byte);
}

Text spaceText(long count) { return count < 1 ? Text() : Text(static_cast<std::size_t>(count), ' '); }

Bytes toBytes(std::string_view text) { return Bytes(text); }

Bytes toBytes(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  Bytes out(4, '\0');
  for (int i = 0; i < 4; ++i) out[static_cast<std::size_t>(i)] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  return out;
}

Text bytesToText(std::string_view bytes) { return Text(bytes.substr(0, bytes.find('\0'))); }

long bytesLength(std::string_view bytes) { return static_cast<long>(bytes.size()); }

Bytes leftBytes(std::string_view bytes, long count) {
  if (count <= 0) return {};
  return Bytes(bytes.substr(0, static_cast<std::size_t>(count)));
}

Bytes blankBytes(long count) { return count <= 0 ? Bytes() : Bytes(static_cast<std::size_t>(count), '\0'); }

}  // namespace quorvel
