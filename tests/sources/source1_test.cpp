// Source 1: a UTF-8 film page gives the image, description and four title tags; its
// play pages and its own Flashget links give the BDHD, FTP and FLASHGET blocks.
#include <gtest/gtest.h>

#include "sources/domains.h"
#include "sources/extractors.h"
#include "tests/support/command_line.h"
#include "tests/support/compose_harness.h"
#include "tests/support/fixture_server.h"
#include "tests/support/post_expectations.h"

namespace quorvel::testing {
namespace {

const Text kHome = "http://www.lumenfilm.example";
const Text kFilmAddress = kHome + "/Movie/12345.htm";

std::vector<Text> playRequests(std::initializer_list<const char*> ids) {
  std::vector<Text> requests;
  for (const char* id : ids) requests.push_back(kHome + "/Play.htm?ID=" + id);
  return requests;
}

ComposedPost composeSite(const std::function<void(MemoryControls&)>& prepare = {}) {
  return composePost(extractSource1, kFilmAddress, fixtureSite("source1/site"), prepare);
}

// The fixture film: three play pages (bdhd, ftp, a Flashget address) and one Flashget
// link on the film page that decodes to an ftp address on a "flashget" host.
const Text& siteTags() {
  static const Text text = gbk("[美国][2012][星河彼岸][HD高清]");
  return text;
}

const Text& siteHead() {
  static const Text text = gbk(
      "[img]http://img.lumenfilm.example/poster/12345.jpg[/img]\r\n"
      "\r\n宇航员“林”在星河彼岸… 醒来—'归途'。\r\n他必须独自返航。\r\n");
  return text;
}

const Text& siteBdhdBlock() {
  static const Text text =
      gbk("[BDHD]\r\nbdhd://734003200|5C2D1A7B9E0F4A6B8C3D2E1F0A9B8C7D|星河彼岸.rmvb\r\n[/BDHD]\r\n");
  return text;
}

const char* const kPlayFtpLine = "ftp://lm:lm@ftp.lumenfilm.example:21/movie/星河彼岸.mkv|Name|星河彼岸.mkv|\r\n";
const char* const kDecodedFtpLine =
    "ftp://dl.flashget.example/xh/[流明影视]星河彼岸.mkv|Name|[流明影视]星河彼岸.mkv|\r\n";

const Text& siteFtpBlock() {
  static const Text text = "[FTP]\r\n" + gbk(kPlayFtpLine) + gbk(kDecodedFtpLine) + "[/FTP]\r\n";
  return text;
}

const Text& siteFlashgetBlock() {
  static const Text text = gbk(
      "[FLASHGET]\r\n"
      "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9kbC5sdW1lbmZpbG0uZXhhbXBsZS8xMjM0NS5ybXZiW0ZMQVNIR0VUXQ==&lm\r\n"
      "ftp://dl.flashget.example/xh/[流明影视]星河彼岸.mkv\r\n"
      "[/FLASHGET]\r\n");
  return text;
}

std::vector<Text> siteRequests() {
  std::vector<Text> requests{kFilmAddress};
  for (const Text& play : playRequests({"12345-1", "12345-2", "12345-3"})) requests.push_back(play);
  return requests;
}

// The film page says 盤lay.htm?ID=666" in a comment: 盤 is B1 50, its second byte "P".
// Only the three real play links are fetched.
TEST(Source1, ComposesTheWholePostFromFilmAndPlayPages) {
  const ComposedPost post = composeSite();
  EXPECT_EQ(post.title, siteTags() + "[BDHD][FTP]" + gbk("[快车]"));
  EXPECT_EQ(post.content, siteHead() + siteBdhdBlock() + siteFtpBlock() + siteFlashgetBlock());
  EXPECT_EQ(post.replace, "");
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.requests, siteRequests());
}

TEST(Source1, EachUncheckedBoxLeavesOutItsBlockAndTag) {
  const struct {
    const char* box;
    Text title;
    Text content;
  } cases[] = {
      {"选择框2", siteTags() + "[FTP]" + gbk("[快车]"), siteHead() + siteFtpBlock() + siteFlashgetBlock()},
      {"选择框4", siteTags() + "[BDHD]" + gbk("[快车]"), siteHead() + siteBdhdBlock() + siteFlashgetBlock()},
      {"选择框6", siteTags() + "[BDHD][FTP]", siteHead() + siteBdhdBlock() + siteFtpBlock()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box);
    const ComposedPost post =
        composeSite([&](MemoryControls& controls) { controls.setChecked(c.box, false); });
    EXPECT_EQ(post.title, c.title);
    EXPECT_EQ(post.content, c.content);
    EXPECT_EQ(post.status, gbk("获取完毕!"));
  }
}

TEST(Source1, WithEveryBoxUncheckedThePlayPagesAreStillFetched) {
  const ComposedPost post = composeSite([](MemoryControls& controls) {
    for (const char* box : {"选择框2", "选择框4", "选择框6"}) controls.setChecked(box, false);
  });
  EXPECT_EQ(post.title, siteTags());
  EXPECT_EQ(post.content, siteHead());
  EXPECT_EQ(post.requests, siteRequests());
}

TEST(Source1, ReadsEachBoxWhenItsBlockIsDue) {
  const ComposedPost post = composePostWhileFetching(
      extractSource1, kFilmAddress, fixtureSite("source1/site"),
      [](MemoryControls& window, const Text& address) {
        // Checked when the fetch started, unchecked before the blocks are written.
        if (address == playRequests({"12345-3"}).front()) window.setChecked("选择框2", false);
      });
  EXPECT_EQ(post.title, siteTags() + "[FTP]" + gbk("[快车]"));
  EXPECT_EQ(post.content, siteHead() + siteFtpBlock() + siteFlashgetBlock());
}

TEST(Source1, APlayPageThatFailsAddsAnEmptyEntry) {
  const Text ftpPage = playRequests({"12345-2"}).front();
  const struct {
    const char* what;
    FetchResult answer;
    const char* status;
  } cases[] = {
      {"no response", {"", false, "refused"}, "部分获取失败!"},
      {"404 answer", {"<html>not found</html>", true, ""}, "获取完毕!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ComposedPost post =
        composePost(extractSource1, kFilmAddress, answering("source1/site", ftpPage, c.answer));
    EXPECT_EQ(post.title, siteTags() + "[BDHD][FTP]" + gbk("[快车]"));
    EXPECT_EQ(post.content, siteHead() + siteBdhdBlock() + "[FTP]\r\n" + gbk(kDecodedFtpLine) +
                                "[/FTP]\r\n" + siteFlashgetBlock());
    EXPECT_EQ(post.status, gbk(c.status));
    EXPECT_EQ(post.requests, siteRequests());
  }
}

TEST(Source1, AFilmPageWithoutResponseGivesEmptyFields) {
  const ComposedPost post =
      composePost(extractSource1, kFilmAddress, [](const Text&) { return FetchResult{"", false, "refused"}; });
  EXPECT_EQ(post.title, "[][][][]");
  EXPECT_EQ(post.content, "[img][/img]\r\n\r\n");
  EXPECT_EQ(post.status, gbk("获取失败!"));
  EXPECT_EQ(post.requests, std::vector<Text>{kFilmAddress});
}

// A film page given inline (UTF-8); every play page answers with its own address as a
// bdhd link, so the BDHD block shows which entries were gathered, in order.
PageFetcher inlineSite(const std::string& filmPage) {
  return [filmPage](const Text& address) {
    if (address == kFilmAddress) return FetchResult{filmPage, true, ""};
    return FetchResult{"p_url:\"bdhd://" + address + "\"", true, ""};
  };
}

TEST(Source1, OnePlayPageRequestPerPlayLink) {
  const struct {
    const char* what;
    const char* page;
    std::vector<const char*> ids;
  } cases[] = {
      {"three links", "<a href=\"Play.htm?ID=1\">a</a><a href=\"Play.htm?ID=2\">b</a><a href=\"Play.htm?ID=3\">c</a>",
       {"1", "2", "3"}},
      {"id marker in small letters", "<a href=\"/Play.htm?id=7\">a</a>", {"7"}},
      {"empty id", "<a href=\"Play.htm?\">a</a>", {""}},
      {"no id marker", "<a href=\"Play.htm?x\">a</a>", {""}},
      {"the same page twice", "Play.htm?ID=5\" Play.htm?ID=5\"", {"5", "5"}},
      {"page ends with the marker", "Play.htm?ID=1\" Play.htm?", {"1"}},
      {"link in small letters", "<a href=\"play.htm?ID=1\">a</a>", {}},
      {"marker after a character's first byte", "光盤lay.htm?ID=9\"", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ComposedPost post = composePost(extractSource1, kFilmAddress, inlineSite(c.page));
    std::vector<Text> requests{kFilmAddress};
    Text lines;
    for (const char* id : c.ids) {
      requests.push_back(kHome + "/Play.htm?ID=" + id);
      lines += "bdhd://" + requests.back() + "\r\n";
    }
    EXPECT_EQ(post.requests, requests);
    EXPECT_EQ(post.content, "[img][/img]\r\n\r\n" + (lines.empty() ? "" : "[BDHD]\r\n" + lines + "[/BDHD]\r\n"));
  }
}

TEST(Source1, RegionLosesItsFirstTagOnly) {
  const struct {
    const char* region;  // between "产地：" and "</a>", UTF-8
    const char* tag;
  } cases[] = {
      {"<a href=\"/area/usa.htm\">美国", "[美国]"},
      {"美国", "[美国]"},
      {"<span>中国</span>香港", "[中国</span>香港]"},
      {"<b>法国<b>", "[法国]"},
      {"5>3<>x", "[5>3x]"},
      {"1<2", "[1<2]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.region);
    const ComposedPost post = composePost(
        extractSource1, kFilmAddress, inlineSite("<p>产地：" + std::string(c.region) + "</a></p>"));
    EXPECT_EQ(post.title, gbk(c.tag) + "[][][]");
  }
}

TEST(Source1, FlashgetLinksOfTheFilmPageThatDoNotDecodeAddNothing) {
  const ComposedPost post = composePost(extractSource1, kFilmAddress,
                                        inlineSite("<a href=\"Flashget://bm90IGEgbGluaw==\">x</a>"));
  EXPECT_EQ(post.title, "[][][][]");
  EXPECT_EQ(post.content, "[img][/img]\r\n\r\n");
}

// The real page fetch against the fixture site over loopback: a play page the site does
// not have answers 404 with a body, so the run is complete.
TEST(Source1, PlayPageAnswering404OverHttpCompletesTheRun) {
  FixtureServer server(std::string(QUORVEL_FIXTURES_DIR) + "/source1/site");
  setRoutes({{"www.lumenfilm.example", 80, "127.0.0.1", server.port()}});
  const Text film = kHome + "/Movie/12346.htm";
  const ComposedPost post =
      composePost(extractSource1, film, [](const Text& address) { return fetchPageWithReport(address); });
  setRoutes({});
  EXPECT_EQ(post.title, gbk("[中国][2013][归途][完结][BDHD]"));
  EXPECT_EQ(post.content, gbk("[img]http://img.lumenfilm.example/poster/12346.jpg[/img]\r\n一部短片。\r\n") +
                              siteBdhdBlock());
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.requests, (std::vector<Text>{film, kHome + "/Play.htm?ID=12346-1", kHome + "/Play.htm?ID=12345-1"}));
}

// The bundled sample film composes a post with all three blocks offline.
TEST(Source1, BundledSampleComposesEveryBlock) {
  const ComposedPost post = composePost(extractSource1, kHome + "/Movie/20871.htm",
                                        samplePageFetcher(bundledSamplesDir()));
  EXPECT_EQ(post.title, gbk("[中国大陆][2014][雪线以北][BD高清][BDHD][FTP][快车]"));
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.requests.size(), 3u);
}

// The real program, over loopback HTTP.
TEST(Source1, CommandLineComposesThePostOverHttp) {
  const ProgramRun run = fetchJsonOverHttp("source1/site", "www.lumenfilm.example", kFilmAddress);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const QJsonObject post = run.json();
  ASSERT_FALSE(post.isEmpty()) << run.out;
  EXPECT_EQ(run.field("title"), gbkToUtf8(siteTags() + "[BDHD][FTP]" + gbk("[快车]")));
  EXPECT_EQ(run.field("content"),
            gbkToUtf8(siteHead() + siteBdhdBlock() + siteFtpBlock() + siteFlashgetBlock()));
  EXPECT_EQ(run.field("replace"), "");
  EXPECT_EQ(run.field("status"), "获取完毕!");
  EXPECT_EQ(post.value("radio").toInt(), 1);
}

}  // namespace
}  // namespace quorvel::testing
