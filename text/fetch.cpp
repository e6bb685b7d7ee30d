#include "text/fetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace quorvel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
// Only http and https, for the first request and for every redirect: a page address must
// never make the process read a local file or speak another protocol.
constexpr char kWebSchemes[] = "http,https";

struct Settings {
  std::vector<Route> routes;
  FetchLimits limits;
};

std::mutex settingsMutex;
Settings settings;

Settings settingsSnapshot() {
  std::lock_guard lock(settingsMutex);
  return settings;
}


bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Bytes RFC 3986 allows nowhere in a URI, so no server can expect them raw.
bool mayNotStandInRequestLine(unsigned char c) {
  constexpr std::string_view unsafe = "\"<>\\^`{|}";
  return c <= 0x20 || c >= 0x7F || unsafe.find(static_cast<char>(c)) != std::string_view::npos;
}

// Encodes only what may not go on the wire as it is; existing %XX escapes stay as they are.
Text encodeForWire(std::string_view address) {
  constexpr char hex[] = "0123456789ABCDEF";
  Text wire;
  wire.reserve(address.size());
  for (std::size_t i = 0; i < address.size(); ++i) {
    const auto c = static_cast<unsigned char>(address[i]);
    const bool startsEscape = c == '%' && i + 2 < address.size() && isHexDigit(address[i + 1]) &&
                              isHexDigit(address[i + 2]);
    if (mayNotStandInRequestLine(c) || (c == '%' && !startsEscape)) {
      wire += '%';
      wire += hex[c >> 4];
      wire += hex[c & 0x0F];
    } else {
      wire += static_cast<char>(c);
    }
  }
  return wire;
}

bool isWebAddress(std::string_view url) {
  auto startsWith = [url](std::string_view prefix) {
    return url.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), url.begin(), [](char a, char b) {
             return std::tolower(static_cast<unsigned char>(a)) ==
                    std::tolower(static_cast<unsigned char>(b));
           });
  };
  return startsWith("http://") || startsWith("https://");
}

// The state one request's callbacks share.
struct Transfer {
  Bytes body;
  std::size_t maxBodyBytes = 0;
  Clock::duration stallTimeout{};
  std::optional<Clock::time_point> lastActivity;  // set once connected
  bool cut = false;
  bool stalled = false;

  void restart() {
    body.clear();
    lastActivity.reset();
    cut = false;
    stalled = false;
  }
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* userdata) {
  auto& transfer = *static_cast<Transfer*>(userdata);
  const std::size_t length = size * count;
  transfer.lastActivity = Clock::now();
  const std::size_t room = transfer.maxBodyBytes - transfer.body.size();
  if (length > room) {
    // Keep what fits and stop the transfer: no page may hold more than the limit.
    transfer.body.append(data, room);
    transfer.cut = true;
    return 0;
  }
  transfer.body.append(data, length);
  return length;
}

std::size_t onHeader(char*, std::size_t size, std::size_t count, void* userdata) {
  static_cast<Transfer*>(userdata)->lastActivity = Clock::now();
  return size * count;
}

// Called once the connection stands, just before the request goes out: from here on the
// stall clock runs (the connect time-out covers what came before).
int onConnected(void* userdata, char*, char*, int, int) {
  static_cast<Transfer*>(userdata)->lastActivity = Clock::now();
  return CURL_PREREQFUNC_OK;
}

int onProgress(void* userdata, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto& transfer = *static_cast<Transfer*>(userdata);
  if (transfer.lastActivity && Clock::now() - *transfer.lastActivity >= transfer.stallTimeout) {
    transfer.stalled = true;
    return 1;
  }
  return 0;
}

struct EasyDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using List = std::unique_ptr<curl_slist, ListDeleter>;

List makeList(const std::vector<std::string>& items) {
  curl_slist* list = nullptr;
  for (const auto& item : items) {
    curl_slist* longer = curl_slist_append(list, item.c_str());
    if (longer == nullptr) break;  // out of memory: go on with the shorter list
    list = longer;
  }
  return List(list);
}

List routeList(const std::vector<Route>& routes) {
  std::vector<std::string> items;
  for (const auto& route : routes) {
    items.push_back(route.host + ":" + std::to_string(route.port) + ":" + route.connectHost + ":" +
                    std::to_string(route.connectPort));
  }
  return makeList(items);
}

// Options that hold for every request of one call, redirects included.
void configure(CURL* handle, Transfer& transfer, const FetchLimits& limits, curl_slist* headers,
               curl_slist* routes, char* errorBuffer) {
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorBuffer);
  curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(handle, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(handle, CURLOPT_DEFAULT_PROTOCOL, "http");
#if LIBCURL_VERSION_NUM >= 0x075500
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, kWebSchemes);
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, kWebSchemes);
#else
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS, static_cast<long>(CURLPROTO_HTTP | CURLPROTO_HTTPS));
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS,
                   static_cast<long>(CURLPROTO_HTTP | CURLPROTO_HTTPS));
