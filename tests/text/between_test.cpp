#include "text/between.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(TextBetween, CutsBetweenFirstStartAndNextEnd) {
  const struct {
    Text text, startMarker, endMarker, expected;
  } cases[] = {
      {"a<b>c<d>e", "<", ">", "b"},
      {"x=1;y=2;", "y=", ";", "2"},
      {"<B>bold</b>", "<b>", "</B>", "bold"},
      {"abc", "a", "z", ""},
      {"abc", "z", "c", ""},
      {"[[x]]", "[", "]", "[x"},
      {"<>", "<", ">", ""},
      {"", "<", ">", ""},
      {"ab<", "<", ">", ""},                // start marker ends the text
      {"aXa", "aX", "Xa", ""},              // an end marker overlapping the start does not count
      {"[FTP]link[/ftp]", "[ftp]", "[/FTP]", "link"},
      // Markers are never found at a second byte: B0 7C is one character.
      {"\xB0|a|b|", "|", "|", "b"},
      {"|a\xB0|b|", "|", "|", "a\xB0|b"},
      {"<\xB0" "a>A>", "<", "a>", "\xB0" "a>"},
      {"\xB0\xA1=\xB0\xA1;", "\xB0\xA1", ";", "=\xB0\xA1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(textBetween(c.text, c.startMarker, c.endMarker), c.expected)
        << c.text << " | " << c.startMarker << " | " << c.endMarker;
  }
}

TEST(TextBetween, FindsMarkersFarIntoALongPage) {
  Text page;
  for (int i = 0; i < 5000; ++i) page += "\xD6\xD0<p>\xCE\xC4|";
  page += "<TITLE>Name\xB0|</title>";
  EXPECT_EQ(textBetween(page, "<title>", "</title>"), "Name\xB0|");
}

TEST(ReplaceEach, AppliesPairsInOrder) {
  const struct {
    Text text;
    TextList findList, replaceList;
    bool exactCase;
    Text expected;
  } cases[] = {
      {"3", {"1", "2", "3"}, {".", "..", "..."}, false, "..."},
      {"ab", {"a", "b"}, {"b", "c"}, true, "cc"},
      {"ab", {"a", "b"}, {"x"}, true, "xb"},
      {"ab", {"a"}, {"x", "y"}, true, "xb"},
      {"ab", {}, {"x"}, true, "ab"},
      {"aA", {"a"}, {"x"}, true, "xA"},
      {"aA", {"a"}, {"x"}, false, "xx"},
      {"abc", {"", "b"}, {"x", "y"}, true, "ayc"},
      {"\xB0" "aab", {"a"}, {"x"}, true, "\xB0" "axb"},  // B0 61 is one character
  };
  for (const auto& c : cases) {
    EXPECT_EQ(replaceEach(c.text, c.findList, c.replaceList, c.exactCase), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace quorvel
