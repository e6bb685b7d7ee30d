// Source 5: one UTF-8 film page; the heading is the title, images stay in the
// description, and Flashget links in value attributes give the FLASHGET and FTP blocks.
#include <gtest/gtest.h>

#include "sources/extractors.h"
#include "tests/support/command_line.h"
#include "tests/support/compose_harness.h"
#include "tests/support/link_payloads.h"
#include "tests/support/post_expectations.h"

namespace quorvel::testing {
namespace {

const Text kAddress = "http://www.movieden.example/html/2012/0815/3517.html";
const Text kWatermark = gbk("[下载库论坛www.dlforum.example]");

// "场景" holds the bytes of "【" across its two characters; only the real brackets change.
const Text kTitleLine = gbk("[1080P]无声场景[国语中字]\r\n");
const Text kDescription = gbk(
    "[b]◎片　名[/b]　无声场景\r\n◎年　代　2012\r\n◎简　介\r\n\r\n"
    "  失聪的录音师在'片场'听见了“不存在的声音”…—真相只有一个。\r\n"
    "[img]http://img.movieden.example/2012/3517-1.jpg[/img]\r\n"
    "[img]http://img.movieden.example/2012/3517-2.jpg[/img]\r\n\r\n");
const Text kFlashgetBlock = gbk(
    "[FLASHGET]\r\n"
    "http://dl.dlforum.example/flashget/3517/mhts|无声场景.1080P.mkv|\r\n"
    "[/FLASHGET]\r\n");
const Text kFtpBlock = gbk(
    "[FTP]\r\n"
    "ftp://dl:dl@ftp.dlforum.example/2012/[下载库论坛www.dlforum.example]无声场景.CD1.rmvb"
    "|Name|[下载库论坛www.dlforum.example]无声场景.CD1.rmvb|\r\n"
    "ftp://dl:dl@ftp.dlforum.example/2012/[下载库论坛www.dlforum.example]无声场景.CD2.rmvb"
    "|Name|[下载库论坛www.dlforum.example]无声场景.CD2.rmvb|\r\n"
    "[/FTP]\r\n");

ComposedPost composeFixture(const std::function<void(MemoryControls&)>& prepare = {}) {
  return composePost(extractSource5, kAddress, fixtureSite("source5"), prepare);
}

TEST(Source5, ComposesTheWholePost) {
  const ComposedPost post = composeFixture();
  EXPECT_EQ(post.title, kTitleLine + gbk("[快车]") + "[FTP]");
  EXPECT_EQ(post.content, kDescription + kFlashgetBlock + kFtpBlock);
  EXPECT_EQ(post.replace, kWatermark);
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.requests, std::vector<Text>{kAddress});
}

TEST(Source5, EachBlockFollowsItsOwnCheckBox) {
  struct Case {
    const char* box;
    Text kindTags;
    Text blocks;
  };
  const Case cases[] = {
      {"选择框6", "[FTP]", kFtpBlock},
      {"选择框4", gbk("[快车]"), kFlashgetBlock},
      {"选择框1", gbk("[快车]") + "[FTP]", kFlashgetBlock + kFtpBlock},
      {"选择框2", gbk("[快车]") + "[FTP]", kFlashgetBlock + kFtpBlock},
      {"选择框3", gbk("[快车]") + "[FTP]", kFlashgetBlock + kFtpBlock},
      {"选择框5", gbk("[快车]") + "[FTP]", kFlashgetBlock + kFtpBlock},
      {"选择框7", gbk("[快车]") + "[FTP]", kFlashgetBlock + kFtpBlock},
      {"选择框8", gbk("[快车]") + "[FTP]", kFlashgetBlock + kFtpBlock},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    const ComposedPost post =
        composeFixture([&](MemoryControls& controls) { controls.setChecked(c.box, false); });
    EXPECT_EQ(post.title, kTitleLine + c.kindTags);
    EXPECT_EQ(post.content, kDescription + c.blocks);
    EXPECT_EQ(post.replace, kWatermark);  // the links still carry the forum's mark
  }
}

TEST(Source5, ReadsACheckBoxWhenItsBlockIsDue) {
  const ComposedPost post = composePostWhileFetching(
      extractSource5, kAddress, fixtureSite("source5"),
      [](MemoryControls& window, const Text&) {
        window.setChecked("选择框4", false);
      });
  EXPECT_EQ(post.title, kTitleLine + gbk("[快车]"));
  EXPECT_EQ(post.content, kDescription + kFlashgetBlock);
}

const auto kKeepReplaceBox = [](MemoryControls& controls) { controls.setText("编辑框5", "keep"); };

TEST(Source5, APageWithoutMarkersGivesBareLinesAndLeavesTheReplaceBox) {
  for (const EmptyFilmPage& c : emptyFilmPages()) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(extractSource5, kAddress, c.site, kKeepReplaceBox);
    EXPECT_EQ(post.title, "\r\n");
    EXPECT_EQ(post.content, "\r\n");
    EXPECT_EQ(post.replace, "keep");
    EXPECT_EQ(post.status, c.status);
  }
}

