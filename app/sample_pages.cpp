#include "app/sample_pages.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorvel {

std::string samplePagePath(const std::string& root, const Text& address) {
  std::string rest = address;
  for (std::string_view scheme : {"http://", "https://"}) {
    if (rest.size() >= scheme.size() &&
        std::equal(scheme.begin(), scheme.end(), rest.begin(),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); })) {
      rest.erase(0, scheme.size());
      break;
    }
  }
  const std::size_t slash = rest.find('/');
  std::string host = rest.substr(0, slash);
  std::string path = slash == std::string::npos ? "" : rest.substr(slash + 1);
  if (host.empty()) return "";
  for (char& c : host) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (path.empty() || path.back() == '/') path += "index.html";

  // Never leave the folder, whatever the address holds.
  std::filesystem::path file = std::filesystem::path(host) / path;
  for (const auto& part : file) {
    if (part == ".." || part.is_absolute()) return "";
  }
  return (std::filesystem::path(root) / file).lexically_normal().string();
}

FetchResult fetchSamplePage(const std::string& root, const Text& address) {
  const std::string path = samplePagePath(root, address);
  std::ifstream in(path, std::ios::binary);
  if (path.empty() || !in || std::filesystem::is_directory(path)) {
    return {"", false, "no such sample page"};
  }
  std::ostringstream body;
  body << in.rdbuf();
  return {body.str(), true, ""};
}

PageFetcher samplePageFetcher(std::string root) {
  return [root = std::move(root)](const Text& address) { return fetchSamplePage(root, address); };
}

std::string bundledSamplesDir() { return QUORVEL_SAMPLES_DIR; }

}  // namespace quorvel
