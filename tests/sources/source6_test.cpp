// Source 6: a GBK film page becomes a title line from its heading, a description with
// its images in place, an FTP block from its anchors, and the film site's watermark.
#include <gtest/gtest.h>

#include "sources/domains.h"
#include "sources/extractors.h"
#include "tests/support/command_line.h"
#include "tests/support/compose_harness.h"

namespace quorvel::testing {
namespace {

const Text kFilmAddress = "http://www.filmgate.example/html/gndy/dyzz/20120610/38112.html";

// One page at the film address, in GBK; any other address gets no response.
PageFetcher filmPage(const Text& body) {
  return [body](const Text& address) {
    return address == kFilmAddress ? FetchResult{body, true, ""} : FetchResult{"", false, "refused"};
  };
}

ComposedPost composeSite(const std::function<void(MemoryControls&)>& prepare = {}) {
  return composePost(extractSource6, kFilmAddress, fixtureSite("source6/site"), prepare);
}

const Text& watermark() {
  static const Text text = gbk("[电影天堂www.paradisefilm.example]");
  return text;
}

const Text& siteDescription() {
  static const Text text = gbk(
      "\r\n[img]http://img.pics.example/2012/06/poster.jpg[/img]\r\n\r\n"
      "◎片　　名　嶽海风云\r\n"
      "◎导　　演　王海\r\n"
      "◎主　　演　[b]李 云[/b]\r\n\r\n"
      "◎简　　介\r\n"
      "“海风”起时…渔村少年'阿嶽'—一段往事。\r\n\r\n"
      "[img]http://img.pics.example/2012/06/shot1.jpg[/img]\r\n  \r\n"
      "\r\n");
  return text;
}

const Text& siteFtpBlock() {
  static const Text text = gbk(
      "[FTP]\r\n"
      "ftp://dy:dy@ftp.filmgate.example:2012/[电影天堂www.paradisefilm.example]嶽海风云BD中字.rmvb"
      "|Name|[电影天堂www.paradisefilm.example]嶽海风云BD中字.rmvb|\r\n"
      "ftp://dy:dy@ftp2.filmgate.example:2012/海风/[电影天堂www.paradisefilm.example]嶽海风云CD2.mkv"
      "|Name|[电影天堂www.paradisefilm.example]嶽海风云CD2.mkv|\r\n"
      "[/FTP]\r\n");
  return text;
}

// The heading holds 嶽 (8E 5B): its second byte is "[", which the title line must not split.
const Text& siteTitle() {
  static const Text text = gbk("[2012年剧情][嶽海风云][BD中字][国语]");
  return text;
}

TEST(Source6, ComposesTheWholePostFromTheFilmPage) {
  const ComposedPost post = composeSite();
  EXPECT_EQ(post.title, siteTitle() + "[FTP]");
  EXPECT_EQ(post.content, siteDescription() + siteFtpBlock());
  EXPECT_EQ(post.replace, watermark());
  EXPECT_EQ(post.status, gbk("获取完毕!"));
  EXPECT_EQ(post.requests, std::vector<Text>{kFilmAddress});
}

TEST(Source6, UncheckedFtpBoxLeavesOutTheBlockAndItsTagButNotTheWatermark) {
  const ComposedPost post =
      composeSite([](MemoryControls& controls) { controls.setChecked("选择框4", false); });
  EXPECT_EQ(post.title, siteTitle());
  EXPECT_EQ(post.content, siteDescription());
  EXPECT_EQ(post.replace, watermark());
  EXPECT_EQ(post.status, gbk("获取完毕!"));
}

TEST(Source6, ReadsTheFtpBoxWhenItsBlockIsDue) {
  const ComposedPost post = composePostWhileFetching(
      extractSource6, kFilmAddress, fixtureSite("source6/site"),
      [](MemoryControls& window, const Text&) {
        window.setChecked("选择框4", false);  // the user unchecks while the page downloads
      });
  EXPECT_EQ(post.title, siteTitle());
  EXPECT_EQ(post.content, siteDescription());
}

TEST(Source6, AFilmPageThatFailsGivesABareTitleAndDescription) {
  const struct {
    const char* what;
    PageFetcher fetcher;
    const char* status;
  } cases[] = {
      {"no response", [](const Text&) { return FetchResult{"", false, "refused"}; }, "获取失败!"},
      {"404 answer", filmPage("<html>not found</html>"), "获取完毕!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ComposedPost post = composePost(extractSource6, kFilmAddress, c.fetcher, [](MemoryControls& controls) {
      controls.setText("编辑框5", "old text");
    });
    EXPECT_EQ(post.title, "[");
    EXPECT_EQ(post.content, "\r\n");
    EXPECT_EQ(post.replace, watermark());
    EXPECT_EQ(post.status, gbk(c.status));
  }
}

TEST(Source6, HeadingBecomesTheTitleLine) {
  const struct {
    const char* heading;  // between "<h1>" and "</h1>", UTF-8
    const char* title;
  } cases[] = {
      {"name[extra]", "[name][extra]"},
      {"《name》rest", "[][name][rest"},
      {"<a href=\"/x\"><font color=red>海风</font></a>[1080P]", "[海风][1080P]"},
      {"<FONT color=red>海风</font>", "[海风"},
      {"擺渡人[国语]", "[擺渡人][国语]"},  // 擺 is 94 5B
      {"5>3 and 2<4", "[5>3 and 2<4"},   // no tag to remove; the loop ends
      {"", "["},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heading);
    const ComposedPost post =
        composePost(extractSource6, kFilmAddress, filmPage(gbk("<h1>" + std::string(c.heading) + "</h1>")));
    EXPECT_EQ(post.title, gbk(c.title));
  }
  EXPECT_EQ(composePost(extractSource6, kFilmAddress, filmPage("<h2>x</h2>")).title, "[");
}

