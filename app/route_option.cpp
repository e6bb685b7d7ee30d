#include "app/route_option.h"

#include <charconv>

namespace quorvel {
namespace {

std::optional<int> parsePort(std::string_view text) {
  int port = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (port < 1 || port > 65535) return std::nullopt;
  return port;
}

}  // namespace

std::optional<Route> parseRoute(std::string_view option) {
  const std::size_t hostEnd = option.find(':');
  if (hostEnd == std::string_view::npos) return std::nullopt;
  const std::size_t portEnd = option.find(':', hostEnd + 1);
  const std::size_t connectHostEnd = option.rfind(':');
  if (portEnd == std::string_view::npos || connectHostEnd <= portEnd) return std::nullopt;

  const std::string_view host = option.substr(0, hostEnd);
  const auto port = parsePort(option.substr(hostEnd + 1, portEnd - hostEnd - 1));
  const std::string_view connectHost = option.substr(portEnd + 1, connectHostEnd - portEnd - 1);
  const auto connectPort = parsePort(option.substr(connectHostEnd + 1));
  if (host.empty() || connectHost.empty() || !port || !connectPort) return std::nullopt;
  return Route{std::string(host), *port, std::string(connectHost), *connectPort};
}

}  // namespace quorvel
