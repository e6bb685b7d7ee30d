#include "app/source_sites.h"

#include <array>

#include "sources/domains.h"
#include "sources/extractors.h"

namespace quorvel {
namespace {

constexpr std::array<std::string_view, kSourceCount> kRadioNames = {
    "单选框1", "单选框2", "单选框3", "单选框4", "单选框5",
    "单选框6", "单选框7", "单选框8", "单选框9"};

constexpr std::array<Extractor, kSourceCount> kExtractors = {
    extractSource1, extractSource2, extractSource3, extractSource4, extractSource5,
    extractSource6, extractSource7, extractSource8, extractSource9};

std::array<SourceSite, kSourceCount> buildSites() {
  std::array<SourceSite, kSourceCount> sites;
  for (int n = 1; n <= kSourceCount; ++n) {
    sites[n - 1] = SourceSite{n, kRadioNames[n - 1], sourceDomain(n), homePageAddress(n),
                              kExtractors[n - 1]};
  }
  return sites;
}

}  // namespace

std::span<const SourceSite> sourceSites() {
  static const std::array<SourceSite, kSourceCount> sites = buildSites();
  return sites;
}

bool addressMatches(const SourceSite& site, std::string_view address) {
  return findText(address, site.domain, 1, CaseMode::Exact) != -1;
}

}  // namespace quorvel
