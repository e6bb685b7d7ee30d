#pragma once
// Cutting fields out of pages between fixed markers, and batch replacement.
#include "text/text.h"

namespace quorvel {

// The text after the first occurrence of `startMarker` up to the next occurrence of
// `endMarker`, both found ignoring case, markers excluded; "" when either is missing.
Text textBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker);

// Applies findList[i] -> replaceList[i] in order, for as many pairs as both lists have.
Text replaceEach(std::string_view text, const TextList& findList, const TextList& replaceList,
                 bool exactCase);

}  // namespace quorvel
