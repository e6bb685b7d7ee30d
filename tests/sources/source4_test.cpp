#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sources/digit_runs.h"
#include "sources/extractors.h"
#include "tests/support/command_line.h"
#include "tests/support/compose_harness.h"
#include "tests/support/post_expectations.h"

namespace quorvel {
namespace {

using testing::answering;
using testing::Block;
using testing::completedPost;
using testing::ComposedPost;
using testing::composePost;
using testing::composePostWhileFetching;
using ::testing::ElementsAre;
using testing::expectPost;
using testing::fixtureSite;
using testing::gbk;

const Text kHome = "http://www.vidnest.example";
const Text kFilm = kHome + "/vod/4417.html";
const Text kPlayPage = kHome + "/index.php?s=vod-play-id-4417-sid-0-pid-1.html";

// Values go in as cut; the description keeps every tag but "<p>", "</p>" and "<br />".
const Text kDataTags = gbk("[美国][2014-11-07][星河摆渡人][ HD高清 ]");
const Text kImageAndDescription =
    gbk("[img]http://img.vidnest-cdn.example/4417.jpg[/img]\r\n"
        "  <li>\r\n末日之后——一艘“渡船”…<P>船长<br>只说'向前'。\r\n</li>\r\n");

// The second player group mixes a BDHD and a GVOD link; each block takes its own.
std::vector<Block> filmBlocks() {
  return {
      {"选择框1", "[QVOD]",
       gbk("[QVOD]\r\n第1集$qvod://2147483648|0A1B2C3D|星河摆渡人01.rmvb|\r\n"
           "第2集$qvod://2147483649|4E5F6A7B|星河摆渡人02.rmvb|\r\n[/QVOD]\r\n")},
      {"选择框2", "[BDHD]",
       gbk("[BDHD]\r\n第1集$bdhd://2147483648|8C9D0E1F|星河摆渡人01.rmvb|\r\n[/BDHD]\r\n")},
      {"选择框3", "[GVOD]",
       gbk("[GVOD]\r\n第1集$gvod://gvod.vidnest-dl.example/4417/01.rmvb\r\n[/GVOD]\r\n")},
  };
}

ComposedPost expectedFilmPost(const std::vector<std::string_view>& unchecked = {}) {
  return completedPost(kDataTags, kImageAndDescription, filmBlocks(), unchecked);
}

TEST(DigitRuns, KeepsDigitsWithOneSpaceBetweenRuns) {
  struct Case {
    const char* text;
    const char* runs;
  };
  const Case cases[] = {
      {"a1b22c333", "1 22 333"},
      {"", ""},
      {"abc", ""},
      {"4417", "4417"},
      {"x7", "7"},
      {"7x", "7"},
      {"1--2", "1 2"},
      {"http://www.vidnest.example/vod/4417.html", "4417"},
      {"http://www.vidnest.example/vod/2013/0415.html", "2013 0415"},
  };
  for (const Case& c : cases) EXPECT_EQ(digitRuns(c.text), c.runs) << c.text;
  // A two-byte character between digits separates them like any other bytes.
  EXPECT_EQ(digitRuns(gbk("第1集2")), "1 2");
}

TEST(Source4, ComposesTheWholePostFromFilmPageAndPlayPage) {
  const ComposedPost post = composePost(extractSource4, kFilm, fixtureSite("source4"));
  expectPost(post, expectedFilmPost());
  EXPECT_THAT(post.requests, ElementsAre(kFilm, kPlayPage));
}

TEST(Source4, AnUncheckedBoxLeavesOutItsBlockAndKindTagOnly) {
  for (std::string_view box : {"选择框1", "选择框2", "选择框3"}) {
    SCOPED_TRACE(std::string(box));
    const ComposedPost post =
        composePost(extractSource4, kFilm, fixtureSite("source4"),
                    [&](MemoryControls& window) { window.setChecked(box, false); });
    expectPost(post, expectedFilmPost({box}));
  }
}

TEST(Source4, ReadsEachBoxWhenItsBlockIsDue) {
  const ComposedPost post = composePostWhileFetching(
      extractSource4, kFilm, fixtureSite("source4"),
      [](MemoryControls& window, const Text& page) {
        if (page == kPlayPage) window.setChecked("选择框2", false);
      });
  expectPost(post, expectedFilmPost({"选择框2"}));
}

TEST(Source4, PlayPageAddressHoldsTheDigitRunsOfTheAddress) {
  struct Case {
    Text film;
    Text playPage;
  };
  const Case cases[] = {
      // A date folder and a film number: the space between the runs stays.
      {kHome + "/vod/2013/0415.html",
       kHome + "/index.php?s=vod-play-id-2013 0415-sid-0-pid-1.html"},
      {kHome + "/vod/latest.html", kHome + "/index.php?s=vod-play-id--sid-0-pid-1.html"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.film);
    EXPECT_THAT(composePost(extractSource4, c.film, fixtureSite("source4")).requests,
                ElementsAre(c.film, c.playPage));
  }
  const ComposedPost post =
      composePost(extractSource4, kHome + "/vod/2013/0415.html", fixtureSite("source4"));
  EXPECT_EQ(post.content,
            gbk("[img][/img]\r\n\r\n[BDHD]\r\n第1集$bdhd://1|AA|双城.rmvb|\r\n[/BDHD]\r\n"));
  EXPECT_EQ(post.title, gbk("[][][双城][][BDHD]"));
}

TEST(Source4, FilmPageWithoutMarkersAndLinksThatAreNotQvodInCapitals) {
  // The play data holds QVOD only in capitals, and 誠 (D5 5C in GBK, its second byte a
  // "\") right before "u5F00": no escape starts there.
  const ComposedPost post =
      composePost(extractSource4, kHome + "/vod/4500.html", fixtureSite("source4"));
  EXPECT_EQ(post.title, "[][][][][GVOD]");
  EXPECT_EQ(post.content,
            "[img][/img]\r\n\r\n" + gbk("[GVOD]\r\n第1集$gvod://2|誠u5F00开.rmvb\r\n[/GVOD]\r\n"));
  EXPECT_EQ(post.status, gbk("获取完毕!"));
}

TEST(Source4, MissingPagesGiveEmptyValuesAndNoBlocks) {
  struct Case {
    const char* what;
    Text film;
    PageFetcher fetcher;
    Text status;
    Text title;
    Text content;
  };
  const PageFetcher site = fixtureSite("source4");
  const Text filmPart = kImageAndDescription;
  const Case cases[] = {
      {"film page without response", kHome + "/vod/999.html", site, "获取失败!", "[][][][]",
       "[img][/img]\r\n\r\n"},
      {"play page without response", kFilm,
       answering("source4", kPlayPage, {"", false, "reset"}),
       "部分获取失败!", kDataTags, filmPart},
      {"play page answers 404", kFilm,
       answering("source4", kPlayPage, {"<html>404 Not Found</html>", true, ""}),
       "获取完毕!", kDataTags, filmPart},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ComposedPost post = composePost(extractSource4, c.film, c.fetcher);
    EXPECT_EQ(post.title, c.title);
    EXPECT_EQ(post.content, c.content);
    EXPECT_EQ(post.status, gbk(c.status));
    EXPECT_EQ(post.replace, "");
    EXPECT_EQ(post.requests.size(), 2u);
  }
}

TEST(Source4, BundledSampleIsACompletePost) {
  const ComposedPost post =
      composePost(extractSource4, kHome + "/vod/8032.html", samplePageFetcher(bundledSamplesDir()));
  EXPECT_THAT(post.title, ::testing::EndsWith("[QVOD][BDHD][GVOD]"));
  EXPECT_EQ(post.status, gbk("获取完毕!"));
}

TEST(Source4, CommandLineFetchOverHttp) {
  const testing::ProgramRun run = testing::fetchJsonOverHttp("source4", "www.vidnest.example", kFilm);
  const ComposedPost expected = expectedFilmPost();
  EXPECT_EQ(run.field("title"), gbkToUtf8(expected.title));
  EXPECT_EQ(run.field("content"), gbkToUtf8(expected.content));
  EXPECT_EQ(run.field("replace"), "");
  EXPECT_EQ(run.field("status"), "获取完毕!");
  EXPECT_EQ(run.json().value("radio").toInt(), 4);
  EXPECT_EQ(run.exitCode, 0);
}

TEST(Source4, CommandLineFetchOfAPlayPageWhoseAddressHoldsASpace) {
  // The space goes out escaped; the site answers for the page with the space.
  const testing::ProgramRun run =
      testing::fetchJsonOverHttp("source4", "www.vidnest.example", kHome + "/vod/2013/0415.html");
  EXPECT_EQ(run.field("title"), "[][][双城][][BDHD]");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace quorvel
