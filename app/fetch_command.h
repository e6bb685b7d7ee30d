#pragma once
// `quorvel fetch [options] ADDRESS`: one press of the fetch button on the in-memory
// window, then the boxes printed as UTF-8 (plain or one JSON object).
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "text/fetch.h"

namespace quorvel {

inline constexpr int kExitDone = 0;      // "获取完毕!"
inline constexpr int kExitNotDone = 1;   // another final status
inline constexpr int kExitUsage = 2;     // a usage error, or an address no source takes

struct FetchRequest {
  std::string address;                 // UTF-8, as typed
  std::vector<int> uncheckedBoxes;     // 1..8: "选择框N" starts unchecked
  std::optional<std::string> replace;  // UTF-8: "编辑框5" starts with it
  bool rename = false;                 // press "替换按钮" once after the fetch
  std::vector<Route> routes;
  bool samples = false;                // pages from the bundled sample sites
  bool json = false;
};

// The request, or nothing with `error` set.
std::optional<FetchRequest> parseFetchArguments(std::span<const std::string> args, std::string& error);

// Runs the fetch and prints it to `out`; requests that got no response, and an address
// no source takes, go to `err`. Returns the exit code.
int runFetch(const FetchRequest& request, std::ostream& out, std::ostream& err);

// `text` as a JSON string literal (quotes included); `text` is UTF-8.
std::string jsonString(std::string_view text);

}  // namespace quorvel
