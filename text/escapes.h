#pragma once
// Percent and "\u" escapes in play data, decoded to GBK text.
#include "text/text.h"

namespace quorvel {

// "%XX" escapes to bytes, then the whole read as UTF-8 and converted to GBK.
// A "%" not followed by two hexadecimal digits is copied as it stands.
Text percentDecode(std::string_view text);

// Every "\uXXXX" (either case) replaced by the GBK form of its code unit.
Text unescapeUnicode(std::string_view text);

// The number `digits` (radix `from`) written in radix `to`, or one of two error texts.
Text convertRadix(std::string_view digits, int from, int to);

// The GBK text of one UTF-16 code unit (low 16 bits of `code`); "" when GBK lacks it.
Text codePointToGbk(long long code);

}  // namespace quorvel
