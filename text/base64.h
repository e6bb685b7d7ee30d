#pragma once
// The base64 decoder the link decoders rely on, including how it treats bad input:
// a byte outside the alphabet stops its group and the slots keep stale values.
#include "text/text.h"

namespace quorvel {

Bytes decodeBase64(std::string_view text);

}  // namespace quorvel
