#pragma once
// Page fetch over HTTP. Every call stands alone: no cookies, no referrer, no cache.
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace quorvel {

struct FetchResult {
  Bytes body;              // what was read; empty when nothing came back
  bool responded = false;  // the last request of the call got a status line from the server
  std::string failure;     // "" when the transfer completed; else one of fetchFailure or the
                           // HTTP client's own message
};

// Why a fetch did not complete. A failure after the status line keeps `responded` true and
// the body read so far.
namespace fetchFailure {
inline constexpr std::string_view emptyAddress = "empty address";
inline constexpr std::string_view refused = "refused";
inline constexpr std::string_view nameNotResolved = "name not resolved";
inline constexpr std::string_view timedOut = "timed out";  // connect or stall
inline constexpr std::string_view reset = "reset";
inline constexpr std::string_view closedWithoutResponse = "closed without a response";
inline constexpr std::string_view closedMidBody = "closed before the end of the body";
inline constexpr std::string_view tooLarge = "body over the size limit";  // body cut there
inline constexpr std::string_view redirectRefused = "redirect to a scheme other than http(s)";
inline constexpr std::string_view tooManyRedirects = "too many redirects";
}  // namespace fetchFailure

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
// request that failed; what was read so far for a transfer that broke off. Redirects are
// followed to http and https only; a redirect elsewhere, or one past maxRedirects, ends the
// call with the body of the redirecting response. Bytes that may not stand in a request line
// (controls, space, DEL, bytes of 0x80 and above, "<>\"\\^`{|}" and a '%' not starting %XX)
// are percent-encoded on the wire; an address without a scheme is taken as http.
Bytes fetchPage(const Text& address);
FetchResult fetchPageWithReport(const Text& address);

// Sets up the HTTP library once. Fetches do it themselves when needed, but the
// program calls it on its main thread first, so the library's per-thread state
// belongs to a thread that lives as long as the process.
void prepareFetching();

// Process-wide settings, set before fetches start (command line, tests).
void setRoutes(std::vector<Route> routes);
void setFetchLimits(FetchLimits limits);

}  // namespace quorvel
