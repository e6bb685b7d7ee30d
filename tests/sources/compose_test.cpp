// The description pieces several extractors share.
#include "sources/compose.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/between.h"

#include "tests/support/compose_harness.h"

namespace quorvel::testing {
namespace {

TEST(ImageTagsToBlocks, TurnsEveryImageTagIntoABlockInPlace) {
  const struct {
    const char* what;
    const char* text;  // UTF-8
    const char* expected;
  } cases[] = {
      {"empty", "", ""},
      {"no image", "a <b>b</b>", "a <b>b</b>"},
      {"one tag", "a<img src=\"1.jpg\" />b", "a\r\n[img]1.jpg[/img]\r\nb"},
      {"capitals", "<IMG SRC=\"1.JPG\">", "\r\n[img]1.JPG[/img]\r\n"},
      {"in page order", "<img src=\"1.jpg\"><IMG src=\"2.jpg\">",
       "\r\n[img]1.jpg[/img]\r\n\r\n[img]2.jpg[/img]\r\n"},
      {"copies go in one pass", "<img src=\"1.jpg\">x<IMG SRC=\"1.jpg\">",
       "\r\n[img]1.jpg[/img]\r\nx\r\n[img]1.jpg[/img]\r\n"},
      {"address from the first src left", "<iframe src=\"f.htm\"></iframe><img src=\"1.jpg\">",
       "<iframe src=\"f.htm\"></iframe>\r\n[img]f.htm[/img]\r\n"},
      {"no address", "<img alt=\"x\">", "\r\n[img][/img]\r\n"},
      {"no closing bracket", "x<img src=\"1.jpg\"", "x<img src=\"1.jpg\""},
      {"last tag without closing bracket", "<img src=\"1.jpg\">x<img src=\"2.jpg\"",
       "\r\n[img]1.jpg[/img]\r\nx<img src=\"2.jpg\""},
      // 約 is BC 73: its second byte is "s", and "rc=\"" after it is no address marker.
      {"marker after a character's first byte", "約rc=\"x\"<img src=\"1.jpg\">",
       "約rc=\"x\"\r\n[img]1.jpg[/img]\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(imageTagsToBlocks(gbk(c.text)), gbk(c.expected));
  }
}

// An address that holds image tags itself would bring a copy of them back with every
// pass; the loop stops after the pass that fails to lower their number.
TEST(ImageTagsToBlocks, EndsWhenAPassLeavesAsManyImageTags) {
  EXPECT_EQ(imageTagsToBlocks("<img a><img a> src=\"<img b>\""),
            "\r\n[img]<img b>[/img]\r\n\r\n[img]<img b>[/img]\r\n src=\"<img b>\"");
  EXPECT_EQ(imageTagsToBlocks("<img src=\"<img\">"), "\r\n[img]<img[/img]\r\n");
}

// The image loop written out with the text primitives, one pass at a time, with the same
// size limit.
Text imageTagsByPasses(Text d, std::size_t sizeLimit) {
  const auto count = [](const Text& text) {
    long n = 0;
    for (long at = findText(text, "<img", CaseMode::IgnoreCase); at != -1;
         at = findText(text, "<img", at + 4, CaseMode::IgnoreCase)) {
      ++n;
    }
    return n;
  };
  for (long left = count(d); left > 0;) {
    const Text src = textBetween(d, "src=\"", "\"");
    const Text tag = "<img" + textBetween(d, "<img", ">") + ">";
    Text next = replaceText(d, tag, "\r\n[img]" + src + "[/img]\r\n", CaseMode::IgnoreCase);
    if (next.size() > sizeLimit) return d;
    const long nextLeft = count(next);
    if (nextLeft >= left) return next;
    d = std::move(next);
    left = nextLeft;
  }
  return d;
}

TEST(ImageTagsToBlocks, AgreesWithPassByPassLoopOnRandomTexts) {
  // Few symbols, so that tags repeat in both cases, addresses are shared, unclosed and
  // hold tags, and markers meet the second bytes of characters.
  const std::string symbols[] = {"<img", "<IMG", "<iMg a>", "<img b>", "src=\"", "SRC=\"", "\"",
                                 ">", "a", "B", "\x81", "\xBCs", "\xD6\xD0", " ", "<x src=\"ab\">",
                                 "<img src=\"c\">", "<img src=\"<img\">"};
  std::mt19937 random(5);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(symbols) - 1);
  std::uniform_int_distribution<int> length(0, 80);
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += symbols[pick(random)];
    const std::size_t limit = round % 3 == 0 ? text.size() + 40 : imageBlocksSizeLimit(text.size());
    ASSERT_EQ(imageTagsToBlocks(text, limit), imageTagsByPasses(text, limit))
        << "round " << round << ": " << text;
  }
}

// A long address in front of many different tags: every block would carry it. Passes stop
// before the text outgrows the limit, leaving the other tags as they stand.
TEST(ImageTagsToBlocks, StopsBeforeTheTextOutgrowsTheLimit) {
  const Text address(100, 'x');
  Text text = "<a src=\"" + address + "\">";
  for (int i = 0; i < 10; ++i) text += "<img " + std::to_string(i) + ">";
  const Text block = "\r\n[img]" + address + "[/img]\r\n";
  Text expected = "<a src=\"" + address + "\">" + block + block + block;
  for (int i = 3; i < 10; ++i) expected += "<img " + std::to_string(i) + ">";
  EXPECT_EQ(imageTagsToBlocks(text, expected.size() + block.size() - 8), expected);
  EXPECT_EQ(imageTagsToBlocks(text, text.size() - 1), text);
}

TEST(DescriptionPieces, BoldTagsAndBlankLines) {
  EXPECT_EQ(boldTagsToForum("<b>x</b><B>y</B>"), "[b]x[/b]<B>y</B>");
  EXPECT_EQ(shortenBlankLines("a\r\n\r\nb\r\n\r\n\r\nc\r\n\r\n\r\n\r\nd\r\n"), "a\r\nb\r\n\r\nc\r\n\r\nd\r\n");
}

TEST(LinkList, EveryLinkIsFollowedBySeparator) {
  Text links;
  for (const char* link : {"a", "", "b"}) addLink(links, link);
  EXPECT_EQ(links, "a$$$$$$b$$$");
  EXPECT_EQ(linkItems(links), (TextList{"a", "", "b"}));
}

}  // namespace
}  // namespace quorvel::testing
