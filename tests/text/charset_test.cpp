#include "text/charset.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "text/gbk_literal.h"

using namespace quorvel;

namespace {

std::string hex(std::string_view bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 0xF];
  }
  return out;
}

struct PageCase {
  const char* name;
  std::string utf8;
  const char* gbkHex;
};

// Test listings name a case, not its bytes.
void PrintTo(const PageCase& c, std::ostream* out) { *out << c.name; }

class DecodePageText : public testing::TestWithParam<PageCase> {};

TEST_P(DecodePageText, GivesCodePage936Bytes) {
  EXPECT_EQ(hex(decodePageText(GetParam().utf8)), GetParam().gbkHex);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodePageText,
    testing::Values(
        PageCase{"ChineseAndAscii", "中文abc", "D6 D0 CE C4 61 62 63"},
        PageCase{"QuotesAndEllipsis", "“引号”…", "A1 B0 D2 FD BA C5 A1 B1 A1 AD"},
        PageCase{"Empty", "", ""},
        PageCase{"EuroIsOneByte", "€5", "80 35"},
        PageCase{"MissingCharacterBecomesQuestionMark", "a한b", "61 3F 62"},
        PageCase{"TextEndsAtNul", std::string("ab\0中", 6), "61 62"},
        PageCase{"LeadingNulGivesNothing", std::string("\0ab", 3), ""},
        PageCase{"InvalidUtf8BecomesQuestionMark", "a\xC3(b", "61 3F 28 62"},
        PageCase{"TruncatedSequenceAtEnd", "中\xE4\xB8", "D6 D0 3F"},
        PageCase{"GbkBytesReadAsUtf8DoNotFail", "\xD6\xD0x", "3F 3F 78"},
        PageCase{"ByteOrderMarkIsKeptAsItsCharacter", "\xEF\xBB\xBFz", "3F 7A"},
        // e + U+0301 composes to é (A8 A6); alone the mark is not in GBK.
        PageCase{"CombiningMarkComposed", "e\xCC\x81!", "A8 A6 21"},
        PageCase{"CombiningMarkWithoutComposite", "x\xCC\x81", "78 3F"},
        PageCase{"LoneCombiningMark", "\xCC\x81", "3F"},
        PageCase{"SupplementaryCharacter", "a\xF0\x9F\x98\x80" "b", "61 3F 62"}),
    [](const testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

TEST(Charset, DecodeGoesThroughUtf16LittleEndian) {
  EXPECT_EQ(hex(utf8ToWide("A中")), "41 00 2D 4E");
  EXPECT_EQ(utf8ToWide(""), "");
  EXPECT_EQ(hex(wideToGbk(std::string("\x2D\x4E\x41\x00\x42", 5))), "D6 D0 41");  // odd byte ignored
  EXPECT_EQ(hex(wideToGbk(std::string("\x41\x00\x00\x00\x42\x00", 6))), "41");
  const std::string page = "<p>“电影”&nbsp;€ 한 e\xCC\x81</p>";
  EXPECT_EQ(wideToGbk(utf8ToWide(page)), decodePageText(page));
}

TEST(Charset, GbkToUtf8RoundTripsAndSurvivesBadBytes) {
  EXPECT_EQ(gbkToUtf8("\xD6\xD0\xCE\xC4" "abc\x80"), "中文abc€");
  EXPECT_EQ(gbkToUtf8(""), "");
  // A lead byte without a valid trail byte, and a lead byte at the very end.
  EXPECT_EQ(gbkToUtf8("\x81\x20x\xD6"), "\xEF\xBF\xBD x\xEF\xBF\xBD");
  const std::string all = "“引号”…—€ 中文 ok";
  EXPECT_EQ(gbkToUtf8(utf8ToGbk(all)), all);
}

TEST(Charset, GbkLiteral) {
  EXPECT_EQ(hex("获取完毕!"_gbk), hex(decodePageText("获取完毕!")));
  EXPECT_EQ(hex("中"_gbk), "D6 D0");
  EXPECT_EQ(&"中"_gbk, &"中"_gbk);  // converted once per literal
}

TEST(Charset, ConversionsOnEightThreadsAgree) {
  std::string page;
  for (int i = 0; i < 200; ++i) page += "<td>“中文”片名 €" + std::to_string(i) + " e\xCC\x81 한</td>\n";
  const Text expected = decodePageText(page);
  const std::string back = gbkToUtf8(expected);
  ASSERT_FALSE(expected.empty());
  std::vector<int> failures(8, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 30; ++round) {
        if (decodePageText(page) != expected) ++failures[t];
        if (wideToGbk(utf8ToWide(page)) != expected) ++failures[t];
        if (gbkToUtf8(expected) != back) ++failures[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < 8; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
