// The description pieces several extractors share.
#include "sources/compose.h"

#include <gtest/gtest.h>

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
