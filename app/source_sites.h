#pragma once
// The nine supported film sites, in number order: the order in which an address is
// offered to them.
#include <span>
#include <string_view>

#include "sources/extraction.h"
#include "text/text.h"

namespace quorvel {

struct SourceSite {
  int number;                   // 1..9
  std::string_view radioName;   // "单选框1" .. "单选框9"
  std::string_view domain;      // ASCII, no "www.", no scheme
  Text homePage;                // "http://www." + domain
  Extractor extractor;
};

std::span<const SourceSite> sourceSites();

// Whether `address` names this site: its domain occurs in it, exact case.
bool addressMatches(const SourceSite& site, std::string_view address);

}  // namespace quorvel
