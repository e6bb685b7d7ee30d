// Source 7: one UTF-8 film page; links hidden in ConvertURL2FG calls and in href targets.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "sources/extractors.h"
#include "tests/support/command_line.h"
#include "tests/support/compose_harness.h"
#include "tests/support/link_payloads.h"
#include "tests/support/post_expectations.h"

namespace quorvel::testing {
namespace {

const Text kAddress = "http://www.showbay.example/movie/1024.html";

// The fixture film page, with every block.
const Text kTitleTags = gbk("[中国大陆][2012][剧场风云]");
const Text kImage = "[img]http://img.showbay.example/poster/1024.jpg[/img]\r\n";
const Text kDescription =
    gbk("老剧场的看门人守了三十年……直到一封来信打破了平静。\n"
        "“戏不能停。”他说——哪怕台下只剩'一个人'。 &amp;\r\n");
const Text kEd2kBlock = gbk(
    "[ED2K]\r\n"
    "ed2k://|file|剧场风云.HD1280高清国语.mkv|1468006400|8D5C0B5C6F0A3E2A47C5B6E41B7E0C1D|/\r\n"
    "ed2k://|file|剧场风云.粤语.mkv|1402112000|0A1B2C3D4E5F60718293A4B5C6D7E8F9|/\r\n"
    "[/ED2K]\r\n");
const Text kMagnetBlock = gbk(
    "[Magnet]\r\n"
    "magnet:?xt=urn:btih:5e1c0a9f3b7d2c4a6e8f0b1d3c5a7e9f2b4d6c8a&dn=剧场风云\r\n"
    "[/Magnet]\r\n");
const Text kFlashgetBlock = gbk(
    "[Flashget]\r\n"
    "http://dl.showbay.example/flashget/1024/mhts|剧场风云.HD1280高清国语.mkv|\r\n"
    "http://dl.showbay.example/flashget/1025/mhts|剧场风云.花絮.mkv|\r\n"
    "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9kbC5zaG93YmF5LmV4YW1wbGUvMTAyNC5ta3ZbRkxBU0hHRVRd&1024\r\n"
    "[/Flashget]\r\n");

ComposedPost composeFixture(const std::function<void(MemoryControls&)>& prepare = {}) {
  return composePost(extractSource7, kAddress, fixtureSite("source7"), prepare);
}

Bytes fixturePage() {
  std::ifstream in(std::string(QUORVEL_FIXTURES_DIR) + "/source7/www.showbay.example/movie/1024.html",
                   std::ios::binary);
  std::ostringstream body;
  body << in.rdbuf();
  return body.str();
}

TEST(Source7, ComposesTheWholePost) {
  const ComposedPost post = composeFixture();
  EXPECT_EQ(post.title, kTitleTags + gbk("[电驴][磁力][快车]"));
  EXPECT_EQ(post.content, kImage + kDescription + kEd2kBlock + kMagnetBlock + kFlashgetBlock);
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.replace, "");
  EXPECT_EQ(post.requests, std::vector<Text>{kAddress});
}

TEST(Source7, EachBlockFollowsItsOwnCheckBox) {
  struct Case {
    const char* box;
    Text kindTags;
    Text blocks;
  };
  const Case cases[] = {
      {"选择框5", gbk("[磁力][快车]"), kMagnetBlock + kFlashgetBlock},
      {"选择框8", gbk("[电驴][快车]"), kEd2kBlock + kFlashgetBlock},
      {"选择框6", gbk("[电驴][磁力]"), kEd2kBlock + kMagnetBlock},
      // Boxes of kinds this site never writes change nothing.
      {"选择框1", gbk("[电驴][磁力][快车]"), kEd2kBlock + kMagnetBlock + kFlashgetBlock},
      {"选择框2", gbk("[电驴][磁力][快车]"), kEd2kBlock + kMagnetBlock + kFlashgetBlock},
      {"选择框3", gbk("[电驴][磁力][快车]"), kEd2kBlock + kMagnetBlock + kFlashgetBlock},
      {"选择框4", gbk("[电驴][磁力][快车]"), kEd2kBlock + kMagnetBlock + kFlashgetBlock},
      {"选择框7", gbk("[电驴][磁力][快车]"), kEd2kBlock + kMagnetBlock + kFlashgetBlock},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    const ComposedPost post =
        composeFixture([&](MemoryControls& controls) { controls.setChecked(c.box, false); });
    EXPECT_EQ(post.title, kTitleTags + c.kindTags);
    EXPECT_EQ(post.content, kImage + kDescription + c.blocks);
  }
}

TEST(Source7, ReadsACheckBoxWhenItsBlockIsDue) {
  const ComposedPost post = composePostWhileFetching(
      extractSource7, kAddress, fixtureSite("source7"),
      [](MemoryControls& window, const Text&) {
        window.setChecked("选择框8", false);  // while the page is on its way
      });
  EXPECT_EQ(post.title, kTitleTags + gbk("[电驴][快车]"));
  EXPECT_EQ(post.content, kImage + kDescription + kEd2kBlock + kFlashgetBlock);
}

TEST(Source7, WithoutTheDescriptionMarkerTheRestIsComposedAsUsual) {
  const Text page = replaceText(fixturePage(), "[展开全文]", "[more]");
  const ComposedPost post = composePost(extractSource7, kAddress, servePage(page));
  EXPECT_EQ(post.title, kTitleTags + gbk("[电驴][磁力][快车]"));
  EXPECT_EQ(post.content, kImage + "\r\n" + kEd2kBlock + kMagnetBlock + kFlashgetBlock);
}

TEST(Source7, APageWithoutMarkersGivesEmptyFields) {
  for (const EmptyFilmPage& c : emptyFilmPages()) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(extractSource7, kAddress, c.site);
    EXPECT_EQ(post.title, "[][][]");
    EXPECT_EQ(post.content, "[img][/img]\r\n\r\n");
    EXPECT_EQ(post.status, c.status);
  }
}

