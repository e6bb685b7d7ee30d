#include "sources/digit_runs.h"

namespace quorvel {

Text digitRuns(std::string_view text) {
  Text digits;
  bool afterDigit = false;  // the byte before this one was a digit
  for (char c : text) {
    const bool digit = c >= '0' && c <= '9';
    if (digit) {
      if (!afterDigit && !digits.empty()) digits += ' ';
      digits += c;
    }
    afterDigit = digit;
  }
  return digits;
}

}  // namespace quorvel
