#include "text/escapes.h"

#include <gtest/gtest.h>

#include <string>

#include "text/gbk_literal.h"

using namespace quorvel;

namespace {

struct TextCase {
  std::string input;
  std::string expected;  // GBK
};

TEST(PercentDecode, EscapesAndRawBytesAreReadTogetherAsUtf8) {
  const TextCase cases[] = {
      {"%E4%B8%AD", "中"_gbk},
      {"%e4%b8%ad", "中"_gbk},
      {"%E4%b8%Ad文", "中文"_gbk},
      {"中文", "中文"_gbk},  // raw UTF-8 without any escape
      {"a%20b%2Fc", "a b/c"},
      {"%41%42", "AB"},
      {"", ""},
      {"%E4%B8", "?"},       // an incomplete sequence becomes the default character
      {"%00x", "x"},         // a zero byte cannot stand in a text
      // A "%" without two hexadecimal digits behind it is copied as it stands.
      {"100%", "100%"},
      {"%4", "%4"},
      {"%zz1", "%zz1"},
      {"%%41", "%A"},
      {"5%-%E4%B8%AD", "5%-"_gbk + "中"_gbk},
      {"%G1%41", "%G1A"},
  };
  for (const auto& c : cases) EXPECT_EQ(percentDecode(c.input), c.expected) << c.input;
}

TEST(UnescapeUnicode, ReplacesEveryEscapeByItsGbkCharacter) {
  const TextCase cases[] = {
      {"\\u4e2d", "中"_gbk},
      {"\\U4E2D", "中"_gbk},
      {"\\u4E2d\\u6587.rmvb", "中文.rmvb"_gbk},
      {"\\u0041", "A"},
      {"\\u20ac", "\x80"},
      {"\\u00e9", "é"_gbk},
      {"a\\u0020b", "ab"},      // the decoded space is trimmed away
      {"a\\u3000b", "ab"},      // and so is the full-width one
      {"a\\ud55cb", "ab"},      // a unit GBK lacks gives nothing
      {"a\\u0000b", "ab"},
      {"a\\uZZZZb", "ab"},      // not hexadecimal: code 0, the escape is removed
      {"a\\u12", "a"},          // cut short by the end of the text
      {"no escapes \\ here", "no escapes \\ here"},
      {"", ""},
      // Every copy of an escape goes at its first visit, in either case.
      {"x\\u4e2dy\\U4E2Dz\\u4e2d", "x中y中z中"_gbk},
      // Searched in the input: the backslash a replacement yields starts no new escape.
      {"\\u005Cu0041", "\\u0041"},
  };
  for (const auto& c : cases) EXPECT_EQ(unescapeUnicode(c.input), c.expected) << c.input;
}

TEST(UnescapeUnicode, EscapeAfterATwoByteCharacterIsFound) {
  // 0x5C can be the second byte of a GBK character; only a real backslash starts an escape.
  const Text text = "\x81\x5Cu0041" "\\u0041";
  EXPECT_EQ(unescapeUnicode(text), "\x81\x5Cu0041" "A");
}

struct RadixCase {
  std::string digits;
  int from;
  int to;
  std::string expected;  // GBK
};

TEST(ConvertRadix, ConvertsExactlyOrGivesTheErrorText) {
  const Text badRadix = "参数错误-进制只能在2-36之间"_gbk;
  auto notValid = [](const std::string& digits, const char* numeralUtf8) {
    return "参数错误-"_gbk + digits + "不是一个有效的"_gbk + decodePageText(numeralUtf8) +
           "进制数！"_gbk;
  };
  const RadixCase cases[] = {
      {"ff", 16, 10, "255"},
      {"FF", 16, 10, "255"},
      {"0", 16, 10, "0"},
      {"", 16, 10, "0"},
      {"0000", 10, 16, "0"},
      {"00ff", 16, 2, "11111111"},
      {"zz", 36, 10, "1295"},
      {"1295", 10, 36, "ZZ"},
      {"4e2d", 16, 10, "20013"},
      {"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 16, 10, "340282366920938463463374607431768211455"},
      {"340282366920938463463374607431768211455", 10, 16, "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
      {"ff", 16, 16, "FF"},                    // same radix: the normalised digits
      {"\xA3\xB0\xA3\xC6" "f", 16, 16, "0FF"},  // full-width 0 and F count
      {"ff", 16, 1, badRadix},
      {"ff", 1, 10, badRadix},
      {"ff", 37, 10, badRadix},
      {"ff", 16, 37, badRadix},
      {"", 0, 0, badRadix},
      {"12g", 16, 10, notValid("12G", "一十六")},
      {"9", 8, 10, notValid("9", "八")},
      {"2", 2, 10, notValid("2", "二")},
      {"1A", 10, 2, notValid("1A", "一十")},
      {"K", 20, 10, notValid("K", "二十")},
      {"a-b", 36, 10, notValid("A-B", "三十六")},
      {"中"_gbk, 16, 10, notValid("中"_gbk, "一十六")},
      {" 1", 10, 16, notValid(" 1", "一十")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(convertRadix(c.digits, c.from, c.to), c.expected)
        << c.digits << " " << c.from << "->" << c.to;
  }
}

TEST(CodePointToGbk, OneOrTwoBytesOrNothing) {
  const struct {
    long long code;
    std::string expected;
  } cases[] = {
      {0x4E2D, "中"_gbk}, {0x41, "A"},       {0x20AC, "\x80"}, {0x201C, "\xA1\xB0"},
      {0x20, ""},         {0x3000, ""},      {0, ""},          {0xD55C, ""},
      {0xD800, ""},       {0x10041, "A"},    {-1, ""},         {0x3F, "?"},
  };
  for (const auto& c : cases) EXPECT_EQ(codePointToGbk(c.code), c.expected) << std::hex << c.code;
}

}  // namespace
