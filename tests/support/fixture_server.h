#pragma once
// A fixture site served over loopback HTTP: a request for http://HOST/PATH answers with
// the file the offline mapping names (see app/sample_pages.h), or 404 with a small body.
// Point the program at it with --connect-to HOST:80:127.0.0.1:port().
#include <httplib.h>

#include <cctype>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "app/sample_pages.h"

namespace quorvel::testing {

class FixtureServer {
 public:
  explicit FixtureServer(std::string root) : root_(std::move(root)) {
    server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      std::string host = request.get_header_value("Host");
      host = host.substr(0, host.find(':'));
      const FetchResult page = fetchSamplePage(root_, "http://" + host + percentDecoded(request.target));
      if (page.responded) {
        response.set_content(page.body, "text/html");
      } else {
        response.status = 404;
        response.set_content("<html>not found</html>", "text/html");
      }
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("fixture server could not bind");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~FixtureServer() {
    server_.stop();
    thread_.join();
  }
  FixtureServer(const FixtureServer&) = delete;
  FixtureServer& operator=(const FixtureServer&) = delete;

  int port() const { return port_; }

  // The --connect-to value that sends requests for `host` to this server.
  std::string route(const std::string& host) const {
    return host + ":80:127.0.0.1:" + std::to_string(port_);
  }

 private:
  static std::string percentDecoded(const std::string& target) {
    std::string out;
    for (std::size_t i = 0; i < target.size(); ++i) {
      if (target[i] == '%' && i + 2 < target.size() && std::isxdigit(static_cast<unsigned char>(target[i + 1])) &&
          std::isxdigit(static_cast<unsigned char>(target[i + 2]))) {
        out += static_cast<char>(std::stoi(target.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else {
        out += target[i];
      }
    }
    return out;
  }

  std::string root_;
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace quorvel::testing
