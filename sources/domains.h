#pragma once
// The nine film sites, and the sites whose marks their file names carry.
// No domain contains another, so an address selects sources unambiguously.
#include <array>
#include <string_view>

#include "text/text.h"

namespace quorvel {

inline constexpr int kSourceCount = 9;

inline constexpr std::array<std::string_view, kSourceCount> kSourceDomains = {
    "lumenfilm.example",  // 1
    "reelhub.example",    // 2
    "cinepod.example",    // 3
    "vidnest.example",    // 4
    "movieden.example",   // 5
    "filmgate.example",   // 6
    "showbay.example",    // 7
    "playlot.example",    // 8
    "hdshelf.example",    // 9
};

// The download forum whose mark Source 5's links may carry, and the film site whose
// mark Source 6's file names carry.
inline constexpr std::string_view kForumDomain = "dlforum.example";
inline constexpr std::string_view kFilmSiteDomain = "paradisefilm.example";

// n is 1..9.
std::string_view sourceDomain(int n);
Text homePageAddress(int n);  // "http://www." + domain
Text sampleAddress();         // the film page the address box starts with (Source 2)

// The text source n writes into the replace box ("" for the sources that write none;
// Source 5 writes its forum watermark only when its links carry the forum's domain).
Text sourceWatermark(int n);

}  // namespace quorvel
