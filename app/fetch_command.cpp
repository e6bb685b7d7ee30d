#include "app/fetch_command.h"

#include <cstdio>

#include "app/fetch_dispatch.h"
#include "app/memory_controls.h"
#include "app/route_option.h"
#include "app/sample_pages.h"
#include "app/status_text.h"
#include "sources/compose.h"
#include "text/charset.h"

namespace quorvel {

std::optional<FetchRequest> parseFetchArguments(std::span<const std::string> args,
                                                std::string& error) {
  FetchRequest request;
  std::vector<std::string> addresses;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string* {
      if (i + 1 < args.size()) return &args[++i];
      error = arg + " needs a value";
      return nullptr;
    };
    if (arg == "--uncheck") {
      const std::string* n = value();
      if (!n) return std::nullopt;
      if (n->size() != 1 || (*n)[0] < '1' || (*n)[0] > '8') {
        error = "--uncheck takes a check box number 1 to 8, not '" + *n + "'";
        return std::nullopt;
      }
      request.uncheckedBoxes.push_back((*n)[0] - '0');
    } else if (arg == "--replace") {
      const std::string* text = value();
      if (!text) return std::nullopt;
      request.replace = *text;
    } else if (arg == "--connect-to") {
      const std::string* text = value();
      if (!text) return std::nullopt;
      const auto route = parseRoute(*text);
      if (!route) {
        error = "--connect-to takes HOST:PORT:CONNECT_HOST:CONNECT_PORT, not '" + *text + "'";
        return std::nullopt;
      }
      request.routes.push_back(*route);
    } else if (arg == "--rename") {
      request.rename = true;
    } else if (arg == "--samples") {
      request.samples = true;
    } else if (arg == "--json") {
      request.json = true;
    } else if (arg == "--") {
      addresses.insert(addresses.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    } else if (arg.starts_with("-") && arg.size() > 1) {
      error = "unknown option " + arg;
      return std::nullopt;
    } else {
      addresses.push_back(arg);
    }
  }
  if (addresses.size() != 1) {
    error = addresses.empty() ? "fetch needs an ADDRESS" : "fetch takes one ADDRESS";
    return std::nullopt;
  }
  request.address = addresses.front();
  return request;
}

std::string jsonString(std::string_view text) {
  static constexpr char hex[] = "0123456789abcdef";
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': json += "\\\""; break;
      case '\\': json += "\\\\"; break;
      case '\n': json += "\\n"; break;
      case '\r': json += "\\r"; break;
      case '\t': json += "\\t"; break;
      default:
        if (byte < 0x20) {
          json += "\\u00";
          json += hex[byte >> 4];
          json += hex[byte & 0xF];
        } else {
          json += c;
        }
    }
  }
  return json + "\"";
}

namespace {

int checkedRadio(const Controls& controls) {
  for (const SourceSite& site : sourceSites()) {
    if (controls.isChecked(site.radioName)) return site.number;
  }
  return 0;
}

void printPost(const Controls& controls, bool json, std::ostream& out) {
  const std::string title = gbkToUtf8(controls.text(kTitleBox));
  const std::string content = gbkToUtf8(controls.text(kContentBox));
  if (!json) {
    out << title << "\n\n" << content;
    if (!content.empty() && content.back() != '\n') out << "\n";
    return;
  }
  out << "{\"title\": " << jsonString(title) << ", \"content\": " << jsonString(content)
      << ", \"replace\": " << jsonString(gbkToUtf8(controls.text(kReplaceBox)))
      << ", \"status\": " << jsonString(gbkToUtf8(controls.text(kStatusLabel)))
      << ", \"radio\": " << checkedRadio(controls) << "}\n";
}

}  // namespace

int runFetch(const FetchRequest& request, std::ostream& out, std::ostream& err) {
  if (!request.routes.empty()) setRoutes(request.routes);
  MemoryControls controls;
  for (int n : request.uncheckedBoxes) controls.setChecked("选择框" + std::to_string(n), false);
  if (request.replace) controls.setText(kReplaceBox, utf8ToGbk(*request.replace));
  controls.setText(kAddressBox, utf8ToGbk(request.address));

  DispatchOptions options;
  if (request.samples) options.fetcher = samplePageFetcher(bundledSamplesDir());
  {
    FetchDispatch dispatch(controls, std::move(options));
    dispatch.startFetch();
    dispatch.waitForPress();
    if (request.rename) dispatch.renameLinks();
  }

  printPost(controls, request.json, out);
  out.flush();
  err << gbkToUtf8(controls.toolTip(kStatusLabel));
  const Text status = controls.text(kStatusLabel);
  if (status == statusUnsupported()) {
    err << "quorvel: no supported site in the address " << request.address << "\n";
    return kExitUsage;
  }
  return status == statusDone() ? kExitDone : kExitNotDone;
}

}  // namespace quorvel
