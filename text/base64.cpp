#include "text/base64.h"

#include <array>
#include <cstdint>

#include "text/events.h"

namespace quorvel {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> kValues = [] {
  std::array<int, 256> values{};
  values.fill(-1);
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
  }
  return values;
}();

}  // namespace

// Bad input is decoded the way the links in the wild were made to be read: a byte outside
// the alphabet ends its group with its own byte value in that slot, the later slots keep
// whatever the previous group left there, and only the stop in the last group drops bytes.
Bytes decodeBase64(std::string_view text) {
  const Text compact = replaceText(removeSpaces(text), "\r\n", "");
  const std::size_t length = compact.size();
  const std::size_t groups = length / 4 + (length % 4 != 0 ? 1 : 0);
  Bytes out(3 * groups, '\0');
  std::array<std::uint8_t, 4> slot{};
  int stop = 0;
  for (std::size_t g = 0; g < groups; ++g) {
    stop = 5;
    for (int k = 0; k < 4; ++k) {
      const std::size_t at = 4 * g + static_cast<std::size_t>(k);
      const auto byte = at < length ? static_cast<unsigned char>(compact[at]) : 0;
      if (byte == 0) {
        slot[k] = 0;  // a missing character counts as "A"
      } else if (kValues[byte] >= 0) {
        slot[k] = static_cast<std::uint8_t>(kValues[byte]);
      } else {
        slot[k] = byte;
        stop = k + 1;
        break;
      }
    }
    out[3 * g] = static_cast<char>((slot[0] << 2) | (slot[1] >> 4));
    out[3 * g + 1] = static_cast<char>((slot[1] << 4) | (slot[2] >> 2));
    out[3 * g + 2] = static_cast<char>((slot[2] << 6) | slot[3]);
    processEvents();
  }
  if (stop < 5) {
    const std::size_t dropped = static_cast<std::size_t>(5 - stop);
    out.resize(out.size() > dropped ? out.size() - dropped : 0);
  }
  return out;
}

}  // namespace quorvel