// A page of only a heading and the given value attributes.
Bytes pageWithValues(const std::string& heading, const std::string& values) {
  return "<html><body><h1>" + heading + "</h1><form>" + values + "</form></body></html>";
}

std::string valueAttribute(const std::string& payload) {
  return "<input type=\"checkbox\" value=\"Flashget://" + payload + "\">";
}

TEST(Source5, LinkCases) {
  struct Case {
    const char* name;
    std::string values;
    Text kindTags;
    Text blocks;
    Text replace;
  };
  const Case cases[] = {
      {"a link only the plain-form fallback decodes",
       valueAttribute(plainFlashgetPayload("ftp://ftp.dlforum.example/x.rmvb")), "[FTP]",
       "[FTP]\r\nftp://ftp.dlforum.example/x.rmvb|Name|x.rmvb|\r\n[/FTP]\r\n", kWatermark},
      {"the forum's domain in capitals still sets the watermark",
       valueAttribute(plainFlashgetPayload("FTP://FTP.DLFORUM.EXAMPLE/X.RMVB")), "[FTP]",
       "[FTP]\r\nFTP://FTP.DLFORUM.EXAMPLE/X.RMVB|Name|X.RMVB|\r\n[/FTP]\r\n", kWatermark},
      {"links of another host leave the replace box",
       valueAttribute(flashgetPayload("ftp://a:a@ftp.other.example/", gbk("片.rmvb"))), "[FTP]",
       gbk("[FTP]\r\nftp://a:a@ftp.other.example/mhts|片.rmvb||Name|mhts|片.rmvb||\r\n[/FTP]\r\n"),
       "keep"},
      {"a link of both kinds is written in both blocks",
       valueAttribute(plainFlashgetPayload("ftp://flashget.example/y.rmvb")), gbk("[快车]") + "[FTP]",
       "[FLASHGET]\r\nftp://flashget.example/y.rmvb\r\n[/FLASHGET]\r\n"
       "[FTP]\r\nftp://flashget.example/y.rmvb|Name|y.rmvb|\r\n[/FTP]\r\n",
       "keep"},
      {"no Flashget on the page: no block", "<input value=\"ftp://ftp.dlforum.example/z.rmvb\">", "",
       "", "keep"},
      {"a payload closed by a single quote decodes to nothing",
       "<input value='Flashget://" + plainFlashgetPayload("ftp://ftp.dlforum.example/x.rmvb") + "'>",
       "", "", "keep"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(extractSource5, kAddress,
                                          servePage(pageWithValues("Film", c.values)), kKeepReplaceBox);
    EXPECT_EQ(post.title, "Film\r\n" + c.kindTags);
    EXPECT_EQ(post.content, "\r\n" + c.blocks);
    EXPECT_EQ(post.replace, c.replace);
  }
}

TEST(Source5, TitleAndDescriptionCases) {
  struct Case {
    const char* name;
    std::string page;
    Text title;
    Text content;
  };
  const Case cases[] = {
      {"brackets in the heading", "<h1>【高清】片名【粤语】</h1>", gbk("[高清]片名[粤语]\r\n"), "\r\n"},
      {"an image tag in capitals and one in small letters, in page order",
       "<div class=\"side2\">a<IMG SRC=\"1.jpg\">b<img src=\"2.jpg\" />c↑返回到下载列表",
       "\r\n", "a\r\n[img]1.jpg[/img]\r\nb\r\n[img]2.jpg[/img]\r\nc\r\n"},
      {"bold kept, other tags removed, line-break tags in any case",
       "<div class=\"side2\"><p><b>x</b><br><i>y</i><BR>z</p>↑返回到下载列表", "\r\n",
       "[b]x[/b]\r\ny\r\nz\r\n"},
      {"an unclosed tag ends the cleanup", "<div class=\"side2\">5>3 and 2<4↑返回到下载列表", "\r\n",
       "5>3 and 2<4\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(extractSource5, kAddress, servePage(c.page));
    EXPECT_EQ(post.title, c.title);
    EXPECT_EQ(post.content, c.content);
  }
}

TEST(Source5, CommandLineComposesThePostOverHttp) {
  const CommandLinePost post = fetchWithCommandLine("source5", "www.movieden.example", kAddress);
  ASSERT_EQ(post.exitCode, 0) << post.output;
  EXPECT_EQ(post.title, kTitleLine + gbk("[快车]") + "[FTP]");
  EXPECT_EQ(post.content, kDescription + kFlashgetBlock + kFtpBlock);
  EXPECT_EQ(post.replace, kWatermark);
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.radio, 5);
}

}  // namespace
}  // namespace quorvel::testing
