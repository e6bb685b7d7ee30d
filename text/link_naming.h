#pragma once
// Turning hidden download links into link lines.
#include "text/text.h"

namespace quorvel {

// link + "|Name|" + its last "/"-piece + "|".
Text nameLink(std::string_view link);

// The plain link behind one "Flashget://" payload, "" when nothing decodes.
// `piece` is the text the link stands in, used by the plain-form fallback.
Text decodeFlashgetLink(std::string_view piece, std::string_view payload);

}  // namespace quorvel
