#pragma once
// Pages served from a folder instead of the network: the page at
// http://HOST/PATH is the file ROOT/HOST/PATH (a query stays part of the file name;
// an empty path or one ending in "/" names "index.html" there). Used by --samples and
// by the tests' fixture sites.
#include <string>

#include "sources/extraction.h"

namespace quorvel {

// The file a page address names under `root`, or "" when the address cannot name one
// (no host, or a path that climbs out of the folder).
std::string samplePagePath(const std::string& root, const Text& address);

// A missing file is a request without a response.
FetchResult fetchSamplePage(const std::string& root, const Text& address);
PageFetcher samplePageFetcher(std::string root);

// The bundled sample sites.
std::string bundledSamplesDir();

}  // namespace quorvel
