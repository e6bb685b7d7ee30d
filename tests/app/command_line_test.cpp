// The built program, run as a user runs it.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/command_line.h"

namespace quorvel {
namespace {

using testing::ProgramRun;

using testing::runProgram;

const std::string kSampleAddress = "http://www.reelhub.example/Html/GP13861.html";
// The bundled sample of the film site whose file names carry a watermark.
const std::string kWatermarkedSample = "http://www.filmgate.example/html/gndy/dyzz/20130418/46021.html";
const std::string kWatermark = "[电影天堂www.paradisefilm.example]";

TEST(CommandLine, SourcesListsTheNineSites) {
  const ProgramRun run = runProgram({"sources"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out,
            "1\tlumenfilm.example\thttp://www.lumenfilm.example\t\n"
            "2\treelhub.example\thttp://www.reelhub.example\t[迅雷下载www.reelhub.example]\n"
            "3\tcinepod.example\thttp://www.cinepod.example\t[迅雷下载www.reelhub.example]\n"
            "4\tvidnest.example\thttp://www.vidnest.example\t\n"
            "5\tmovieden.example\thttp://www.movieden.example\t[下载库论坛www.dlforum.example]\n"
            "6\tfilmgate.example\thttp://www.filmgate.example\t[电影天堂www.paradisefilm.example]\n"
            "7\tshowbay.example\thttp://www.showbay.example\t\n"
            "8\tplaylot.example\thttp://www.playlot.example\t[www.playlot.example]\n"
            "9\thdshelf.example\thttp://www.hdshelf.example\t[下高清---hdshelf.example]\n");
}

TEST(CommandLine, SampleAddressIsTheAddressBoxStart) {
  const ProgramRun run = runProgram({"sample-address"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, kSampleAddress + "\n");
}

TEST(CommandLine, UsageErrorsExitWithTwo) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"fetch"}, "needs an ADDRESS"},
      {{"fetch", "a", "b"}, "one ADDRESS"},
      {{"fetch", "--uncheck", "9", kSampleAddress}, "1 to 8"},
      {{"fetch", "--uncheck", "0", kSampleAddress}, "1 to 8"},
      {{"fetch", "--uncheck", "1x", kSampleAddress}, "1 to 8"},
      {{"fetch", kSampleAddress, "--uncheck"}, "needs a value"},
      {{"fetch", "--replace"}, "needs a value"},
      {{"fetch", "--bogus", kSampleAddress}, "unknown option --bogus"},
      {{"fetch", "--connect-to", "h:80:127.0.0.1", kSampleAddress}, "HOST:PORT"},
      {{"fetch", "--connect-to", "h:80:127.0.0.1:70000", kSampleAddress}, "HOST:PORT"},
      {{"fetch", "--connect-to", ":80:127.0.0.1:8080", kSampleAddress}, "HOST:PORT"},
      {{"bogus"}, "unknown command bogus"},
      {{"sources", "extra"}, "takes no arguments"},
      {{"--bogus"}, "unknown argument --bogus"},
      {{"--screenshot"}, "needs a value"},
  };
  for (const auto& c : cases) {
    const ProgramRun run = runProgram(c.args);
    EXPECT_EQ(run.exitCode, 2) << c.message;
    EXPECT_EQ(run.out, "") << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("usage: quorvel"), std::string::npos) << c.message;
  }
}

TEST(CommandLine, AnAddressOfNoSiteExitsWithTwoAndSaysSo) {
  const std::string replace = "\"quoted\" \\ 替换";
  const ProgramRun run = runProgram({"fetch", "--json", "--replace", replace, "http://www.REELHUB.EXAMPLE/a"});
  EXPECT_EQ(run.exitCode, 2);
  const QJsonObject json = run.json();
  ASSERT_FALSE(json.isEmpty()) << run.out;
  EXPECT_EQ(run.field("status"), "不支持的地址!");
  EXPECT_EQ(run.field("title"), "");
  EXPECT_EQ(run.field("content"), "");
  EXPECT_EQ(run.field("replace"), replace);
  EXPECT_EQ(json.value("radio").toInt(-1), 0);
  EXPECT_NE(run.err.find("no supported site"), std::string::npos) << run.err;
}

TEST(CommandLine, FetchComposesTheSamplePost) {
  const ProgramRun json = runProgram({"fetch", "--samples", "--json", kWatermarkedSample});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_EQ(json.field("status"), "获取完毕!");
  EXPECT_EQ(json.json().value("radio").toInt(), 6);
  EXPECT_EQ(json.field("replace"), kWatermark);
  const std::string content = json.field("content");
  EXPECT_NE(content.find("|Name|" + kWatermark), std::string::npos);
  EXPECT_NE(content.find("\r\n[/FTP]\r\n"), std::string::npos) << "CR LF is kept";

  const ProgramRun plain = runProgram({"fetch", "--samples", kWatermarkedSample});
  EXPECT_EQ(plain.exitCode, 0);
  EXPECT_EQ(plain.out, json.field("title") + "\n\n" + content);
}

TEST(CommandLine, FetchOptionsSetTheWindowUp) {
  const ProgramRun renamed = runProgram({"fetch", "--samples", "--json", "--rename", kWatermarkedSample});
  ASSERT_EQ(renamed.exitCode, 0) << renamed.err;
  const std::string content = renamed.field("content");
  EXPECT_EQ(content.find("|Name|" + kWatermark), std::string::npos) << "names lose the mark";
  EXPECT_NE(content.find("/" + kWatermark), std::string::npos) << "addresses keep it";

  const ProgramRun unchecked = runProgram({"fetch", "--samples", "--json", "--uncheck", "4", kWatermarkedSample});
  ASSERT_EQ(unchecked.exitCode, 0) << unchecked.err;
  EXPECT_EQ(unchecked.field("content").find("[FTP]"), std::string::npos);
  EXPECT_EQ(unchecked.field("title").find("[FTP]"), std::string::npos);
}

TEST(CommandLine, AFilmPageWithoutResponseExitsWithOneAndListsIt) {
  // A bound socket that never listens refuses every connection.
  const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  socklen_t length = sizeof address;
  getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
  const std::string route = "www.reelhub.example:80:127.0.0.1:" + std::to_string(ntohs(address.sin_port));

  const ProgramRun run = runProgram({"fetch", "--json", "--connect-to", route, kSampleAddress});
  close(socket);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.field("status"), "获取失败!");
  EXPECT_EQ(run.json().value("radio").toInt(), 2);
  EXPECT_NE(run.err.find(kSampleAddress + " - refused"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace quorvel
