// Source 9: a GBK film page and one download page per "download.php" link, whose
// ConvertURL2FG payloads give the Flashget block.
#include <gtest/gtest.h>

#include <map>

#include "sources/extractors.h"
#include "tests/support/command_line.h"
#include "tests/support/compose_harness.h"
#include "tests/support/link_payloads.h"
#include "tests/support/post_expectations.h"

namespace quorvel::testing {
namespace {

const Text kHome = "http://www.hdshelf.example";
const Text kAddress = kHome + "/movie/4402.html";
const Text kWatermark = gbk("[下高清---hdshelf.example]");

const Text kTitleTags = gbk("[蓝色港湾][1080P][国语中字]");
const Text kDescription = gbk(
    "◎译　名　蓝色港湾\r\n◎年　代　2011\r\n◎简　介\r\n\r\n"
    "  渔村少年阿海“偷”走了父亲的船……[b]一去不回[/b]。\n\r\n"
    "[img]http://img.hdshelf.example/uploads/4402-1.jpg[/img]\r\n\r\n");
const Text kFlashgetBlock = gbk(
    "[Flashget]\r\n"
    "http://flashget.hdshelf.example/4402/mhts|蓝色港湾.1080P.国语中字.mkv|\r\n"
    "http://flashget.hdshelf.example/4402/mhts|蓝色港湾.720P.国语中字.mkv|\r\n"
    "http://flashget.hdshelf.example/4402/mhts|蓝色港湾.花絮.mkv|\r\n"
    "[/Flashget]\r\n");

Text download(int cid) {
  return kHome + "/plus/download.php?open=0&aid=4402&cid=" + std::to_string(cid);
}

ComposedPost composeFixture(const std::function<void(MemoryControls&)>& prepare = {}) {
  return composePost(extractSource9, kAddress, fixtureSite("source9"), prepare);
}

TEST(Source9, ComposesTheWholePostFromTheDownloadPagesInOrder) {
  const ComposedPost post = composeFixture();
  EXPECT_EQ(post.title, kTitleTags + gbk("[快车]"));
  EXPECT_EQ(post.content, kDescription + kFlashgetBlock);
  EXPECT_EQ(post.replace, kWatermark);
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.requests, (std::vector<Text>{kAddress, download(3), download(4), download(5)}));
}

TEST(Source9, OnlyTheSixthBoxGatesTheBlock) {
  for (const char* box : {"选择框1", "选择框2", "选择框3", "选择框4", "选择框5", "选择框6",
                          "选择框7", "选择框8"}) {
    SCOPED_TRACE(box);
    const ComposedPost post =
        composeFixture([&](MemoryControls& controls) { controls.setChecked(box, false); });
    const bool gated = std::string(box) == "选择框6";
    EXPECT_EQ(post.title, kTitleTags + (gated ? "" : gbk("[快车]")));
    EXPECT_EQ(post.content, kDescription + (gated ? "" : kFlashgetBlock));
    EXPECT_EQ(post.replace, kWatermark);
  }
}

TEST(Source9, ReadsTheCheckBoxWhenTheBlockIsDue) {
  const ComposedPost post = composePostWhileFetching(
      extractSource9, kAddress, fixtureSite("source9"),
      [](MemoryControls& window, const Text& address) {
        if (address == download(5)) window.setChecked("选择框6", false);
      });
  EXPECT_EQ(post.title, kTitleTags);
  EXPECT_EQ(post.content, kDescription);
}

TEST(Source9, ADownloadPageWithoutLinkAddsNothingAndOnlyNoResponseMakesTheRunPartial) {
  struct Case {
    const char* name;
    FetchResult answer;
    const char* status;
  };
  const Case cases[] = {
      {"no response", {"", false, "timed out"}, "部分获取失败!"},
      {"404 page", {"<html><body>404 Not Found</body></html>", true, ""}, "获取完毕!"},
  };
  const Text blockWithoutSecond = gbk(
      "[Flashget]\r\n"
      "http://flashget.hdshelf.example/4402/mhts|蓝色港湾.1080P.国语中字.mkv|\r\n"
      "http://flashget.hdshelf.example/4402/mhts|蓝色港湾.花絮.mkv|\r\n"
      "[/Flashget]\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ComposedPost post =
        composePost(extractSource9, kAddress, answering("source9", download(4), c.answer));
    EXPECT_EQ(post.title, kTitleTags + gbk("[快车]"));
    EXPECT_EQ(post.content, kDescription + blockWithoutSecond);
    EXPECT_EQ(post.replace, kWatermark);
    EXPECT_EQ(post.status, gbk(c.status));
  }
}

TEST(Source9, AFilmPageWithoutMarkersGivesAnEmptyTagAndStillTheWatermark) {
  for (const EmptyFilmPage& c : emptyFilmPages()) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(
        extractSource9, kAddress, c.site,
        [](MemoryControls& controls) { controls.setText("编辑框5", "old"); });
    EXPECT_EQ(post.title, "[]");
    EXPECT_EQ(post.content, "\r\n");
    EXPECT_EQ(post.replace, kWatermark);
    EXPECT_EQ(post.status, c.status);
    EXPECT_EQ(post.requests, std::vector<Text>{kAddress});
  }
}

