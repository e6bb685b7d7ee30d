#pragma once
// Code-page conversion between UTF-8, UTF-16LE and GBK (code page 936 semantics:
// the euro sign is the single byte 0x80, a character GBK lacks becomes "?").
#include "text/text.h"

namespace quorvel {

// UTF-8 page bytes to GBK text; invalid UTF-8 never fails, the text ends at a U+0000.
Text decodePageText(std::string_view utf8Bytes);
Bytes utf8ToWide(std::string_view utf8Bytes);     // UTF-16LE code units, two bytes each
Text wideToGbk(std::string_view utf16leBytes);    // a trailing odd byte is ignored

// One UTF-16 code unit in GBK (one or two bytes); "" for U+0000 and for a unit GBK lacks.
Text unitToGbk(char16_t unit);

// The program's edges (window, command line) speak UTF-8.
std::string gbkToUtf8(std::string_view gbkText);
inline Text utf8ToGbk(std::string_view utf8Text) { return decodePageText(utf8Text); }

}  // namespace quorvel
