#pragma once
// Builds the hidden link forms the film sites put into their pages, so that tests can
// write the plain link next to the page that hides it.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvel::testing {

inline std::string base64Encode(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    unsigned value = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      value = value << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= n ? kAlphabet[(value >> (18 - 6 * k)) & 63] : '=';
    }
  }
  return out;
}

// The payload of a "Flashget://" link whose full decoding gives
// linkHead + "mhts|" + name + "|": the link is base64 between two "/" of a
// "[FLASHGET]http://host/.../[FLASHGET]" wrapper, and the name inside it is base64 again.
inline std::string flashgetPayload(std::string_view linkHead, std::string_view gbkName,
                                   std::string_view host = "fg.example") {
  const std::string link = std::string(linkHead) + "mhts|" + base64Encode(gbkName) + "|";
  const std::string segment = base64Encode(link);
  if (segment.find('/') != std::string::npos) {
    throw std::logic_error("choose another link: its base64 holds a '/': " + link);
  }
  return base64Encode("[FLASHGET]http://" + std::string(host) + "/" + segment + "/[FLASHGET]");
}

// The plain form "[FLASHGET]" + link + "[FLASHGET]".
inline std::string plainFlashgetPayload(std::string_view link) {
  return base64Encode("[FLASHGET]" + std::string(link) + "[FLASHGET]");
}

// A Thunder link's payload: "AA" + address + "ZZ".
inline std::string thunderPayload(std::string_view address) {
  return base64Encode("AA" + std::string(address) + "ZZ");
}

}  // namespace quorvel::testing