TEST(Source9, HeadingCases) {
  struct Case {
    const char* name;
    Text heading;
    Text tags;
  };
  const Case cases[] = {
      {"three words", "<h1><a href=\"/m/1.html\">A B C</a></h1>", "[A][B][C]"},
      {"two spaces give an empty tag", "<h1><font>A  B</font></h1>", "[A][][B]"},
      {"a full-width space is no word break", gbk("<h1><b>片名　续集 HD</b></h1>"),
       gbk("[片名　续集][HD]")},
      {"no element inside the heading", "<h1>A B</h1>", "[]"},
      {"only the first element counts", "<h1><b>A</b> <i>B</i></h1>", "[A]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(extractSource9, kAddress, [&](const Text&) {
      return FetchResult{"<html><body>" + c.heading + "</body></html>", true, ""};
    });
    EXPECT_EQ(post.title, c.tags);
  }
}

// A film page with one download link per given download page, served with them.
PageFetcher site(const std::vector<Text>& downloadPages) {
  Text film = "<html><body><h1><b>Film</b></h1><ul>";
  std::map<Text, Text> pages;
  for (std::size_t i = 0; i < downloadPages.size(); ++i) {
    const Text query = "aid=1&cid=" + std::to_string(i);
    film += "<li><a href=\"/plus/download.php?" + query + "\">" + std::to_string(i) + "</a></li>";
    pages[kHome + "/plus/download.php?" + query] = downloadPages[i];
  }
  pages[kAddress] = film + "</ul></body></html>";
  return [pages](const Text& address) {
    const auto page = pages.find(address);
    return page == pages.end() ? FetchResult{"", false, "refused"} : FetchResult{page->second, true, ""};
  };
}

Text convertCall(const std::string& payload) {
  return "<a onclick=\"ConvertURL2FG('Flashget://" + payload + "','x',1)\">1</a>";
}

TEST(Source9, DownloadPageCases) {
  const std::string first = "http://flashget.hdshelf.example/1/";
  const std::string second = "http://flashget.hdshelf.example/2/";
  const std::string other = "http://down.hdshelf.example/3/";
  struct Case {
    const char* name;
    std::vector<Text> pages;
    Text kindTags;
    Text block;
  };
  const Case cases[] = {
      {"links keep the order of the download pages",
       {convertCall(flashgetPayload(second, gbk("乙.mkv"))), convertCall(flashgetPayload(first, gbk("甲.mkv")))},
       gbk("[快车]"),
       "[Flashget]\r\n" + second + "mhts|" + gbk("乙.mkv") + "|\r\n" + first + "mhts|" + gbk("甲.mkv") +
           "|\r\n[/Flashget]\r\n"},
      {"a link without flashget is gathered but not written",
       {convertCall(flashgetPayload(other, "c.mkv")), convertCall(flashgetPayload(first, "a.mkv"))},
       gbk("[快车]"), "[Flashget]\r\n" + first + "mhts|a.mkv|\r\n[/Flashget]\r\n"},
      {"no link with flashget: no block", {convertCall(flashgetPayload(other, "c.mkv"))}, "", ""},
      {"a page without a call adds an empty entry", {"<html>none</html>", convertCall(flashgetPayload(first, "a.mkv"))},
       gbk("[快车]"), "[Flashget]\r\n" + first + "mhts|a.mkv|\r\n[/Flashget]\r\n"},
      {"a plain-form payload needs a double quote in its entry, which has none",
       {convertCall(plainFlashgetPayload("http://flashget.hdshelf.example/p.mkv"))}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(extractSource9, kAddress, site(c.pages));
    EXPECT_EQ(post.title, "[Film]" + c.kindTags);
    EXPECT_EQ(post.content, "\r\n" + c.block);
    EXPECT_EQ(post.status, gbk("获取完毕!"));
  }
}

TEST(Source9, CommandLineComposesThePostOverHttp) {
  const CommandLinePost post = fetchWithCommandLine("source9", "www.hdshelf.example", kAddress);
  ASSERT_EQ(post.exitCode, 0) << post.output;
  EXPECT_EQ(post.title, kTitleTags + gbk("[快车]"));
  EXPECT_EQ(post.content, kDescription + kFlashgetBlock);
  EXPECT_EQ(post.replace, kWatermark);
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.radio, 9);
}

}  // namespace
}  // namespace quorvel::testing
