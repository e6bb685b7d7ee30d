#include "app/command_line.h"

#include "app/fetch_command.h"
#include "app/route_option.h"
#include "app/source_sites.h"
#include "sources/domains.h"
#include "text/charset.h"

namespace quorvel {

std::string_view usageText() {
  return "usage: quorvel [--samples] [--connect-to HOST:PORT:CONNECT_HOST:CONNECT_PORT]...\n"
         "                  open the window\n"
         "       quorvel sources\n"
         "                  the nine sites: number, domain, home page, watermark\n"
         "       quorvel sample-address\n"
         "                  the address the window's address box starts with\n"
         "       quorvel fetch [--uncheck N]... [--replace TEXT] [--rename] [--samples] [--json]\n"
         "                     [--connect-to HOST:PORT:CONNECT_HOST:CONNECT_PORT]... ADDRESS\n"
         "                  compose the post of ADDRESS and print it\n";
}

bool opensWindow(const std::vector<std::string>& args) {
  return args.empty() || (args.front().starts_with("--") && args.front() != "--help");
}

std::optional<WindowOptions> parseWindowOptions(const std::vector<std::string>& args,
                                                std::string& error) {
  WindowOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--samples") {
      options.samples = true;
    } else if ((arg == "--connect-to" || arg == "--screenshot") && i + 1 == args.size()) {
      error = arg + " needs a value";
      return std::nullopt;
    } else if (arg == "--connect-to") {
      const auto route = parseRoute(args[++i]);
      if (!route) {
        error = "--connect-to takes HOST:PORT:CONNECT_HOST:CONNECT_PORT, not '" + args[i] + "'";
        return std::nullopt;
      }
      options.routes.push_back(*route);
    } else if (arg == "--screenshot") {
      options.screenshot = args[++i];
    } else {
      error = "unknown argument " + arg;
      return std::nullopt;
    }
  }
  return options;
}

namespace {

void printSources(std::ostream& out) {
  for (const SourceSite& site : sourceSites()) {
    out << site.number << '\t' << site.domain << '\t' << site.homePage << '\t'
        << gbkToUtf8(sourceWatermark(site.number)) << '\n';
  }
}

int usageError(std::ostream& err, const std::string& message) {
  err << "quorvel: " << message << "\n" << usageText();
  return kExitUsage;
}

}  // namespace

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return usageError(err, "no command");
  const std::string& command = args.front();
  if (command == "help" || command == "--help") {
    out << usageText();
    return 0;
  }
  if (command == "sources" || command == "sample-address") {
    if (args.size() > 1) return usageError(err, command + " takes no arguments");
    if (command == "sources") {
      printSources(out);
    } else {
      out << sampleAddress() << '\n';
    }
    return 0;
  }
  if (command == "fetch") {
    std::string error;
    const auto request = parseFetchArguments(std::span(args).subspan(1), error);
    if (!request) return usageError(err, error);
    return runFetch(*request, out, err);
  }
  return usageError(err, "unknown command " + command);
}

}  // namespace quorvel
