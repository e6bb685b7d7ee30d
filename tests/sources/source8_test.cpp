// Source 8: a GBK film page and one play page per play link, each giving one link:
// a Thunder link unwrapped, or the player's parameter.
#include <gtest/gtest.h>

#include <map>

#include "sources/extractors.h"
#include "tests/support/command_line.h"
#include "tests/support/compose_harness.h"
#include "tests/support/link_payloads.h"
#include "tests/support/post_expectations.h"

namespace quorvel::testing {
namespace {

const Text kAddress = "http://www.playlot.example/movie/3301/";
const Text kWatermark = "[www.playlot.example]";

const Text kTitleTags = gbk("[风声鹤唳][剧情片][2011年]");
const Text kImage = "[img]http://img.playlot.example/cover/3301.jpg[/img]\r\n\r\n";
const Text kDescription = gbk(
    "\n民国二十六年，上海。\r\n一份密电在军统内部流转……\r\n\n"
    "[b]谁是内鬼？[/b]“老鬼”的真实身份——扑朔迷离。\n\r\n"
    "[img]http://img.playlot.example/shot/3301-1.jpg[/img]\r\n"
    "[img]http://img.playlot.example/shot/3301-2.jpg[/img]\r\n\n\n\r\n");
const Text kBdhdBlock = gbk(
    "[BDHD]\r\n"
    "bdhd://233015744|8E7E2D5F0A1C3B4D6E8F9A0B1C2D3E4F|风声鹤唳.第01集.rmvb\r\n"
    "bdhd://241170432|0F1E2D3C4B5A69788796A5B4C3D2E1F0|风声鹤唳.第02集.rmvb\r\n"
    "[/BDHD]\r\n");
const Text kFtpBlock = gbk(
    "[Ftp]\r\n"
    "ftp://dy:dy@ftp.playlot.example/风声鹤唳/[www.playlot.example]风声鹤唳.第01集.rmvb"
    "|Name|[www.playlot.example]风声鹤唳.第01集.rmvb|\r\n"
    "ftp://dy:dy@ftp.playlot.example/风声鹤唳/[www.playlot.example]风声鹤唳.第02集.rmvb"
    "|Name|[www.playlot.example]风声鹤唳.第02集.rmvb|\r\n"
    "[/Ftp]\r\n");

Text play(int n) { return kAddress + "play_" + std::to_string(n) + ".html"; }

ComposedPost composeFixture(const std::function<void(MemoryControls&)>& prepare = {}) {
  return composePost(extractSource8, kAddress, fixtureSite("source8"), prepare);
}

TEST(Source8, ComposesTheWholePostFromThePlayPages) {
  const ComposedPost post = composeFixture();
  EXPECT_EQ(post.title, kTitleTags + "[BDHD][Ftp]");
  EXPECT_EQ(post.content, kImage + kDescription + kBdhdBlock + kFtpBlock);
  EXPECT_EQ(post.replace, kWatermark);
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.requests, (std::vector<Text>{kAddress, play(1), play(2), play(3), play(4)}));
}

TEST(Source8, TheImageBlockAndItsEmptyLineArriveInOneAppend) {
  std::vector<Text> contents;  // the content box after each of its changes
  composeFixture([&](MemoryControls& controls) {
    controls.setObserver([&](std::string_view name) {
      if (name == "编辑框2") contents.push_back(controls.text("编辑框2"));
    });
  });
  ASSERT_FALSE(contents.empty());
  EXPECT_EQ(contents.front(), kImage);
}

TEST(Source8, TheFtpBlockFollowsTheThirdBoxNotTheFourth) {
  struct Case {
    const char* box;
    Text kindTags;
    Text blocks;
  };
  const Case cases[] = {
      {"选择框2", "[Ftp]", kFtpBlock},
      {"选择框3", "[BDHD]", kBdhdBlock},
      {"选择框4", "[BDHD][Ftp]", kBdhdBlock + kFtpBlock},
      {"选择框1", "[BDHD][Ftp]", kBdhdBlock + kFtpBlock},
      {"选择框5", "[BDHD][Ftp]", kBdhdBlock + kFtpBlock},
      {"选择框6", "[BDHD][Ftp]", kBdhdBlock + kFtpBlock},
      {"选择框7", "[BDHD][Ftp]", kBdhdBlock + kFtpBlock},
      {"选择框8", "[BDHD][Ftp]", kBdhdBlock + kFtpBlock},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    const ComposedPost post =
        composeFixture([&](MemoryControls& controls) { controls.setChecked(c.box, false); });
    EXPECT_EQ(post.title, kTitleTags + c.kindTags);
    EXPECT_EQ(post.content, kImage + kDescription + c.blocks);
    EXPECT_EQ(post.replace, kWatermark);
  }
}

TEST(Source8, ReadsACheckBoxWhenItsBlockIsDue) {
  const ComposedPost post = composePostWhileFetching(
      extractSource8, kAddress, fixtureSite("source8"),
      [](MemoryControls& window, const Text& address) {
        if (address == play(4)) window.setChecked("选择框3", false);
      });
  EXPECT_EQ(post.title, kTitleTags + "[BDHD]");
  EXPECT_EQ(post.content, kImage + kDescription + kBdhdBlock);
}

TEST(Source8, APlayPageWithoutLinkAddsNothingAndOnlyNoResponseMakesTheRunPartial) {
  struct Case {
    const char* name;
    FetchResult answer;
    const char* status;
  };
  const Case cases[] = {
      {"no response", {"", false, "timed out"}, "部分获取失败!"},
      {"404 page", {"<html><body>404 Not Found</body></html>", true, ""}, "获取完毕!"},
  };
  const Text ftpBlockWithoutFirst = gbk(
      "[Ftp]\r\n"
      "ftp://dy:dy@ftp.playlot.example/风声鹤唳/[www.playlot.example]风声鹤唳.第02集.rmvb"
      "|Name|[www.playlot.example]风声鹤唳.第02集.rmvb|\r\n"
      "[/Ftp]\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(extractSource8, kAddress, answering("source8", play(1), c.answer));
    EXPECT_EQ(post.title, kTitleTags + "[BDHD][Ftp]");
    EXPECT_EQ(post.content, kImage + kDescription + kBdhdBlock + ftpBlockWithoutFirst);
    EXPECT_EQ(post.replace, kWatermark);
    EXPECT_EQ(post.status, gbk(c.status));
    EXPECT_EQ(post.requests.size(), 5u);
  }
}

TEST(Source8, AFilmPageWithoutMarkersGivesEmptyFieldsAndStillTheWatermark) {
  for (const EmptyFilmPage& c : emptyFilmPages()) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(
        extractSource8, kAddress, c.site,
        [](MemoryControls& controls) { controls.setText("编辑框5", "old"); });
    EXPECT_EQ(post.title, "[][][]");
    EXPECT_EQ(post.content, "[img][/img]\r\n\r\n\r\n");
    EXPECT_EQ(post.replace, kWatermark);
    EXPECT_EQ(post.status, c.status);
    EXPECT_EQ(post.requests, std::vector<Text>{kAddress});
  }
}

