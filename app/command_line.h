#pragma once
// The program's arguments. Without any, or with window options only, it opens the
// window; otherwise the first argument names a command.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "text/fetch.h"

namespace quorvel {

struct WindowOptions {
  bool samples = false;     // pages from the bundled sample sites
  std::vector<Route> routes;
  std::string screenshot;   // when set: press 获取, save the window as this PNG, quit
};

std::string_view usageText();

bool opensWindow(const std::vector<std::string>& args);
// The window's options, or nothing with `error` set.
std::optional<WindowOptions> parseWindowOptions(const std::vector<std::string>& args,
                                                std::string& error);

// `sources`, `sample-address`, `fetch ...`, `help`. Returns the exit code.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorvel
