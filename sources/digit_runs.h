#pragma once
// The digits of a text, run by run: how Source 4 turns a film address into a film id.
#include "text/text.h"

namespace quorvel {

// The digits "0" to "9" of `text` in order, one space between two runs that other
// bytes separate: "a1b22c333" gives "1 22 333", a text without digits "".
Text digitRuns(std::string_view text);

}  // namespace quorvel
