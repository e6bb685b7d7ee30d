#include "text/fetch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <latch>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <thread>

#include "tests/text/loopback_server.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;
using testing::HttpServer;
using testing::RawServer;

constexpr char kOkHello[] = "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello";

void replyHello(int socket, const std::string&) { testing::sendAll(socket, kOkHello); }

struct RequestHead {
  std::string line;
  std::map<std::string, std::string> headers;
};

RequestHead parseHead(const std::string& head) {
  RequestHead parsed;
  std::size_t start = 0;
  for (std::size_t end; (end = head.find("\r\n", start)) != std::string::npos && end > start;
       start = end + 2) {
    const std::string line = head.substr(start, end - start);
    if (parsed.line.empty()) {
      parsed.line = line;
      continue;
    }
    const std::size_t colon = line.find(": ");
    parsed.headers[line.substr(0, colon)] = line.substr(colon + 2);
  }
  return parsed;
}

std::string requestTarget(const std::string& head) {
  const std::string line = parseHead(head).line;
  const std::size_t first = line.find(' ');
  return line.substr(first + 1, line.rfind(' ') - first - 1);
}

// Every test starts from the shipped limits and an empty route table.
class FetchTest : public ::testing::Test {
 protected:
  void TearDown() override {
    setFetchLimits({});
    setRoutes({});
  }
};

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
 public:
  void set(const char* name, const char* value) {
    remember(name);
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
  }

 private:
  void remember(const char* name) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(FetchTest, SendsAnHttp10GetWithTheBrowserHeadersAndNothingElse) {
  RawServer server(replyHello);

  const FetchResult result = fetchPageWithReport(server.url("/film/12.html?from=list"));

  EXPECT_EQ(result.body, "hello");
  EXPECT_TRUE(result.responded);
  EXPECT_EQ(result.failure, "");
  ASSERT_EQ(server.requests().size(), 1u);
  const RequestHead head = parseHead(server.requests()[0]);
  EXPECT_EQ(head.line, "GET /film/12.html?from=list HTTP/1.0");
  const std::map<std::string, std::string> expected = {
      {"Host", "127.0.0.1:" + std::to_string(server.port())},
      {"User-Agent", "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"},
      {"Accept", "*/*"},
      {"Pragma", "no-cache"},
  };
  EXPECT_EQ(head.headers, expected);  // no cookie, referrer, encoding or keep-alive
}

