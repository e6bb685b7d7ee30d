#pragma once
// Servers on 127.0.0.1 for the fetch tests, on ports the system picks: an HTTP server for
// well-behaved answers and a raw socket server that records the request head exactly as it
// came and then misbehaves as told.
#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quorvel::testing {

inline sockaddr_in loopbackAddress(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  return address;
}

inline int boundPort(int socket) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

// A loopback port nobody listens on (it was free a moment ago).
inline int unusedPort() {
  const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = loopbackAddress(0);
  bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  const int port = boundPort(socket);
  close(socket);
  return port;
}

inline void sendAll(int socket, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
}

// Blocks until the client closes its end (or gives up after `limit`).
inline void waitForClientToClose(int socket,
                                 std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  char buffer[4096];
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd watched{socket, POLLIN, 0};
    if (poll(&watched, 1, 50) > 0 && recv(socket, buffer, sizeof buffer, 0) <= 0) return;
  }
}

// Makes the coming close() send a reset instead of an orderly end.
inline void resetOnClose(int socket) {
  const linger abortive{1, 0};
  setsockopt(socket, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
}

// Takes one connection at a time, reads the request head, records it, hands the socket and
// the head to `reply` and closes the socket. Its backlog lets many clients wait their turn.
class RawServer {
 public:
  using Reply = std::function<void(int socket, const std::string& head)>;

  explicit RawServer(Reply reply) : reply_(std::move(reply)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopbackAddress(0);
    if (bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 64) != 0) {
      throw std::runtime_error("raw server: cannot listen on loopback");
    }
    port_ = boundPort(listener_);
    thread_ = std::thread([this] { serve(); });
  }
  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;
  ~RawServer() {
    stopping_ = true;
    thread_.join();
    close(listener_);
  }

  int port() const { return port_; }
  std::string url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
  }
  std::vector<std::string> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  void serve() {
    while (!stopping_) {
      pollfd watched{listener_, POLLIN, 0};
      if (poll(&watched, 1, 50) <= 0) continue;
      const int connection = accept(listener_, nullptr, nullptr);
      if (connection < 0) continue;
      const std::string head = readHead(connection);
      {
        std::lock_guard lock(mutex_);
        requests_.push_back(head);
      }
      reply_(connection, head);
      close(connection);
    }
  }

  std::string readHead(int connection) const {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && !stopping_) {
      pollfd watched{connection, POLLIN, 0};
      if (poll(&watched, 1, 50) <= 0) continue;
      const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      head.append(buffer, static_cast<std::size_t>(got));
    }
    return head;
  }

  Reply reply_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// An HTTP server whose handlers `setUp` installs before it starts listening.
class HttpServer {
 public:
  explicit HttpServer(const std::function<void(httplib::Server&)>& setUp) {
    setUp(server_);
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("http server: cannot listen on loopback");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // stop() only reaches a server that runs, so the destructor must not come sooner.
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;
  ~HttpServer() {
    server_.stop();
    thread_.join();
  }

  int port() const { return port_; }
  std::string url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace quorvel::testing
