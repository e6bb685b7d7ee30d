#pragma once
// Text and byte primitives. A text is a string of GBK bytes without zero bytes;
// positions are 1-based byte positions and a failed search is -1. A byte of 0x80
// or above starts a two-byte character, and the character-aware operations never
// start a match on its second byte.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

using Text = std::string;      // GBK bytes, no zero bytes
using Bytes = std::string;     // any bytes, zeros allowed
using TextList = std::vector<Text>;

enum class CaseMode {
  Exact,       // bytes compare equal
  IgnoreCase,  // ASCII A-Z and a-z compare equal, nothing else
};

long textLength(std::string_view text);

// Position of the first occurrence of `sub` at or after `start` (below 1 means 1), or -1.
// An empty `sub` is found at `start` when the searched part is not empty.
long findText(std::string_view text, std::string_view sub, long start = 1,
              CaseMode mode = CaseMode::Exact);
inline long findText(std::string_view text, std::string_view sub, CaseMode mode) {
  return findText(text, sub, 1, mode);
}

Text midText(std::string_view text, long start, long count);
Text leftText(std::string_view text, long count);
Text rightText(std::string_view text, long count);

// Every non-overlapping occurrence, scanned once from the left; the result is not rescanned.
Text replaceText(std::string_view text, std::string_view sub, std::string_view replacement,
                 CaseMode mode = CaseMode::Exact);

// Pieces between exact-case separators; a trailing separator adds no item.
TextList splitText(std::string_view text, std::string_view separator);

// Spaces are the ASCII space and the full-width space (A1 A1) only.
Text trimBoth(std::string_view text);
Text trimEnd(std::string_view text);
Text removeSpaces(std::string_view text);

Text toUpper(std::string_view text);
Text toHalfWidth(std::string_view text);
long long toInteger(std::string_view text);
double toNumber(std::string_view text);
Text integerToText(long long value);
int charCode(std::string_view text, long position = 1);  // signed byte, 0 past the end
Text charFromCode(int code);                              // "" for 0
Text spaceText(long count);

Bytes toBytes(std::string_view text);
Bytes toBytes(std::int32_t value);  // four bytes, least significant first
Text bytesToText(std::string_view bytes);  // up to the first zero byte
long bytesLength(std::string_view bytes);
Bytes leftBytes(std::string_view bytes, long count);
Bytes blankBytes(long count);

}  // namespace quorvel
