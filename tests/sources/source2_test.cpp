#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sources/domains.h"
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

const Text kHome = "http://www.reelhub.example";
const Text kFilm = kHome + "/Html/GP100.html";
const Text kPlayPage = kHome + "/play/play100-0-0.html";
const Text kPlayData = kHome + "/playdata/100/1.js";

// The film page's part of the post, before any link block.
const Text kDataTags = gbk("[大陆][2012][海上灯塔][全12集]");
const Text kImageAndDescription =
    gbk("[img]http://tu.reelhub-img.example/2012/100.jpg[/img]\r\n"
        "\r\n守塔人“老周”在孤岛上度过了<font "
        "color=\"red\">三十年</font>……\r\n\r\n一场风暴——改变了一切。\r\n");

// Every block the film gives, in post order: FTP from the film page, then the play data's.
std::vector<Block> filmBlocks() {
  const Text ftp = "ftp://dy:dy@ftp.reelhub-dl.example/";
  return {
      {"选择框4", "[FTP]",
       gbk("[FTP]\r\n" + ftp + "海上灯塔/海上灯塔01.rmvb|Name|海上灯塔01.rmvb|\r\n" + ftp +
           "海上灯塔/海上灯塔02.rmvb|Name|海上灯塔02.rmvb|\r\n[/FTP]\r\n")},
      {"选择框1", "[QVOD]",
       gbk("[QVOD]\r\nqvod://157286400|9F3C0A5B7E21D4C8|海上灯塔01.rmvb|\r\n"
           "qvod://157286401|6A0B3F9E1D2C4B5A|海上灯塔02.rmvb|\r\n[/QVOD]\r\n")},
      {"选择框2", "[BDHD]",
       gbk("[BDHD]\r\nbdhd://157286400|C86A0B3F9E1D2C4B|海上灯塔01.rmvb|\r\n[/BDHD]\r\n")},
      {"选择框3", "[GVOD]",
       "[GVOD]\r\ngvod://gvod.reelhub-dl.example:8080/100/01.rmvb\r\n[/GVOD]\r\n"},
  };
}

// The film's post with the blocks of `unchecked` boxes left out.
ComposedPost expectedFilmPost(const std::vector<std::string_view>& unchecked = {}) {
  ComposedPost post = completedPost(kDataTags, kImageAndDescription, filmBlocks(), unchecked);
  post.replace = gbk("[迅雷下载www.reelhub.example]");
  return post;
}

TEST(Source2, ComposesTheWholePostFromFilmPagePlayPageAndPlayData) {
  const ComposedPost post = composePost(extractSource2, kFilm, fixtureSite("source2"));
  expectPost(post, expectedFilmPost());
  EXPECT_THAT(post.requests, ElementsAre(kFilm, kPlayPage, kPlayData));
}

TEST(Source2, AnUncheckedBoxLeavesOutItsBlockAndKindTagOnly) {
  for (std::string_view box : {"选择框1", "选择框2", "选择框3", "选择框4"}) {
    SCOPED_TRACE(std::string(box));
    const ComposedPost post =
        composePost(extractSource2, kFilm, fixtureSite("source2"),
                    [&](MemoryControls& window) { window.setChecked(box, false); });
    expectPost(post, expectedFilmPost({box}));
  }
}

TEST(Source2, ReadsEachBoxWhenItsBlockIsDue) {
  const ComposedPost post = composePostWhileFetching(
      extractSource2, kFilm, fixtureSite("source2"),
      [](MemoryControls& window, const Text& page) {
        // The FTP block is already written when the play data comes in.
        if (page == kPlayData) {
          window.setChecked("选择框3", false);
          window.setChecked("选择框4", false);
        }
      });
  expectPost(post, expectedFilmPost({"选择框3"}));
}

TEST(Source2, SampleAddressGivesFilmNumber13861) {
  const ComposedPost post =
      composePost(extractSource2, sampleAddress(), samplePageFetcher(bundledSamplesDir()));
  ASSERT_EQ(post.requests.size(), 3u);
  EXPECT_EQ(post.requests[1], kHome + "/play/play13861-0-0.html");
  // The bundled sample is a complete post.
  EXPECT_THAT(post.title, ::testing::EndsWith("[FTP][QVOD][BDHD][GVOD]"));
  EXPECT_EQ(post.status, gbk("获取完毕!"));
}

