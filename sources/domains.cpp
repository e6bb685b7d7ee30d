#include "sources/domains.h"

#include "text/gbk_literal.h"

namespace quorvel {

std::string_view sourceDomain(int n) { return kSourceDomains.at(n - 1); }

Text homePageAddress(int n) { return "http://www." + Text(sourceDomain(n)); }

Text sampleAddress() { return homePageAddress(2) + "/Html/GP13861.html"; }

Text sourceWatermark(int n) {
  switch (n) {
    case 2:
    case 3:  // Source 3's links carry Source 2's mark
      return "[迅雷下载"_gbk + "www." + Text(sourceDomain(2)) + "]";
    case 5:
      return "[下载库论坛"_gbk + "www." + Text(kForumDomain) + "]";
    case 6:
      return "[电影天堂"_gbk + "www." + Text(kFilmSiteDomain) + "]";
    case 8:
      return "[www." + Text(sourceDomain(8)) + "]";
    case 9:
      return "[下高清---"_gbk + Text(sourceDomain(9)) + "]";
    default:
      return "";
  }
}

}  // namespace quorvel