TEST_F(FetchTest, GoesStraightToTheServerWhateverTheProxyVariablesSay) {
  RawServer server(replyHello);
  const std::string deadProxy = "http://127.0.0.1:" + std::to_string(testing::unusedPort());
  ScopedEnvironment environment;
  for (const char* name :
       {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
    environment.set(name, deadProxy.c_str());
  }
  environment.set("no_proxy", nullptr);
  environment.set("NO_PROXY", nullptr);

  EXPECT_EQ(fetchPage(server.url("/")), "hello");
  EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(FetchTest, PercentEncodesOnlyWhatMayNotStandInARequestLine) {
  struct Case {
    std::string path;
    std::string target;
  };
  const Case cases[] = {
      {"/a b/c.html?q=x y", "/a%20b/c.html?q=x%20y"},
      {"/%D6%D0/already%20encoded%2f", "/%D6%D0/already%20encoded%2f"},
      {"/\xC6\xAC\xC3\xFB.html?name=\xD6\xD0", "/%C6%AC%C3%FB.html?name=%D6%D0"},
      {"/100%/50%2/%zz", "/100%25/50%252/%25zz"},
      {"/q?a=\"<x>\"|{y}^`\\", "/q?a=%22%3Cx%3E%22%7C%7By%7D%5E%60%5C"},
      {"/tab\there/del\x7F", "/tab%09here/del%7F"},
      {"/keep/-._~!$&'()*+,;=:@/?&a=1", "/keep/-._~!$&'()*+,;=:@/?&a=1"},
  };
  RawServer server(replyHello);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(fetchPage(server.url(c.path)), "hello");
    EXPECT_EQ(requestTarget(server.requests().back()), c.target);
  }
}

TEST_F(FetchTest, TakesAnAddressWithoutSchemeAsHttp) {
  RawServer server(replyHello);
  // A host named ftp.* must not make the client guess another protocol.
  setRoutes({{"ftp.films.localhost", 21, "127.0.0.1", server.port()}});
  const std::string addresses[] = {"127.0.0.1:" + std::to_string(server.port()) + "/plain.html",
                                   "ftp.films.localhost:21/plain.html"};
  for (const std::string& address : addresses) {
    SCOPED_TRACE(address);
    EXPECT_EQ(fetchPage(address), "hello");
    EXPECT_EQ(parseHead(server.requests().back()).line, "GET /plain.html HTTP/1.0");
  }
  EXPECT_EQ(server.requests().size(), 2u);
}

TEST_F(FetchTest, FollowsARedirectChain) {
  std::mutex mutex;  // the handlers run on the server's threads
  std::vector<std::string> visited;
  std::string endUrl;
  auto visit = [&](const httplib::Request& r) {
    std::lock_guard lock(mutex);
    visited.push_back(r.path);
    return endUrl;
  };
  HttpServer server([&](httplib::Server& s) {
    s.Get("/start", [&](const httplib::Request& r, httplib::Response& response) {
      visit(r);
      response.set_redirect("/middle", 302);
    });
    s.Get("/middle", [&](const httplib::Request& r, httplib::Response& response) {
      response.set_redirect(visit(r), 301);
    });
    s.Get("/end", [&](const httplib::Request& r, httplib::Response& response) {
      visit(r);
      response.set_content("arrived", "text/html");
    });
  });
  {
    std::lock_guard lock(mutex);
    endUrl = server.url("/end");
  }

  const FetchResult result = fetchPageWithReport(server.url("/start"));

  EXPECT_EQ(result.body, "arrived");
  EXPECT_TRUE(result.responded);
  EXPECT_EQ(result.failure, "");
  std::lock_guard lock(mutex);
  EXPECT_THAT(visited, ::testing::ElementsAre("/start", "/middle", "/end"));
}

TEST_F(FetchTest, FollowsTenRedirectsAndNoMore) {
  // /countdown/n redirects to /countdown/n-1 until 0, which is the page.
  std::atomic<int> requests = 0;
  HttpServer server([&](httplib::Server& s) {
    s.Get(R"(/countdown/(\d+))", [&](const httplib::Request& r, httplib::Response& response) {
      ++requests;
      const int left = std::stoi(r.matches[1]);
      if (left == 0) {
        response.set_content("landed", "text/html");
        return;
      }
      response.set_redirect("/countdown/" + std::to_string(left - 1), 302);
      response.set_content("still " + std::to_string(left), "text/html");
    });
  });
  struct Case {
    int hops;
    std::string body;
    std::string_view failure;
  };
  const Case cases[] = {
      {10, "landed", ""},
      {11, "still 1", fetchFailure::tooManyRedirects},  // the 11th redirect's own body
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hops);
    requests = 0;
    const FetchResult result =
        fetchPageWithReport(server.url("/countdown/" + std::to_string(c.hops)));
    EXPECT_EQ(result.body, c.body);
    EXPECT_TRUE(result.responded);
    EXPECT_EQ(result.failure, c.failure);
    EXPECT_EQ(requests, 11);
  }
}

