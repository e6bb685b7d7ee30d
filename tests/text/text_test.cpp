#include "text/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>

namespace quorvel {
namespace {

// GBK bytes written out: B0 A1 is a Chinese character, A1 A1 the full-width space,
// A3 B1 the full-width digit one. Trail bytes 5C ("\"), 7C ("|") and 41 ("A") are the
// ones that look like ASCII.
const Text kChar = "\xB0\xA1";
const Text kWideSpace = "\xA1\xA1";

struct FindCase {
  Text text;
  Text sub;
  long start;
  CaseMode mode;
  long expected;
};

TEST(FindText, EdgesAndCharacterStarts) {
  const FindCase cases[] = {
      {"abc", "", 1, CaseMode::Exact, 1},
      {"abc", "", 3, CaseMode::Exact, 3},
      {"abc", "", 4, CaseMode::Exact, -1},
      {"", "", 1, CaseMode::Exact, -1},
      {"", "a", 1, CaseMode::Exact, -1},
      {"abc", "c", 4, CaseMode::Exact, -1},
      {"abc", "c", 3, CaseMode::Exact, 3},
      {"abc", "a", 0, CaseMode::Exact, 1},
      {"abc", "a", -5, CaseMode::Exact, 1},
      {"abc", "a", LONG_MIN, CaseMode::Exact, 1},
      {"abc", "a", LONG_MAX, CaseMode::Exact, -1},
      {"abcabc", "bc", 3, CaseMode::Exact, 5},
      {"abc", "abcd", 1, CaseMode::Exact, -1},
      {"aBc", "bC", 1, CaseMode::Exact, -1},
      {"aBc", "bC", 1, CaseMode::IgnoreCase, 2},
      // Only ASCII letters fold: full-width A3 C1 is not A3 E1.
      {"\xA3\xC1", "\xA3\xE1", 1, CaseMode::IgnoreCase, -1},
      {"[", "{", 1, CaseMode::IgnoreCase, -1},
      {"@", "`", 1, CaseMode::IgnoreCase, -1},
      // A sub-text equal to a second byte is not found there.
      {"\xB0\\x\\", "\\", 1, CaseMode::Exact, 4},
      {"\xB0|", "|", 1, CaseMode::Exact, -1},
      {"\xB0" "a", "A", 1, CaseMode::IgnoreCase, -1},
      {"\xB0\xB0\xB0\xB0", "\xB0\xB0", 2, CaseMode::Exact, 3},
      {"\xB0\xB0\xB0", "\xB0", 2, CaseMode::Exact, 3},  // lone lead byte at the end
      {"x\xB0", "\xB0", 1, CaseMode::Exact, 2},
      // A start on a second byte still finds only character starts.
      {"\xB0" "AA", "A", 2, CaseMode::Exact, 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(findText(c.text, c.sub, c.start, c.mode), c.expected)
        << "text=" << c.text << " sub=" << c.sub << " start=" << c.start;
  }
}

TEST(FindText, LongTextFindsPastManyFalseCandidates) {
  // Every "|" before the last one is the second byte of a character.
  Text text;
  for (int i = 0; i < 1000; ++i) text += "\xB0|";
  text += "xA|";
  const long expected = static_cast<long>(text.size());
  EXPECT_EQ(findText(text, "|"), expected);
  EXPECT_EQ(findText(text, "a|", CaseMode::IgnoreCase), expected - 1);
  EXPECT_EQ(findText(text, "a|"), -1);
}

struct CutCase {
  Text text;
  long start;
  long count;
  Text mid;
};

TEST(MidText, CutsAtTheEdges) {
  const CutCase cases[] = {
      {"abc", 3, 5, "c"},     {"abc", 0, 2, ""},         {"abc", 4, 1, ""},
      {"abc", 1, 0, ""},      {"abc", 2, -1, ""},        {"abc", 2, LONG_MAX, "bc"},
      {"abc", LONG_MIN, 2, ""}, {"abc", LONG_MAX, 2, ""}, {"", 1, 1, ""},
      {"abc", 1, 3, "abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(midText(c.text, c.start, c.count), c.mid) << c.start << "," << c.count;
  }
}

TEST(LeftRightText, CountsAtTheEdges) {
  const struct {
    long count;
    Text left;
    Text right;
  } cases[] = {{0, "", ""}, {-1, "", ""}, {LONG_MIN, "", ""}, {2, "ab", "bc"},
               {3, "abc", "abc"}, {9, "abc", "abc"}, {LONG_MAX, "abc", "abc"}};
  for (const auto& c : cases) {
    EXPECT_EQ(leftText("abc", c.count), c.left) << c.count;
    EXPECT_EQ(rightText("abc", c.count), c.right) << c.count;
  }
}

TEST(ReplaceText, ScansOnceFromTheLeft) {
  const struct {
    Text text, sub, replacement;
    CaseMode mode;
    Text expected;
  } cases[] = {
      {"aaa", "aa", "b", CaseMode::Exact, "ba"},
      {"abab", "ab", "abab", CaseMode::Exact, "abababab"},  // not rescanned
      {"aXbxc", "x", "-", CaseMode::Exact, "aXb-c"},
      {"aXbxc", "x", "-", CaseMode::IgnoreCase, "a-b-c"},
      {"", "a", "b", CaseMode::Exact, ""},
      {"abc", "", "x", CaseMode::Exact, "abc"},
      {"abc", "b", "", CaseMode::Exact, "ac"},
      {"abc", "abcd", "x", CaseMode::Exact, "abc"},
      {"\xB0\\a\\", "\\", "/", CaseMode::Exact, "\xB0\\a/"},
      {"\xB0" "Aa", "a", "z", CaseMode::IgnoreCase, "\xB0" "Az"},
      {kChar + kChar, kChar, "x", CaseMode::Exact, "xx"},
      {"\xB0\xB0\xB0\xB0", "\xB0\xB0", "x", CaseMode::Exact, "xx"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(replaceText(c.text, c.sub, c.replacement, c.mode), c.expected)
        << c.text << " / " << c.sub;
  }
}

TEST(SplitText, PiecesBetweenSeparators) {
  const struct {
    Text text, separator;
    TextList expected;
  } cases[] = {
      {"a$$b$", "$", {"a", "", "b"}},
      {"$a", "$", {"", "a"}},
      {"$", "$", {""}},
      {"", "$", {}},
      {"", "", {}},
      {"abc", "", {"abc"}},
      {"abc", "$", {"abc"}},
      {"a$$$b$$$", "$$$", {"a", "b"}},
      {"a$$b", "$$$", {"a$$b"}},
      {"a++b", "++", {"a", "b"}},
      {"aXb", "x", {"aXb"}},  // exact case
      {"\xB0|a|b", "|", {"\xB0|a", "b"}},
      // B0 B0 then a lone B0: matches at the character starts 1 and 3, not at 2.
      {"\xB0\xB0\xB0", "\xB0", {"", "\xB0"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(splitText(c.text, c.separator), c.expected) << c.text << " / " << c.separator;
  }
}

TEST(Trim, OnlyAsciiAndFullWidthSpaces) {
  const struct {
    Text text, both, end, none;
  } cases[] = {
      {" \r\nab\r\n ", "\r\nab\r\n", " \r\nab\r\n", "\r\nab\r\n"},
      {kWideSpace + "a b" + kWideSpace, "a b", kWideSpace + "a b", "ab"},
      {"\ta\t", "\ta\t", "\ta\t", "\ta\t"},
      {"   ", "", "", ""},
      {"", "", "", ""},
      // B0 A1 A1: a character then a lone lead byte, no full-width space.
      {"\xB0\xA1\xA1", "\xB0\xA1\xA1", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
      // A1 A1 A1 A1 A1: two full-width spaces and a lone lead byte.
      {"\xA1\xA1\xA1\xA1\xA1", "\xA1", "\xA1\xA1\xA1\xA1\xA1", "\xA1"},
      // A1 20 is a character whose second byte is a space byte.
      {"a\xA1 ", "a\xA1 ", "a\xA1 ", "a\xA1 "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(trimBoth(c.text), c.both) << c.text;
    EXPECT_EQ(trimEnd(c.text), c.end) << c.text;
    EXPECT_EQ(removeSpaces(c.text), c.none) << c.text;
  }
}

TEST(ToUpper, AsciiOnlyAndNeverSecondBytes) {
  EXPECT_EQ(toUpper("abz{`AZ"), "ABZ{`AZ");
  EXPECT_EQ(toUpper("\xB0" "ab"), "\xB0" "aB");
  EXPECT_EQ(toUpper("\xA3\xE1"), "\xA3\xE1");
  EXPECT_EQ(toUpper(""), "");
}

TEST(ToHalfWidth, FullWidthFormsToOneByte) {
  const struct {
    Text text, expected;
  } cases[] = {
      {"\xA3\xA1\xA3\xFE", "!~"},
      {"\xA3\xB1\xA3\xB2", "12"},
      {"\xA3\xC1\xA3\xE1", "Aa"},
      {"\xA1\xA1", " "},
      {"\xA1\xAB", "~"},
      {"\xA1\xEE\xA1\xEF", "**"},
      {"\xA3\xA0\xA3\xFF", "\xA3\xA0\xA3\xFF"},
      {kChar + "x", kChar + "x"},
      {"\xB0\xA3\xB1", "\xB0\xA3\xB1"},  // A3 B1 here straddles two characters
      {"\xA3", "\xA3"},
  };
  for (const auto& c : cases) EXPECT_EQ(toHalfWidth(c.text), c.expected) << c.text;
}

TEST(ToInteger, LeadingIntegerOrZero) {
  const struct {
    Text text;
    long long expected;
  } cases[] = {
      {"123abc", 123},
      {"  -42", -42},
      {"+7", 7},
      {"\xA3\xB1\xA3\xB2", 12},
      {"\xA1\xA1\xA3\xAD\xA3\xB5", -5},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"- 1", 0},
      {"3.9", 3},
      {"9223372036854775807", LLONG_MAX},
      {"-9223372036854775808", LLONG_MIN},
      {"99999999999999999999999", LLONG_MAX},
      {"-99999999999999999999999", LLONG_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(toInteger(c.text), c.expected) << c.text;
}

TEST(ToNumber, LeadingDecimalOrZero) {
  const struct {
    Text text;
    double expected;
  } cases[] = {
      {"3.25x", 3.25}, {" -0.5", -0.5}, {".5", 0.5},  {"7.", 7.0},  {"1e3", 1.0},
      {"abc", 0.0},    {"", 0.0},       {".", 0.0},   {"-.", 0.0},  {"\xA3\xB8\xA3\xAE\xA3\xB5", 8.5},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(toNumber(c.text), c.expected) << c.text;
  EXPECT_TRUE(std::isinf(toNumber(Text(400, '9'))));
  EXPECT_TRUE(std::isinf(toNumber("-" + Text(400, '9'))));
  EXPECT_LT(toNumber("0." + Text(400, '0') + "1"), 1e-300);
  EXPECT_GE(toNumber("0." + Text(400, '0') + "1"), 0.0);
}

TEST(SmallConversions, EdgeValues) {
  EXPECT_EQ(integerToText(0), "0");
  EXPECT_EQ(integerToText(-15), "-15");
  EXPECT_EQ(integerToText(LLONG_MIN), "-9223372036854775808");

  EXPECT_EQ(charCode("a"), 97);
  EXPECT_EQ(charCode("\xB0"), -80);
  EXPECT_EQ(charCode("ab", 2), 98);
  EXPECT_EQ(charCode("ab", 3), 0);
  EXPECT_EQ(charCode("ab", 0), 0);
  EXPECT_EQ(charCode("", 1), 0);

  EXPECT_EQ(charFromCode(65), "A");
  EXPECT_EQ(charFromCode(-80), "\xB0");
  EXPECT_EQ(charFromCode(0xB0), "\xB0");
  EXPECT_EQ(charFromCode(0), "");

  EXPECT_EQ(spaceText(3), "   ");
  EXPECT_EQ(spaceText(0), "");
  EXPECT_EQ(spaceText(LONG_MIN), "");
}

TEST(ByteStrings, EdgeValues) {
  using namespace std::string_literals;
  EXPECT_EQ(toBytes("ab"), "ab");
  EXPECT_EQ(toBytes(std::int32_t{0x01020304}), "\x04\x03\x02\x01"s);
  EXPECT_EQ(toBytes(std::int32_t{-1}), "\xFF\xFF\xFF\xFF"s);
  EXPECT_EQ(toBytes(std::int32_t{0}), Bytes(4, '\0'));

  EXPECT_EQ(bytesToText("ab\0cd"s), "ab");
  EXPECT_EQ(bytesToText("\0ab"s), "");
  EXPECT_EQ(bytesToText("abc"), "abc");

  EXPECT_EQ(bytesLength("a\0b"s), 3);
  EXPECT_EQ(leftBytes("a\0b"s, 2), "a\0"s);
  EXPECT_EQ(leftBytes("ab", 9), "ab");
  EXPECT_EQ(leftBytes("ab", -1), "");
  EXPECT_EQ(blankBytes(2), "\0\0"s);
  EXPECT_EQ(blankBytes(0), "");
  EXPECT_EQ(blankBytes(-3), "");
}

// ---- Randomised comparison with a character-by-character reference ----

// Where each character of `text` starts, found by walking it from the front.
std::vector<bool> referenceStarts(const Text& text) {
  std::vector<bool> starts(text.size() + 1, false);
  for (std::size_t i = 0; i < text.size();) {
    starts[i] = true;
    i += static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size() ? 2 : 1;
  }
  return starts;
}

bool referenceMatchAt(const Text& text, std::size_t i, const Text& sub, CaseMode mode) {
  if (i + sub.size() > text.size()) return false;
  for (std::size_t k = 0; k < sub.size(); ++k) {
    char a = text[i + k], b = sub[k];
    if (mode == CaseMode::IgnoreCase) {
      if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + 32);
      if (b >= 'A' && b <= 'Z') b = static_cast<char>(b + 32);
    }
    if (a != b) return false;
  }
  return true;
}

long referenceFind(const Text& text, const Text& sub, long start, CaseMode mode) {
  const long n = static_cast<long>(text.size());
  if (start < 1) start = 1;
  if (start > n) return -1;
  if (sub.empty()) return start;
  const auto starts = referenceStarts(text);
  for (long i = start - 1; i < n; ++i) {
    if (starts[static_cast<std::size_t>(i)] && referenceMatchAt(text, static_cast<std::size_t>(i), sub, mode)) {
      return i + 1;
    }
  }
  return -1;
}

// Match positions of a single left-to-right pass, each at a character start and none
// overlapping the one before.
std::vector<std::size_t> referenceMatches(const Text& text, const Text& sub, CaseMode mode) {
  std::vector<std::size_t> hits;
  const auto starts = referenceStarts(text);
  std::size_t next = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i >= next && starts[i] && referenceMatchAt(text, i, sub, mode)) {
      hits.push_back(i);
      next = i + sub.size();
    }
  }
  return hits;
}

Text referenceReplace(const Text& text, const Text& sub, const Text& replacement, CaseMode mode) {
  if (text.empty() || sub.empty()) return text;
  Text out;
  std::size_t copied = 0;
  for (std::size_t hit : referenceMatches(text, sub, mode)) {
    out += text.substr(copied, hit - copied) + replacement;
    copied = hit + sub.size();
  }
  return out + text.substr(copied);
}

TextList referenceSplit(const Text& text, const Text& separator) {
  if (text.empty()) return {};
  if (separator.empty()) return {text};
  TextList items;
  std::size_t from = 0;
  for (std::size_t hit : referenceMatches(text, separator, CaseMode::Exact)) {
    items.push_back(text.substr(from, hit - from));
    from = hit + separator.size();
  }
  if (from < text.size()) items.push_back(text.substr(from));
  return items;
}

// Random GBK-like texts over a small alphabet so that matches, near-matches and
// second bytes that equal ASCII marker bytes are all frequent.
class TextGenerator {
 public:
  explicit TextGenerator(unsigned seed) : rng_(seed) {}

  Text text(std::size_t maxChars) {
    Text out;
    const std::size_t chars = pick(maxChars + 1);
    for (std::size_t i = 0; i < chars; ++i) out += character();
    if (pick(8) == 0) out += lead();  // a lone lead byte at the end
    return out;
  }

  // Often a piece of `text` cut at any byte (so possibly starting on a second byte),
  // with its letters' case flipped at random; otherwise a fresh short text.
  Text needle(const Text& text) {
    if (text.empty() || pick(3) == 0) return this->text(3);
    const std::size_t from = pick(text.size());
    Text sub = text.substr(from, 1 + pick(4));
    for (char& c : sub) {
      if (pick(2) == 0 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) c ^= 0x20;
    }
    return sub;
  }

  std::size_t pick(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(rng_); }
  long pickLong(long low, long high) { return std::uniform_int_distribution<long>(low, high)(rng_); }

 private:
  Text character() {
    static const char ascii[] = {'a', 'A', 'b', 'B', '\\', '|', '$', '<', '>', 'z'};
    if (pick(2) == 0) return Text(1, ascii[pick(sizeof ascii)]);
    return Text(1, lead()) + trail();
  }
  char lead() {
    static const unsigned char leads[] = {0x81, 0xA1, 0xA3, 0xB0, 0xFE};
    return static_cast<char>(leads[pick(sizeof leads)]);
  }
  char trail() {
    static const unsigned char trails[] = {0x5C, 0x7C, 0x40, 0x7E, 'a', 'A', 'b', 'B', 'z', 0x80, 0xA1, 0xB0, 0xFE};
    return static_cast<char>(trails[pick(sizeof trails)]);
  }

  std::mt19937 rng_;
};

TEST(RandomisedAgainstReference, FindReplaceSplit) {
  TextGenerator gen(20240611u);
  for (int round = 0; round < 20000; ++round) {
    // Mostly short texts; some long enough to exercise the block-wise scan.
    const Text text = gen.text(round % 10 == 0 ? 120 : 12);
    const Text sub = gen.needle(text);
    const Text replacement = gen.text(3);
    const long start = gen.pickLong(-2, static_cast<long>(text.size()) + 2);
    for (CaseMode mode : {CaseMode::Exact, CaseMode::IgnoreCase}) {
      ASSERT_EQ(findText(text, sub, start, mode), referenceFind(text, sub, start, mode))
          << "round " << round << " mode " << static_cast<int>(mode) << " start " << start;
      ASSERT_EQ(replaceText(text, sub, replacement, mode), referenceReplace(text, sub, replacement, mode))
          << "round " << round << " mode " << static_cast<int>(mode);
    }
    ASSERT_EQ(splitText(text, sub), referenceSplit(text, sub)) << "round " << round;
  }
}

// Texts where nearly every position looks like a match at its first and last byte.
TEST(RandomisedAgainstReference, RepetitiveTextsAgreeToo) {
  const Text sub = Text(30, 'a') + "b" + Text(30, 'a');
  for (CaseMode mode : {CaseMode::Exact, CaseMode::IgnoreCase}) {
    const char filler = mode == CaseMode::Exact ? 'a' : 'A';
    // B0 61 is one character, so the first copy of `sub` starts on a second byte.
    const Text text = Text(20000, filler) + "\xB0" + sub + sub + Text(5000, filler);
    EXPECT_EQ(findText(text, sub, 1, mode), 20063);
    EXPECT_EQ(findText(text, sub, 1, mode), referenceFind(text, sub, 1, mode));
    EXPECT_EQ(replaceText(text, sub, "x", mode), referenceReplace(text, sub, "x", mode));
    EXPECT_EQ(replaceText(text, "aa", "x", mode), referenceReplace(text, "aa", "x", mode));
  }
}

}  // namespace
}  // namespace quorvel
