#include "text/post_text.h"

#include <cstring>
#include <string.h>

namespace quorvel {
namespace {

constexpr std::size_t npos = Text::npos;

bool isHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// First `wanted` (an ASCII byte) at or after `from` that starts a character; `from` must
// start one.
std::size_t findCharacter(const Text& text, std::size_t from, char wanted) {
  for (std::size_t i = from; i < text.size();) {
    if (isHigh(text[i])) {
      i += 2;
    } else if (text[i] == wanted) {
      return i;
    } else {
      ++i;
    }
  }
  return npos;
}

// Whether position `at` starts a character, given that `known` (<= at) starts one: the byte
// after an ASCII byte always does, so only the parity of the run of high bytes before `at`
// decides.
bool startsCharacter(const Text& text, std::size_t known, std::size_t at) {
  std::size_t run = 0;
  while (at > known && isHigh(text[at - 1])) {
    --at;
    ++run;
  }
  return run % 2 == 0;
}

// Removes every copy of text[p, p + length) that starts a character, scanning once from p
// (where the first copy stands) without rescanning what it leaves, in place.
void removeCopies(Text& text, std::size_t p, std::size_t length) {
  const Text tag = text.substr(p, length);
  std::size_t write = p;
  std::size_t kept = p + length;  // first byte not yet moved; a character starts here
  std::size_t from = kept;
  while (from + length <= text.size()) {
    const void* hit = memmem(text.data() + from, text.size() - from, tag.data(), length);
    if (hit == nullptr) break;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    if (!startsCharacter(text, kept, at)) {
      from = at + 1;
      continue;
    }
    std::memmove(text.data() + write, text.data() + kept, at - kept);
    write += at - kept;
    kept = from = at + length;
  }
  std::memmove(text.data() + write, text.data() + kept, text.size() - kept);
  text.resize(write + text.size() - kept);
}

}  // namespace

Text replaceEntities(std::string_view text) {
  static const struct {
    std::string_view entity;
    std::string_view replacement;
  } table[] = {
      {"&lsquo;", "'"},         {"&rsquo;", "'"},         {"&ldquo;", "\xA1\xB0"},
      {"&rdquo;", "\xA1\xB1"},  {"&hellip;", "\xA1\xAD"}, {"&nbsp;", " "},
      {"&mdash;", "\xA1\xAA"},
  };
  Text out(text);
  for (const auto& row : table) out = replaceText(out, row.entity, row.replacement);
  return out;
}

// Each pass takes the first tag (from the first "<" to the first ">" after it) and removes
// every copy of it. Text before that "<" holds no tag and is never touched again, so the
// next pass starts its search there.
Text stripTags(std::string_view text) {
  Text out(text);
  std::size_t open = 0;
  while ((open = findCharacter(out, open, '<')) != npos) {
    const std::size_t close = findCharacter(out, open + 1, '>');
    // No ">" after the first "<": the tag would be "<>", which is not in the text, and a
    // pass that changes nothing ends the loop.
    if (close == npos) break;
    removeCopies(out, open, close - open + 1);
  }
  return out;
}

Text cleanDescription(std::string_view text) {
  Text out = replaceText(text, "<p>", "\r\n");
  out = replaceText(out, "<br />", "\r\n");
  return stripTags(replaceEntities(out));
}

}  // namespace quorvel