#endif
  // Redirects are followed by fetchPageWithReport itself, so that a refused one still
  // yields the body of the response that asked for it.
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
  // Straight to the server, whatever http_proxy, ALL_PROXY and the like say.
  curl_easy_setopt(handle, CURLOPT_PROXY, "");
  curl_easy_setopt(handle, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(handle, CURLOPT_CONNECT_TO, routes);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(limits.connectTimeout.count()));
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, onBody);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, onHeader);
  curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(handle, CURLOPT_PREREQFUNCTION, onConnected);
  curl_easy_setopt(handle, CURLOPT_PREREQDATA, &transfer);
  curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, onProgress);
  curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
}

std::string describeFailure(CURL* handle, CURLcode code, const Transfer& transfer,
                            const char* errorBuffer) {
  if (transfer.stalled) return std::string(fetchFailure::timedOut);
  if (transfer.cut) return std::string(fetchFailure::tooLarge);
  long osError = 0;
  curl_easy_getinfo(handle, CURLINFO_OS_ERRNO, &osError);
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
      return std::string(fetchFailure::nameNotResolved);
    case CURLE_OPERATION_TIMEDOUT:
      return std::string(fetchFailure::timedOut);
    case CURLE_GOT_NOTHING:
      return std::string(fetchFailure::closedWithoutResponse);
    case CURLE_PARTIAL_FILE:
      return std::string(fetchFailure::closedMidBody);
    case CURLE_COULDNT_CONNECT:
      if (osError == ECONNREFUSED) return std::string(fetchFailure::refused);
      break;
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
      if (osError == ECONNRESET) return std::string(fetchFailure::reset);
      break;
    default:
      break;
  }
  return errorBuffer[0] != '\0' ? std::string(errorBuffer) : std::string(curl_easy_strerror(code));
}

}  // namespace

FetchResult fetchPageWithReport(const Text& address) {
  FetchResult result;
  if (address.empty()) {
    result.failure = fetchFailure::emptyAddress;
    return result;
  }
  prepareFetching();
  const Settings current = settingsSnapshot();

  EasyHandle handle(curl_easy_init());
  if (!handle) {
    result.failure = "the HTTP client could not start";
    return result;
  }
  // curl sends "Accept: */*" by itself; naming it pins it. "Pragma: no-cache" is how an
  // HTTP/1.0 request asks any cache on the way for a fresh copy.
  const List headers = makeList({"Accept: */*", "Pragma: no-cache"});
  const List routes = routeList(current.routes);
  Transfer transfer;
  transfer.maxBodyBytes = current.limits.maxBodyBytes;
  transfer.stallTimeout = current.limits.stallTimeout;
  char errorBuffer[CURL_ERROR_SIZE] = {};
  configure(handle.get(), transfer, current.limits, headers.get(), routes.get(), errorBuffer);

  Text url = encodeForWire(address);
  for (int redirects = 0;; ++redirects) {
    transfer.restart();
    errorBuffer[0] = '\0';
    curl_easy_setopt(handle.get(), CURLOPT_URL, url.c_str());
    const CURLcode code = curl_easy_perform(handle.get());
    long status = 0;
    curl_easy_getinfo(handle.get(), CURLINFO_RESPONSE_CODE, &status);
    result.responded = status != 0;
    result.body = std::move(transfer.body);
    if (code != CURLE_OK) {
      result.failure = describeFailure(handle.get(), code, transfer, errorBuffer);
      return result;
    }
    const char* next = nullptr;
    curl_easy_getinfo(handle.get(), CURLINFO_REDIRECT_URL, &next);
    if (status / 100 != 3 || next == nullptr) return result;
    if (!isWebAddress(next)) {
      result.failure = fetchFailure::redirectRefused;
      return result;
    }
    if (redirects >= current.limits.maxRedirects) {
      result.failure = fetchFailure::tooManyRedirects;
      return result;
    }
    url = encodeForWire(next);
  }
}

Bytes fetchPage(const Text& address) { return fetchPageWithReport(address).body; }

void prepareFetching() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

void setRoutes(std::vector<Route> routes) {
  std::lock_guard lock(settingsMutex);
  settings.routes = std::move(routes);
}

void setFetchLimits(FetchLimits limits) {
  std::lock_guard lock(settingsMutex);
  settings.limits = limits;
}

}  // namespace quorvel
