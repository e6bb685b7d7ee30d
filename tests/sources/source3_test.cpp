#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

const Text kHome = "http://www.cinepod.example";
const Text kFilm = kHome + "/content/310.html";
const Text kPlayPage = kHome + "/video/310-0-0.html";
const Text kPlayData = kHome + "/playdata/310/v.js";
// Source 3's files carry Source 2's mark.
const Text kWatermark = gbk("[迅雷下载www.reelhub.example]");

// Title values and the description go in as found: spaces around them stay.
const Text kDataTags = gbk("[ 香港 ][2011][ 雾城旧事 ][更新至08集]");
const Text kImageAndDescription =
    gbk("[img]http://tu.cinepod-img.example/310.jpg[/img]\r\n"
        "  \r\n一九四九年的雾城…\r\n<strong>警探</strong>与“线人”的故事。 \r\n");

std::vector<Block> filmBlocks() {
  const Text ftp = "ftp://a:a@ftp.cinepod-dl.example/";
  return {
      {"选择框4", "[FTP]",
       gbk("[FTP]\r\n" + ftp + "雾城旧事/雾城旧事01.mkv|Name|雾城旧事01.mkv|\r\n" + ftp +
           "雾城旧事/雾城旧事02.mkv|Name|雾城旧事02.mkv|\r\n[/FTP]\r\n")},
      // "\u" escapes are decoded; "%" and "%u" escapes stay as the script has them.
      {"选择框1", "[QVOD]",
       gbk("[QVOD]\r\nqvod://734003200|1A2B3C4D|雾城旧事01.rmvb|\r\n"
           "qvod://734003201|5E6F7A8B|雾城旧事02.rmvb|\r\n[/QVOD]\r\n")},
      {"选择框2", "[BDHD]",
       "[BDHD]\r\nbdhd://734003200|9C0D1E2F|%E9%9B%BE%u57CE01.rmvb|\r\n[/BDHD]\r\n"},
      {"选择框3", "[GVOD]", "[GVOD]\r\ngvod://gvod.cinepod-dl.example/310/01.rmvb\r\n[/GVOD]\r\n"},
  };
}

ComposedPost expectedFilmPost(const std::vector<std::string_view>& unchecked = {}) {
  ComposedPost post = completedPost(kDataTags, kImageAndDescription, filmBlocks(), unchecked);
  post.replace = kWatermark;
  return post;
}

TEST(Source3, ComposesTheWholePostFromFilmPagePlayPageAndPlayData) {
  const ComposedPost post = composePost(extractSource3, kFilm, fixtureSite("source3"));
  expectPost(post, expectedFilmPost());
  EXPECT_THAT(post.requests, ElementsAre(kFilm, kPlayPage, kPlayData));
}

TEST(Source3, AnUncheckedBoxLeavesOutItsBlockAndKindTagOnly) {
  for (std::string_view box : {"选择框1", "选择框2", "选择框3", "选择框4"}) {
    SCOPED_TRACE(std::string(box));
    const ComposedPost post =
        composePost(extractSource3, kFilm, fixtureSite("source3"),
                    [&](MemoryControls& window) { window.setChecked(box, false); });
    expectPost(post, expectedFilmPost({box}));
  }
}

TEST(Source3, ReadsEachBoxWhenItsBlockIsDue) {
  const ComposedPost post = composePostWhileFetching(
      extractSource3, kFilm, fixtureSite("source3"),
      [](MemoryControls& window, const Text& page) {
        if (page == kPlayPage) window.setChecked("选择框1", false);
      });
  expectPost(post, expectedFilmPost({"选择框1"}));
}

TEST(Source3, FilmNumberComesFromTheRunsOwnAddressNotTheAddressBox) {
  // Another film's address typed into the box while the film page loads must not bring
  // that film's links into this film's post.
  const ComposedPost post = composePostWhileFetching(
      extractSource3, kFilm, fixtureSite("source3"),
      [](MemoryControls& window, const Text&) {
        window.setText("地址框", kHome + "/content/320.html");
      });
  EXPECT_THAT(post.requests, ElementsAre(kFilm, kPlayPage, kPlayData));
  expectPost(post, expectedFilmPost());
}

