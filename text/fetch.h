#pragma once
// Page fetch over HTTP. Every call stands alone: no cookies, no referrer, no cache.
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "text/text.h"

namespace quorvel {

struct FetchResult {
  Bytes body;              // what was read; empty on failure
  bool responded = false;  // a status line came back from the server
  std::string failure;     // when it did not: "refused", "name not resolved", "timed out", "reset", ...
};

// Requests for host:port go to connectHost:connectPort, keeping the original Host header.
struct Route {
  std::string host;
  int port = 80;
  std::string connectHost;
  int connectPort = 80;
};

struct FetchLimits {
  std::chrono::milliseconds connectTimeout{15000};
  std::chrono::milliseconds stallTimeout{30000};  // no byte for this long ends the transfer
  std::size_t maxBodyBytes = std::size_t{64} << 20;
  int maxRedirects = 10;
};

// The body of an HTTP/1.0 GET, whatever the status code; "" for an empty address or a
// request that failed; what was read so far for a transfer that broke off.
Bytes fetchPage(const Text& address);
FetchResult fetchPageWithReport(const Text& address);

// Process-wide settings, set before fetches start (command line, tests).
void setRoutes(std::vector<Route> routes);
void setFetchLimits(FetchLimits limits);

}  // namespace quorvel