TEST_F(FetchTest, RefusesRedirectsToOtherSchemesAndKeepsTheRedirectBody) {
  const std::string secretPath = ::testing::TempDir() + "quorvel_fetch_secret.txt";
  std::ofstream(secretPath) << "local secret";
  RawServer elsewhere([](int, const std::string&) {});  // would see any ftp/gopher/dict connection
  const std::string there = "127.0.0.1:" + std::to_string(elsewhere.port()) + "/x";
  const std::string locations[] = {"file://" + secretPath, "ftp://" + there, "gopher://" + there,
                                   "dict://" + there, "FILE://" + secretPath};
  std::mutex mutex;
  std::string location;
  HttpServer server([&](httplib::Server& s) {
    s.Get("/moved", [&](const httplib::Request&, httplib::Response& response) {
      std::lock_guard lock(mutex);
      response.set_redirect(location, 302);
      response.set_content("moved away", "text/html");
    });
  });
  for (const std::string& next : locations) {
    SCOPED_TRACE(next);
    {
      std::lock_guard lock(mutex);
      location = next;
    }
    const FetchResult result = fetchPageWithReport(server.url("/moved"));
    EXPECT_EQ(result.body, "moved away");
    EXPECT_TRUE(result.responded);
    EXPECT_EQ(result.failure, fetchFailure::redirectRefused);
  }
  EXPECT_TRUE(elsewhere.requests().empty());
  // Asked for directly, a local file is refused just the same.
  const FetchResult direct = fetchPageWithReport("file://" + secretPath);
  EXPECT_EQ(direct.body, "");
  EXPECT_FALSE(direct.responded);
  EXPECT_NE(direct.failure, "");
}

TEST_F(FetchTest, ReturnsTheBodyOfAnErrorPage) {
  HttpServer server([](httplib::Server& s) {
    s.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
      response.status = 404;
      response.set_content("no such film", "text/html");
    });
    s.Get("/broken", [](const httplib::Request&, httplib::Response& response) {
      response.status = 500;
      response.set_content("server trouble", "text/html");
    });
  });
  EXPECT_EQ(fetchPage(server.url("/missing")), "no such film");
  const FetchResult broken = fetchPageWithReport(server.url("/broken"));
  EXPECT_EQ(broken.body, "server trouble");
  EXPECT_TRUE(broken.responded);
  EXPECT_EQ(broken.failure, "");
}

TEST_F(FetchTest, AnEmptyAddressOrARefusedConnectionGivesNoBytes) {
  const FetchResult empty = fetchPageWithReport("");
  EXPECT_EQ(empty.body, "");
  EXPECT_FALSE(empty.responded);
  EXPECT_EQ(empty.failure, fetchFailure::emptyAddress);

  const FetchResult refused =
      fetchPageWithReport("http://127.0.0.1:" + std::to_string(testing::unusedPort()) + "/");
  EXPECT_EQ(refused.body, "");
  EXPECT_FALSE(refused.responded);
  EXPECT_EQ(refused.failure, fetchFailure::refused);
}

TEST_F(FetchTest, AServerThatMisbehavesGivesWhatWasReadAndWhy) {
  constexpr char kHead[] = "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n";
  const std::string part(40, 'p');
  struct Case {
    const char* name;
    RawServer::Reply reply;
    std::string body;
    bool responded;
    std::string_view failure;
  };
  const Case cases[] = {
      {"closes without answering", [](int, const std::string&) {}, "", false,
       fetchFailure::closedWithoutResponse},
      {"resets without answering",
       [](int socket, const std::string&) { testing::resetOnClose(socket); }, "", false,
       fetchFailure::reset},
      {"closes mid-body",
       [&](int socket, const std::string&) { testing::sendAll(socket, kHead + part); }, part, true,
       fetchFailure::closedMidBody},
      {"resets mid-body",
       [&](int socket, const std::string&) {
         testing::sendAll(socket, kHead + part);
         testing::resetOnClose(socket);
       },
       part, true, fetchFailure::reset},
      {"never answers",
       [](int socket, const std::string&) { testing::waitForClientToClose(socket); }, "", false,
       fetchFailure::timedOut},
      {"stalls mid-body",
       [&](int socket, const std::string&) {
         testing::sendAll(socket, kHead + part);
         testing::waitForClientToClose(socket);
       },
       part, true, fetchFailure::timedOut},
  };
  FetchLimits limits;
  limits.stallTimeout = 200ms;
  setFetchLimits(limits);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RawServer server(c.reply);
    const FetchResult result = fetchPageWithReport(server.url("/page"));
    EXPECT_EQ(result.body, c.body);
    EXPECT_EQ(result.responded, c.responded);
    EXPECT_EQ(result.failure, c.failure);
  }
}