TEST(Source6, DescriptionIsCleanedWithItsImagesInPlace) {
  const struct {
    const char* description;  // between the content markers, UTF-8
    const char* line;         // the content box, without the final line break
  } cases[] = {
      {"王&middot;海", "王海"},
      {"<b>主演</b>：李云", "[b]主演[/b]：李云"},
      {"&lsquo;a&rsquo;&ldquo;b&rdquo;&hellip;&nbsp;&mdash;", "'a'“b”… —"},
      {"&lt;b&gt; &amp; &#8226;", "&lt;b&gt; &amp; &#8226;"},
      {"a<br />b<BR />c<br/>d", "a\r\nb\r\ncd"},
      {"a<br /><br /><br />b", "a\r\n\r\nb"},
      {"a<br /><br /><br /><br />b", "a\r\n\r\nb"},
      {"<IMG SRC=\"http://p.example/A.JPG\" BORDER=0>", "\r\n[img]http://p.example/A.JPG[/img]\r\n"},
      {"x<img src=\"1.jpg\"><span>y</span><Img src=\"2.jpg\" />z",
       "x\r\n[img]1.jpg[/img]\r\ny\r\n[img]2.jpg[/img]\r\nz"},
      {"<img src=\"1.jpg\">x<img src=\"1.jpg\">", "\r\n[img]1.jpg[/img]\r\nx\r\n[img]1.jpg[/img]\r\n"},
      {"<p>  a  </p>", "a"},
      {"　a　", "a"},
      {"\r\n a \r\n", "\r\n a \r\n"},
      {"x<img src=\"1.jpg\"", "x<img src=\"1.jpg\""},  // no ">" after the tag: the loops end
      {"5>3 and 2<4", "5>3 and 2<4"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    const Text page = gbk("<!--Content Start-->" + std::string(c.description) + "<strong>下载");
    const ComposedPost post = composePost(extractSource6, kFilmAddress, filmPage(page));
    EXPECT_EQ(post.content, gbk(c.line) + "\r\n");
  }
}

TEST(Source6, FtpBlockHasOneNamedLinePerPieceThatHoldsAnAddress) {
  const struct {
    const char* what;
    const char* page;
    const char* lines;  // between "[FTP]\r\n" and "[/FTP]\r\n"
  } cases[] = {
      {"two anchors in page order",
       "<a href=\"ftp://h/b/2.rmvb\">2</a><a href=\"/\">home</a><a href=\"ftp://h/a/1.rmvb\">1</a>",
       "ftp://h/b/2.rmvb|Name|2.rmvb|\r\nftp://h/a/1.rmvb|Name|1.rmvb|\r\n"},
      {"scheme rebuilt in small letters", "<a href=\"FTP://H/A.rmvb\">a</a>",
       "ftp://H/A.rmvb|Name|A.rmvb|\r\n"},
      {"first address of a piece only", "<a href=\"ftp://h/1.rmvb\">ftp://h/2.rmvb\"</a>",
       "ftp://h/1.rmvb|Name|1.rmvb|\r\n"},
      {"plain text between anchors", "<a href=\"/\">home</a> ftp://h/3.rmvb\" <a href=\"/\">x</a>",
       "ftp://h/3.rmvb|Name|3.rmvb|\r\n"},
      {"text before the first anchor", "ftp://h/0.rmvb\" <a href=\"/\">x</a>",
       "ftp://h/0.rmvb|Name|0.rmvb|\r\n"},
      {"no double quote after the address", "<a href=ftp://h/4.rmvb>4</a>", "ftp://|Name||\r\n"},
      {"Chinese file name", "<a href=\"ftp://h/嶽海.rmvb\">嶽海</a>",
       "ftp://h/嶽海.rmvb|Name|嶽海.rmvb|\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ComposedPost post = composePost(extractSource6, kFilmAddress, filmPage(gbk(c.page)));
    EXPECT_EQ(post.title, "[[FTP]");
    EXPECT_EQ(post.content, "\r\n[FTP]\r\n" + gbk(c.lines) + "[/FTP]\r\n");
  }
}

TEST(Source6, APageWithoutFtpAddressesHasNoBlock) {
  const ComposedPost post = composePost(
      extractSource6, kFilmAddress, filmPage("<h1>a</h1><a href=\"http://h/1.rmvb\">1</a> ftp:/x"));
  EXPECT_EQ(post.title, "[a");
  EXPECT_EQ(post.content, "\r\n");
  EXPECT_EQ(post.replace, watermark());
}

// The bundled sample film composes a post with its FTP block and watermark offline.
TEST(Source6, BundledSampleComposesEveryBlock) {
  const ComposedPost post =
      composePost(extractSource6, "http://www.filmgate.example/html/gndy/dyzz/20130418/46021.html",
                  samplePageFetcher(bundledSamplesDir()));
  EXPECT_EQ(post.title, gbk("[2013年喜剧][北岸来信][HD国语中字][720P][FTP]"));
  EXPECT_NE(post.content.find("[img]http://img.pics.example/2013/04/beian-still1.jpg[/img]"), std::string::npos);
  EXPECT_EQ(post.replace, watermark());
  EXPECT_EQ(post.status, gbk("获取完毕!"));
}

// The real program, over loopback HTTP.
TEST(Source6, CommandLineComposesThePostOverHttp) {
  const ProgramRun run = fetchJsonOverHttp("source6/site", "www.filmgate.example", kFilmAddress);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const QJsonObject post = run.json();
  ASSERT_FALSE(post.isEmpty()) << run.out;
  EXPECT_EQ(run.field("title"), gbkToUtf8(siteTitle() + "[FTP]"));
  EXPECT_EQ(run.field("content"), gbkToUtf8(siteDescription() + siteFtpBlock()));
  EXPECT_EQ(run.field("replace"), gbkToUtf8(watermark()));
  EXPECT_EQ(run.field("status"), "获取完毕!");
  EXPECT_EQ(post.value("radio").toInt(), 6);
}

}  // namespace
}  // namespace quorvel::testing
