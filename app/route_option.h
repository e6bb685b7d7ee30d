#pragma once
// The --connect-to option: HOST:PORT:CONNECT_HOST:CONNECT_PORT, as curl takes it
// (requests for HOST:PORT go to CONNECT_HOST:CONNECT_PORT). All four parts are required;
// an IPv6 connect host is written in brackets.
#include <optional>
#include <string_view>

#include "text/fetch.h"

namespace quorvel {

// The route, or nothing when `option` is not of that form or a port is not 1..65535.
std::optional<Route> parseRoute(std::string_view option);

}  // namespace quorvel