Bytes patternedBytes(std::size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  Bytes bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);  // zeros included
  return bytes;
}

TEST_F(FetchTest, ReturnsALargeBinaryBodyByteForByte) {
  const Bytes film = patternedBytes(3 * 1024 * 1024 + 7, 3);
  HttpServer server([&](httplib::Server& s) {
    s.Get("/big", [&](const httplib::Request&, httplib::Response& response) {
      response.set_content(film, "application/octet-stream");
    });
  });
  const Bytes body = fetchPage(server.url("/big"));
  EXPECT_EQ(body.size(), film.size());
  EXPECT_TRUE(body == film);  // no diff of megabytes in the log
}

TEST_F(FetchTest, CutsTheBodyAtTheSizeLimit) {
  const Bytes page = patternedBytes(5000, 5);
  HttpServer server([&](httplib::Server& s) {
    s.Get(R"(/size/(\d+))", [&](const httplib::Request& r, httplib::Response& response) {
      response.set_content(page.substr(0, std::stoul(r.matches[1])), "text/html");
    });
  });
  FetchLimits limits;
  limits.maxBodyBytes = 1000;
  setFetchLimits(limits);
  struct Case {
    std::size_t served;
    std::size_t kept;
    std::string_view failure;
  };
  const Case cases[] = {{999, 999, ""},
                        {1000, 1000, ""},
                        {1001, 1000, fetchFailure::tooLarge},
                        {5000, 1000, fetchFailure::tooLarge}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.served);
    const FetchResult result = fetchPageWithReport(server.url("/size/" + std::to_string(c.served)));
    EXPECT_TRUE(result.body == page.substr(0, c.kept));
    EXPECT_EQ(result.body.size(), c.kept);
    EXPECT_TRUE(result.responded);
    EXPECT_EQ(result.failure, c.failure);
  }
}

TEST_F(FetchTest, SixteenThreadsFetchAtOnceEachGettingItsOwnPage) {
  constexpr int kThreads = 16;
  auto pageFor = [](int n) { return patternedBytes(64 * 1024 + n, 100 + n); };
  RawServer server([&](int socket, const std::string& head) {
    const Bytes page =
        pageFor(std::stoi(requestTarget(head).substr(std::string_view("/film/").size())));
    testing::sendAll(socket, "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(page.size()) +
                                 "\r\n\r\n" + page);
  });
  std::vector<Bytes> bodies(kThreads);
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int n = 0; n < kThreads; ++n) {
    threads.emplace_back([&, n] {
      start.arrive_and_wait();
      bodies[n] = fetchPage(server.url("/film/" + std::to_string(n)));
    });
  }
  for (auto& thread : threads) thread.join();
  for (int n = 0; n < kThreads; ++n) {
    SCOPED_TRACE(n);
    EXPECT_TRUE(bodies[n] == pageFor(n));
  }
}

TEST_F(FetchTest, RoutesAMadeUpHostToItsConnectAddressKeepingTheHostHeader) {
  RawServer server(replyHello);
  setRoutes({{"films.localhost", 8123, "127.0.0.1", server.port()}});

  const FetchResult result = fetchPageWithReport("http://films.localhost:8123/route.html");

  EXPECT_EQ(result.body, "hello");
  ASSERT_EQ(server.requests().size(), 1u);
  const RequestHead head = parseHead(server.requests()[0]);
  EXPECT_EQ(head.line, "GET /route.html HTTP/1.0");
  EXPECT_EQ(head.headers.at("Host"), "films.localhost:8123");
}

}  // namespace
}  // namespace quorvel