TEST(Source3, StatusIsTheFirstElementsTextWhenThereIsOne) {
  struct Case {
    const char* value;  // between "状态：<span>" and "</span>"
    const char* status;
  };
  const Case cases[] = {
      {"<font color=\"red\">更新至08集</font>", "更新至08集"},
      {"连载中<em>第8集</em>", "第8集"},
      {"完结", "完结"},
      {"<b></b>完结", "<b></b>完结"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const Text page = gbk(std::string("<li>状态：<span>") + c.value + "</span></li>");
    const ComposedPost post = composePost(extractSource3, kFilm, [&](const Text& address) {
      return address == kFilm ? FetchResult{page, true, ""} : FetchResult{"", true, ""};
    });
    EXPECT_EQ(post.title, gbk(std::string("[][][][") + c.status + "]"));
  }
}

TEST(Source3, FilmPageWithoutMarkersGivesEmptyValuesAndAnFtpBlockWithoutLinks) {
  // "ftp://" stands only outside the GvodUrls value. In the play data, 誠 (D5 5C in GBK,
  // its second byte a "\") stands right before "u5F00": no escape starts there.
  const Text film = kHome + "/content/320.html";
  const ComposedPost post = composePost(extractSource3, film, fixtureSite("source3"));
  EXPECT_EQ(post.title, "[][][][][FTP][QVOD]");
  EXPECT_EQ(post.content, "[img]http://tu[/img]\r\n\r\n[FTP]\r\n[/FTP]\r\n" +
                              gbk("[QVOD]\r\nqvod://1|H|誠u5F00开.rmvb|\r\n[/QVOD]\r\n"));
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_THAT(post.requests,
              ElementsAre(film, kHome + "/video/320-0-0.html", kHome + "/playdata/320/v.js"));
}

TEST(Source3, FilmPageWithoutResponseStillEndsWithStatusAndWatermark) {
  const Text film = kHome + "/content/999.html";
  const ComposedPost post = composePost(extractSource3, film, fixtureSite("source3"));
  EXPECT_EQ(post.title, "[][][][]");
  EXPECT_EQ(post.content, "[img]http://tu[/img]\r\n\r\n");
  EXPECT_EQ(post.status, gbk("获取失败!"));
  EXPECT_EQ(post.replace, kWatermark);
  EXPECT_THAT(post.requests,
              ElementsAre(film, kHome + "/video/999-0-0.html", kHome + "/playdata/"));
}

TEST(Source3, FurtherPagesThatFailOrAnswerWithAnErrorPage) {
  struct Case {
    const char* what;
    Text film;
    PageFetcher fetcher;
    Text status;
    Text title;
    Text content;
  };
  const Text filmPart = kImageAndDescription + filmBlocks()[0].lines;
  const Case cases[] = {
      {"play page without response", kFilm, answering("source3", kPlayPage, {"", false, "refused"}),
       "部分获取失败!", kDataTags + "[FTP]", filmPart},
      {"play data without response", kHome + "/content/330.html", fixtureSite("source3"),
       "部分获取失败!", gbk("[][][无][]"), "[img]http://tu[/img]\r\n\r\n"},
      {"play data answers 404", kFilm,
       answering("source3", kPlayData, {"<html>404 Not Found</html>", true, ""}), "获取完毕!",
       kDataTags + "[FTP]", filmPart},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ComposedPost post = composePost(extractSource3, c.film, c.fetcher);
    EXPECT_EQ(post.title, c.title);
    EXPECT_EQ(post.content, c.content);
    EXPECT_EQ(post.status, gbk(c.status));
    EXPECT_EQ(post.replace, kWatermark);
  }
}

TEST(Source3, BundledSampleIsACompletePost) {
  const ComposedPost post = composePost(extractSource3, kHome + "/content/5521.html",
                                        samplePageFetcher(bundledSamplesDir()));
  EXPECT_THAT(post.title, ::testing::EndsWith("[FTP][QVOD][BDHD][GVOD]"));
  EXPECT_EQ(post.status, gbk("获取完毕!"));
}

TEST(Source3, CommandLineFetchOverHttp) {
  const testing::ProgramRun run = testing::fetchJsonOverHttp("source3", "www.cinepod.example", kFilm);
  const ComposedPost expected = expectedFilmPost();
  EXPECT_EQ(run.field("title"), gbkToUtf8(expected.title));
  EXPECT_EQ(run.field("content"), gbkToUtf8(expected.content));
  EXPECT_EQ(run.field("replace"), gbkToUtf8(expected.replace));
  EXPECT_EQ(run.field("status"), "获取完毕!");
  EXPECT_EQ(run.json().value("radio").toInt(), 3);
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace quorvel