// A page with only a link area: empty fields, then the blocks the area gives.
Bytes pageWithLinkArea(const std::string& area) {
  return "<html><body><div class=\"loading_tip\">加载中</div><ul>" + area +
         "</ul><label>全选</label></body></html>";
}

TEST(Source7, LinkAreaCases) {
  const std::string mainLink = "http://dl.showbay.example/flashget/7/";
  const std::string mainPayload = flashgetPayload(mainLink, gbk("片花.mp4"));
  const std::string plainLink = "http://flashget.showbay.example/trailer.mp4";
  const std::string plainPayload = plainFlashgetPayload(plainLink);
  struct Case {
    const char* name;
    std::string area;
    Text kindTags;
    Text blocks;
  };
  const Case cases[] = {
      {"a call that only the plain-form fallback decodes",
       "<li><script type=\"text/javascript\">ConvertURL2FG('Flashget://" + plainPayload +
           "\",'',1)</script></li>",
       gbk("[快车]"), "[Flashget]\r\n" + plainLink + "\r\n[/Flashget]\r\n"},
      {"an anchor in front of the first call is decoded like a call",
       "<li><a href=\"Flashget://" + plainPayload +
           "\">1</a></li><li><script type=\"text/javascript\">ConvertURL2FG('Flashget://" +
           mainPayload + "','',1)</script></li>",
       gbk("[快车]"),
       "[Flashget]\r\n" + plainLink + "\r\n" + mainLink + "mhts|" + gbk("片花.mp4") +
           "|\r\nFlashget://" + plainPayload + "\r\n[/Flashget]\r\n"},
      {"an encoded attribute with its scheme in capitals is written unchanged",
       "<li><a href=\"FLASHGET://QUJD&1\">1</a></li>", gbk("[快车]"),
       "[Flashget]\r\nFLASHGET://QUJD&1\r\n[/Flashget]\r\n"},
      {"ED2K in capitals is no ED2K link", "<li><a href=\"ED2K://|file|a.mkv|1|AB|/\">1</a></li>",
       "", ""},
      {"escapes decoded, a leading space dropped",
       "<li><a href=\"  ed2k://|file|%E5%89%A7%e5%9c%ba.mkv|1|AB|/\">1</a></li>", gbk("[电驴]"),
       gbk("[ED2K]\r\ned2k://|file|剧场.mkv|1|AB|/\r\n[/ED2K]\r\n")},
      {"a link of two kinds is written in both blocks",
       "<li><a href=\"ed2k://|file|flashget.mkv|1|AB|/\">1</a></li>", gbk("[电驴][快车]"),
       "[ED2K]\r\ned2k://|file|flashget.mkv|1|AB|/\r\n[/ED2K]\r\n"
       "[Flashget]\r\ned2k://|file|flashget.mkv|1|AB|/\r\n[/Flashget]\r\n"},
      {"a magnet link", "<li><a href=\"magnet:?xt=urn:btih:AB&dn=%E5%89%A7\">1</a></li>",
       gbk("[磁力]"), gbk("[Magnet]\r\nmagnet:?xt=urn:btih:AB&dn=剧\r\n[/Magnet]\r\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(extractSource7, kAddress, servePage(pageWithLinkArea(c.area)));
    EXPECT_EQ(post.title, "[][][]" + c.kindTags);
    EXPECT_EQ(post.content, "[img][/img]\r\n\r\n" + c.blocks);
    EXPECT_EQ(post.status, gbk("获取完毕!"));
  }
}

TEST(Source7, CommandLineComposesThePostOverHttp) {
  const CommandLinePost post = fetchWithCommandLine("source7", "www.showbay.example", kAddress);
  ASSERT_EQ(post.exitCode, 0) << post.output;
  EXPECT_EQ(post.title, kTitleTags + gbk("[电驴][磁力][快车]"));
  EXPECT_EQ(post.content, kImage + kDescription + kEd2kBlock + kMagnetBlock + kFlashgetBlock);
  EXPECT_EQ(post.replace, "");
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.radio, 7);
}

}  // namespace
}  // namespace quorvel::testing
