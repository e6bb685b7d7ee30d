#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/fetch_command.h"
#include "app/window_app.h"
#include "text/fetch.h"

int main(int argc, char** argv) {
  using namespace quorvel;
  prepareFetching();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!opensWindow(args)) return runCommandLine(args, std::cout, std::cerr);
  std::string error;
  const auto options = parseWindowOptions(args, error);
  if (!options) {
    std::cerr << "quorvel: " << error << "\n" << usageText();
    return kExitUsage;
  }
  return runWindowApp(argc, argv, *options);
}