// A film page of the given description area and play links, served with its play pages.
PageFetcher site(const Text& filmPage, const std::map<Text, Text>& playPages) {
  return [=](const Text& address) {
    if (address == kAddress) return FetchResult{filmPage, true, ""};
    const auto page = playPages.find(address);
    if (page == playPages.end()) return FetchResult{"", false, "refused"};
    return FetchResult{page->second, true, ""};
  };
}

// No closing tags: a description may run to the end of the page.
Text filmPage(const Text& body) { return "<html><body>" + body; }

const Text kOnePlayLink = "<a href=\"play_1.html\">1</a>";

Text thunderPage(const Text& gbkAddress) {
  return "<script>var u = encodeURIComponent('thunder://" + thunderPayload(gbkAddress) +
         "');</script>";
}

TEST(Source8, PlayPageCases) {
  struct Case {
    const char* name;
    Text playPage;
    Text kindTags;
    Text blocks;
  };
  const Text chineseFtp = gbk("ftp://a:a@ftp.playlot.example/电影/[www.playlot.example]大地.國語");
  const Case cases[] = {
      {"a Thunder link to an FTP address with a GBK file name whose last byte is Z",
       thunderPage(chineseFtp), "[Ftp]",
       "[Ftp]\r\n" + chineseFtp + "|Name|" + gbk("[www.playlot.example]大地.國語") + "|\r\n[/Ftp]\r\n"},
      {"an address holding zz stays whole", thunderPage("ftp://a:a@ftp.playlot.example/jazz/Jazz.Nights.rmvb"),
       "[Ftp]",
       "[Ftp]\r\nftp://a:a@ftp.playlot.example/jazz/Jazz.Nights.rmvb|Name|Jazz.Nights.rmvb|\r\n"
       "[/Ftp]\r\n"},
      {"a Thunder link to a BDHD address", thunderPage("bdhd://1|AB|x.rmvb"), "[BDHD]",
       "[BDHD]\r\nbdhd://1|AB|x.rmvb\r\n[/BDHD]\r\n"},
      {"thunder:// without the encode call hides the player parameter",
       "<a href=\"thunder://" + thunderPayload("bdhd://1|AB|x.rmvb") +
           "\">1</a><script>var param_URL=\"bdhd://2|CD|y.rmvb\";</script>",
       "", ""},
      {"the player parameter, trimmed", "<script>var param_URL=\"  bdhd://2|CD|y.rmvb \";</script>",
       "[BDHD]", "[BDHD]\r\nbdhd://2|CD|y.rmvb\r\n[/BDHD]\r\n"},
      {"an FTP parameter ending in a slash is named after its folder",
       "<script>var param_URL=\"ftp://a:a@ftp.playlot.example/dir/\";</script>", "[Ftp]",
       "[Ftp]\r\nftp://a:a@ftp.playlot.example/dir/|Name|dir|\r\n[/Ftp]\r\n"},
      {"a payload that is not a Thunder wrapping gives nothing",
       "<script>encodeURIComponent('thunder://" + base64Encode("ftp://a/b.rmvb") + "')</script>", "",
       ""},
      {"ftp:// in capitals is no FTP link", "<script>var param_URL=\"FTP://a/b.rmvb\";</script>", "",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ComposedPost post =
        composePost(extractSource8, kAddress, site(filmPage(kOnePlayLink), {{play(1), c.playPage}}));
    EXPECT_EQ(post.title, "[][][]" + c.kindTags);
    EXPECT_EQ(post.content, "[img][/img]\r\n\r\n\r\n" + c.blocks);
    EXPECT_EQ(post.status, gbk("获取完毕!"));
  }
}

TEST(Source8, TheDescriptionIsTheThirdText2Piece) {
  const Text marker = "<div class=\"text2\">";
  struct Case {
    const char* name;
    Text body;
    Text description;
  };
  const Case cases[] = {
      {"no marker", "<p>intro</p>", ""},
      {"one marker", marker + "<p>intro</p>", ""},
      {"two markers and nothing after them", marker + "a</div>" + marker, ""},
      {"two markers", marker + "a</div>" + marker + "<p>intro<br>two</p>", "intro\r\ntwo"},
      {"three markers: up to the third", marker + "a" + marker + "intro" + marker + "list", "intro"},
      {"a notice in a font and an advert div are cut out",
       marker + "a" + marker + "<font color=red>notice</font></div><div class=ad>advert</div>intro",
       "intro"},
      {"a lower-case image tag", marker + "a" + marker + "x<img src=\"i.jpg\" />y",
       "x\r\n[img]i.jpg[/img]\r\ny"},
      {"an image tag without its end is left alone", marker + "a" + marker + "x<IMG src=\"i.jpg\"",
       "x<IMG src=\"i.jpg\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ComposedPost post = composePost(extractSource8, kAddress, site(filmPage(c.body), {}));
    EXPECT_EQ(post.content, "[img][/img]\r\n\r\n" + c.description + "\r\n");
  }
}

TEST(Source8, CommandLineComposesThePostOverHttp) {
  const CommandLinePost post = fetchWithCommandLine("source8", "www.playlot.example", kAddress);
  ASSERT_EQ(post.exitCode, 0) << post.output;
  EXPECT_EQ(post.title, kTitleTags + "[BDHD][Ftp]");
  EXPECT_EQ(post.content, kImage + kDescription + kBdhdBlock + kFtpBlock);
  EXPECT_EQ(post.replace, kWatermark);
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.radio, 8);
}

// A film whose play pages the site does not have: over real HTTP they answer 404 with a
// body, so the run is complete; their entries are empty.
TEST(Source8, PlayPagesAnswering404OverHttpCompleteTheRun) {
  const CommandLinePost post =
      fetchWithCommandLine("source8", "www.playlot.example", "http://www.playlot.example/movie/3301/index.html");
  ASSERT_EQ(post.exitCode, 0) << post.output;
  EXPECT_EQ(post.title, kTitleTags);
  EXPECT_EQ(post.content, kImage + kDescription);
  EXPECT_EQ(post.status, gbk("获取完毕!"));
}

}  // namespace
}  // namespace quorvel::testing
