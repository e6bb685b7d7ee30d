#include "text/post_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/between.h"

using namespace quorvel;

namespace {

struct TextCase {
  std::string input;
  std::string expected;
};

TEST(StripTags, RemovesEveryCopyOfTheFirstTagPassAfterPass) {
  const TextCase cases[] = {
      {"<b>a</b><b>b</b>", "ab"},
      {"x > y", "x > y"},
      {"5>3 and 2<4", "5>3 and 2<4"},  // the first "<" has no ">" after it: left as it is
      {"a<b", "a<b"},
      {"<p>Hello</p>\r\n<br>World", "Hello\r\nWorld"},
      {"<<b>b>", "b>"},               // the first tag is "<<b>"
      {"<>x<>", "x"},
      {"<a href=\"x\">link</a> and <A HREF=\"x\">", "link and "},
      {"", ""},
      {"no tags", "no tags"},
      // "\x81<" is one character: that "<" starts nothing.
      {"\x81<b>x", "\x81<b>x"},
      {"\x81\x81<b>x", "\x81\x81x"},
      // A ">" that is a second byte does not close the tag.
      {"<\x81>>x<\x81>>", "x"},
      // Copies are removed only where they start a character.
      {"<i>\x81<i>x<i>", "\x81<i>x"},
      {"\xD6\xD0<i>\xD6\xD0<i>", "\xD6\xD0\xD6\xD0"},
  };
  for (const auto& c : cases) EXPECT_EQ(stripTags(c.input), c.expected) << c.input;
}

// The removal loop written out with the text primitives, one pass at a time.
Text stripTagsByPasses(Text text) {
  while (findText(text, "<") != -1 && findText(text, ">") != -1) {
    const Text tag = "<" + textBetween(text, "<", ">") + ">";
    Text next = replaceText(text, tag, "");
    if (next == text) break;
    text = std::move(next);
  }
  return text;
}

TEST(StripTags, AgreesWithPassByPassRemovalOnRandomTexts) {
  // Few symbols, so that tags repeat, nest, overlap and meet high bytes often.
  const std::string symbols[] = {"<", ">", "a", "b", "/", " ", "\x81", "\xB0", "\xD6\xD0", "<a>", "</a>"};
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(symbols) - 1);
  std::uniform_int_distribution<int> length(0, 60);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += symbols[pick(random)];
    ASSERT_EQ(stripTags(text), stripTagsByPasses(text)) << "round " << round << ": " << text;
  }
}

TEST(StripTags, AgreesWithPassByPassRemovalOnLongRandomTexts) {
  // Longer texts of whole small tags, unclosed "<" and stray ">": removals join what stands
  // around them into new tags again and again, and runs of "<" sit before removed copies.
  const std::string symbols[] = {"<x>", "<y>", "<x", "y>", "<", "<", ">", "a", "\xB0", "\x81",
                                 "\xD6\xD0", "<a>", "</a>", "<a", "\r\n"};
  std::mt19937 random(77);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(symbols) - 1);
  std::uniform_int_distribution<int> length(0, 400);
  for (int round = 0; round < 1500; ++round) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += symbols[pick(random)];
    ASSERT_EQ(stripTags(text), stripTagsByPasses(text)) << "round " << round << ": " << text;
  }
}

TEST(StripTags, AgreesWithPassByPassRemovalOnADescription) {
  // Many distinct tags, repeated closing tags, tags split by others, GBK text between.
  Text text;
  for (int i = 0; i < 300; ++i) {
    const std::string n = std::to_string(i % 120);
    text += "<font color=\"#" + n + "\">\xD6\xD0\xCE\xC4</font>";
    if (i % 7 == 0) text += "<b<i>>" + n + "</b>";
    if (i % 11 == 0) text += "<span\xA1\xA1id=" + n + ">\xB0\xA1\r\n";
    if (i % 13 == 0) text += "\x81<br>";
  }
  const Text stripped = stripTags(text);
  EXPECT_EQ(stripped, stripTagsByPasses(text));
  EXPECT_NE(stripped.find("\xD6\xD0\xCE\xC4"), std::string::npos);
}

TEST(ReplaceEntities, TheSevenEntitiesAndNothingElse) {
  const TextCase cases[] = {
      {"&lsquo;a&rsquo;", "'a'"},
      {"&ldquo;b&rdquo;", "\xA1\xB0" "b" "\xA1\xB1"},
      {"c&hellip;", "c\xA1\xAD"},
      {"d&nbsp;&nbsp;e", "d  e"},
      {"f&mdash;g", "f\xA1\xAA" "g"},
      {"&lt;&gt;&amp;&#8220;&middot;", "&lt;&gt;&amp;&#8220;&middot;"},
      {"&NBSP;&Hellip;", "&NBSP;&Hellip;"},  // exact case
      {"&amp;nbsp;", "&amp;nbsp;"},
  };
  for (const auto& c : cases) EXPECT_EQ(replaceEntities(c.input), c.expected) << c.input;
}

TEST(CleanDescription, LineBreaksEntitiesThenTags) {
  const TextCase cases[] = {
      {"<p>A&nbsp;B&hellip;", "\r\nA B\xA1\xAD"},
      {"one<br />two<br>three", "one\r\ntwothree"},
      {"<P>x</p>", "x"},  // only the lower-case "<p>" becomes a line break
      {"<span>&ldquo;\xD6\xD0&rdquo;</span>", "\xA1\xB0\xD6\xD0\xA1\xB1"},
      {"a &lt;b&gt; c", "a &lt;b&gt; c"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(cleanDescription(c.input), c.expected) << c.input;
}

}  // namespace
