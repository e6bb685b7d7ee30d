#include "text/base64.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "text/events.h"
#include "text/gbk_literal.h"

using namespace quorvel;

namespace {

struct DecodeCase {
  std::string input;
  std::string expected;  // bytes, zeros allowed
};

void expectDecodes(const DecodeCase& c) {
  EXPECT_EQ(decodeBase64(c.input), c.expected) << "input: " << c.input;
}

TEST(DecodeBase64, Rfc4648Vectors) {
  const DecodeCase cases[] = {
      {"", ""},         {"Zg==", "f"},         {"Zm8=", "fo"},        {"Zm9v", "foo"},
      {"Zm9vYg==", "foob"}, {"Zm9vYmE=", "fooba"}, {"Zm9vYmFy", "foobar"},
      {"+/+/", "\xFB\xFF\xBF"},
  };
  for (const auto& c : cases) expectDecodes(c);
}

TEST(DecodeBase64, SpacesLineBreaksAndMissingCharacters) {
  using namespace std::string_literals;
  const DecodeCase cases[] = {
      {"QUJD", "ABC"},
      {"QUI=", "AB"},
      {"QQ==", "A"},
      {"QU JD\r\n", "ABC"},
      {"Q\r\nU\xA1\xA1JD", "ABC"},      // the full-width space goes too
      {"QUI", "AB\0"s},                 // the missing fourth character counts as "A"
      {"QUJ", "AB@"},
      {"   \r\n\r\n", ""},
      {"\xA1\xA1", ""},
      {"QUJDQQ", "ABCA\0\0"s},           // unpadded: nothing is dropped
  };
  for (const auto& c : cases) expectDecodes(c);
  EXPECT_EQ(bytesToText(decodeBase64("QUI")), "AB");
}

TEST(DecodeBase64, ByteOutsideTheAlphabetStopsItsGroupWithStaleSlots) {
  using namespace std::string_literals;
  const DecodeCase cases[] = {
      // Last group stops at its first slot: its three bytes and the byte before them go.
      {"QUJD&123", "AB"},
      {"QUJDQUJD&123", "ABCAB"},
      // "*" (42) in slot 3 of the first group; slot 4 still holds its starting 0.
      {"QU*DQUJD", "AJ\x80" "ABC"},
      // "=" (61) in slot 2; slots 3 and 4 keep 9 and 3 from the group before.
      {"QUJDQ=xxQUJD", "ABCC\xD2" "CABC"},
      // A byte of 0x80 or above counts with its unsigned value (0xB0 = 176).
      {"\xB0QUJQUJD", "\xC0\0\0ABC"s},
      // Output shorter than what the stop drops: nothing is left.
      {"&", ""},
      {"Q&", ""},
      {"=", ""},
      {"QUJ=", "AB"},
      // "\n" alone is not a line break to remove: it stops the group.
      {"QU\nD", "A"},
  };
  for (const auto& c : cases) expectDecodes(c);
}

std::atomic<int> hookCalls{0};

TEST(DecodeBase64, ProcessesEventsOncePerGroup) {
  setProcessEventsHook([] { ++hookCalls; });
  const struct {
    const char* input;
    int groups;
  } cases[] = {{"", 0}, {"QUJD", 1}, {"QUJDQ", 2}, {"QUJD&123QUJD", 3}, {"  \r\n", 0}};
  for (const auto& c : cases) {
    hookCalls = 0;
    decodeBase64(c.input);
    EXPECT_EQ(hookCalls.load(), c.groups) << c.input;
  }
  setProcessEventsHook(nullptr);
  hookCalls = 0;
  decodeBase64("QUJDQUJD");
  EXPECT_EQ(hookCalls.load(), 0);
}

TEST(DecodeBase64, ThunderStyleLink) {
  // "thunder://" + base64("AA" + address + "ZZ"), the file name in GBK.
  const Text link =
      "thunder://QUFmdHA6Ly9keTpkeUBmdHAuZXhhbXBsZS5jbjoyMS+159OwL1vW0M7E19bEu13GrMP7LnJtdmJaWg==";
  const Text payload = link.substr(std::string("thunder://").size());
  EXPECT_EQ(bytesToText(decodeBase64(payload)),
            "AAftp://dy:dy@ftp.example.cn:21/"_gbk + "电影/[中文字幕]片名.rmvb"_gbk + "ZZ");
}

}  // namespace
