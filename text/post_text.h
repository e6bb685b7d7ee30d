#pragma once
// Pure text pieces of the composed post: description cleanup and tag stripping.
#include "text/text.h"

namespace quorvel {

// The seven entities every source replaces: ‘ ’ “ ” … nbsp —, each by its fixed text.
Text replaceEntities(std::string_view text);

// Removes every copy of the first tag, pass after pass, until no "<" ... ">" pair is
// left or a pass changes nothing.
Text stripTags(std::string_view text);

// "<p>" and "<br />" to line breaks, the entities, then stripTags.
Text cleanDescription(std::string_view text);

}  // namespace quorvel