TEST(Source2, FilmPageWithoutMarkersGivesEmptyValuesAndAnFtpBlockWithoutLinks) {
  // The page holds "ftp://" only outside the GvodUrls value; its play data holds QVOD
  // only in capitals, which is no QVOD link.
  const ComposedPost post =
      composePost(extractSource2, kHome + "/Html/GP200.html", fixtureSite("source2"));
  EXPECT_EQ(post.title, "[][][][][FTP][BDHD]");
  EXPECT_EQ(post.content,
            "[img]http://tu[/img]\r\n\r\n"
            "[FTP]\r\n[/FTP]\r\n"
            "[BDHD]\r\nbdhd://2|DEF|b.rmvb|\r\n[/BDHD]\r\n");
  EXPECT_EQ(post.status, gbk("获取完毕!"));
}

TEST(Source2, FilmPageWithoutResponseStillEndsWithStatusAndWatermark) {
  const Text film = kHome + "/Html/GP999.html";
  const ComposedPost post = composePost(extractSource2, film, fixtureSite("source2"));
  EXPECT_EQ(post.title, "[][][][]");
  EXPECT_EQ(post.content, "[img]http://tu[/img]\r\n\r\n");
  EXPECT_EQ(post.status, gbk("获取失败!"));
  EXPECT_EQ(post.replace, gbk("[迅雷下载www.reelhub.example]"));
  // The play page and the play data are asked for all the same, the latter with an empty path.
  EXPECT_THAT(post.requests,
              ElementsAre(film, kHome + "/play/play999-0-0.html", kHome + "/playdata/"));
}

TEST(Source2, AddressWithoutFilmNumberAsksForThePlayPageWithoutOne) {
  const Text film = kHome + "/Html/list.html";
  const ComposedPost post = composePost(extractSource2, film, fixtureSite("source2"));
  EXPECT_THAT(post.requests,
              ElementsAre(film, kHome + "/play/play-0-0.html", kHome + "/playdata/"));
}

TEST(Source2, FurtherPagesThatFailOrAnswerWithAnErrorPage) {
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
      {"play page without response", kFilm, answering("source2", kPlayPage, {"", false, "refused"}),
       "部分获取失败!", kDataTags + "[FTP]", filmPart},
      {"play data without response", kHome + "/Html/GP300.html", fixtureSite("source2"),
       "部分获取失败!", gbk("[][][灯][]"),
       "[img]http://tu.reelhub-img.example/300.jpg[/img]\r\n\r\n"},
      {"play data answers 404", kFilm,
       answering("source2", kPlayData, {"<html>404 Not Found</html>", true, ""}), "获取完毕!",
       kDataTags + "[FTP]", filmPart},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ComposedPost post = composePost(extractSource2, c.film, c.fetcher);
    EXPECT_EQ(post.title, c.title);
    EXPECT_EQ(post.content, c.content);
    EXPECT_EQ(post.status, gbk(c.status));
    EXPECT_EQ(post.replace, gbk("[迅雷下载www.reelhub.example]"));
  }
}

TEST(Source2, EscapeAfterACharacterEndingInABackslashByteIsNotAnEscape) {
  // 誠 is D5 5C in GBK: its second byte is "\", and "u5F00" follows it.
  const ComposedPost post =
      composePost(extractSource2, kHome + "/Html/GP600.html", fixtureSite("source2"));
  EXPECT_EQ(post.content, "[img]http://tu[/img]\r\n\r\n" +
                              gbk("[BDHD]\r\nbdhd://1|H|誠u5F00开.rmvb|\r\n[/BDHD]\r\n"));
}

TEST(Source2, CommandLineFetchOverHttp) {
  const testing::ProgramRun run = testing::fetchJsonOverHttp("source2", "www.reelhub.example", kFilm);
  const ComposedPost expected = expectedFilmPost();
  EXPECT_EQ(run.field("title"), gbkToUtf8(expected.title));
  EXPECT_EQ(run.field("content"), gbkToUtf8(expected.content));
  EXPECT_EQ(run.field("replace"), gbkToUtf8(expected.replace));
  EXPECT_EQ(run.field("status"), "获取完毕!");
  EXPECT_EQ(run.json().value("radio").toInt(), 2);
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace quorvel
