#include "text/link_naming.h"

#include <gtest/gtest.h>

#include <string>

#include "text/gbk_literal.h"

using namespace quorvel;

namespace {

// Standard base64 with padding, to build the links the decoders read.
std::string encodeBase64(std::string_view bytes) {
  static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 2]);
    out += alphabet[(value >> 18) & 63];
    out += alphabet[(value >> 12) & 63];
    out += i + 1 < bytes.size() ? alphabet[(value >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? alphabet[value & 63] : '=';
  }
  return out;
}

TEST(NameLink, AppendsTheLastSlashPiece) {
  const struct {
    std::string link;
    std::string name;
  } cases[] = {
      {"ftp://host/dir/file.rmvb", "file.rmvb"},
      {"ftp://host/dir/", "dir"},   // one trailing "/": the piece before it
      {"ftp://host/dir//", ""},     // two: the empty piece between them
      {"nolink", "nolink"},
      {"/", ""},
      {"ftp://dy:dy@ftp.example.cn:21/电影/[中文]片名.rmvb"_gbk, "[中文]片名.rmvb"_gbk},
      // A "/" that is the second byte of a two-byte character does not split.
      {"ftp://h/a\x81/b", "a\x81/b"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(nameLink(c.link), c.link + "|Name|" + c.name + "|") << c.link;
  }
}

// "[FLASHGET]" + "scheme://host/" + base64(link) + "/tail" + "[FLASHGET]", itself base64.
std::string mainFormPayload(const std::string& link, const std::string& closing = "[FLASHGET]") {
  const std::string segment = encodeBase64(link);
  EXPECT_EQ(segment.find('/'), std::string::npos) << "choose a link whose base64 has no /";
  return encodeBase64("[FLASHGET]http://dl.example.cn/" + segment + "/0" + closing);
}

TEST(DecodeFlashgetLink, MainChainDecodesTheLinkAndTheNameInside) {
  const Text name = "[中文]片名.rmvb"_gbk;
  const Text link = "ftp://dy:dy@ftp.example.cn/mhts|" + encodeBase64(name) + "|";
  const Text payload = mainFormPayload(link);
  const Text expected = "ftp://dy:dy@ftp.example.cn/mhts|" + name + "|";
  EXPECT_EQ(decodeFlashgetLink("", payload), expected);
  // The markers are found ignoring case.
  EXPECT_EQ(decodeFlashgetLink("", mainFormPayload(link, "[Flashget]")), expected);
}

TEST(DecodeFlashgetLink, NameStepCases) {
  const struct {
    std::string link;
    std::string expected;
  } cases[] = {
      {"ftp://h/file.avi", "ftp://h/file.avi"},           // no "mhts|": unchanged
      {"ftp://h/mhts||x", "ftp://h/mhts||x"},             // empty name
      {"ftp://h/mhts|QUJD|x", "ftp://h/mhts|ABC|x"},
      // The spaces are dropped from the name before it is looked up in the link.
      {"ftp://h/mhts|QUJD |x", "ftp://h/mhts|ABC |x"},
      {"ftp://h/mhts|QUJD|QUJD", "ftp://h/mhts|ABC|ABC"},  // every copy
  };
  for (const auto& c : cases) EXPECT_EQ(decodeFlashgetLink("", mainFormPayload(c.link)), c.expected) << c.link;
}

TEST(DecodeFlashgetLink, PlainFormFallsBackToThePiece) {
  // "host/file" holds one "/", so the main chain finds no segment.
  const Text plainLink = "ftp://ftp.example.cn/电影.rmvb"_gbk;
  const Text payload = encodeBase64("[FLASHGET]" + plainLink + "[FLASHGET]");
  const struct {
    std::string piece;
    std::string expected;
  } cases[] = {
      {"<a href=\"Flashget://" + payload + "\">", plainLink},
      {"<a href=\"flashget://" + payload + "&123\">", plainLink},  // the "&" group is dropped
      {"<a href='Flashget://" + payload + "'>", ""},               // no double quote follows
      {"<a href=\"thunder://" + payload + "\">", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(decodeFlashgetLink(c.piece, payload), c.expected) << c.piece;
}

TEST(DecodeFlashgetLink, MainResultWinsOverThePiece) {
  const Text payload = mainFormPayload("ftp://h/main.avi");
  const Text other = encodeBase64("[FLASHGET]ftp://h/other.avi[FLASHGET]");
  EXPECT_EQ(decodeFlashgetLink("Flashget://" + other + "\"", payload), "ftp://h/main.avi");
}

}  // namespace
