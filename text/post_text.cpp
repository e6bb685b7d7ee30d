#include "text/post_text.h"

#include <string.h>  // memmem

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace quorvel {
namespace {

constexpr std::size_t npos = Text::npos;

bool isHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// First `wanted` (an ASCII byte) in [from, end) that starts a character; `from` must
// start one.
std::size_t findCharacter(const Text& text, std::size_t from, std::size_t end, char wanted) {
  for (std::size_t i = from; i < end;) {
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

// Removes every copy of `tag` in text[from, end) that starts a character, scanning once
// from the left without rescanning what it leaves; `from` starts a character. The tag
// must lie before `from`. Compacts in place and returns the new end.
std::size_t removeCopies(Text& text, std::size_t from, std::size_t end, std::string_view tag) {
  std::size_t write = from;
  std::size_t kept = from;  // first byte not yet moved; a character starts here
  while (from + tag.size() <= end) {
    const void* hit = memmem(text.data() + from, end - from, tag.data(), tag.size());
    if (hit == nullptr) break;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    if (!startsCharacter(text, kept, at)) {
      from = at + 1;
      continue;
    }
    std::memmove(text.data() + write, text.data() + kept, at - kept);
    write += at - kept;
    kept = from = at + tag.size();
  }
  if (write == kept) return end;
  std::memmove(text.data() + write, text.data() + kept, end - kept);
  return write + (end - kept);
}

// Counts, for every "<" that starts a character, the tag it opens: from it to the first
// ">" after it that starts a character. Copies of the first tag that removal may take are
// exactly the "<" whose tag is that same text (such copies never overlap), so a tag counted
// once is removed without scanning the rest. Tags are keyed by a polynomial hash: a
// collision can only make a unique tag look repeated and cost a scan, never change a result.
class TagCounts {
 public:
  explicit TagCounts(const Text& text) : prefix_(text.size() + 1, 0), power_(text.size() + 1, 1) {
    for (std::size_t i = 1; i < power_.size(); ++i) power_[i] = power_[i - 1] * kBase;
  }

  // Recounts text[from, end) after it changed; the bytes before `from` did not.
  void recount(const Text& text, std::size_t from, std::size_t end) {
    for (std::size_t i = from; i < end; ++i) {
      prefix_[i + 1] = prefix_[i] * kBase + static_cast<unsigned char>(text[i]) + 1;
    }
    counts_.clear();
    std::vector<std::size_t> open;  // "<" still waiting for their ">"
    for (std::size_t i = from; i < end;) {
      if (isHigh(text[i])) {
        i += 2;
        continue;
      }
      if (text[i] == '<') open.push_back(i);
      if (text[i] == '>') {
        for (std::size_t start : open) ++counts_[key(start, i + 1)];
        open.clear();
      }
      ++i;
    }
  }

  bool repeated(std::size_t open, std::size_t close) const {
    const auto found = counts_.find(key(open, close + 1));
    return found != counts_.end() && found->second > 1;
  }

  // The tag at [open, close] goes, and with it the tags of the "<" inside it.
  void forget(const Text& text, std::size_t open, std::size_t close) {
    for (std::size_t i = open; i < close;) {
      if (isHigh(text[i])) {
        i += 2;
        continue;
      }
      if (text[i] == '<') {
        const auto found = counts_.find(key(i, close + 1));
        if (found != counts_.end() && --found->second == 0) counts_.erase(found);
      }
      ++i;
    }
  }

 private:
  static constexpr std::uint64_t kBase = 1000003;

  std::uint64_t key(std::size_t begin, std::size_t end) const {
    const std::uint64_t hash = prefix_[end] - prefix_[begin] * power_[end - begin];
    return hash * 0x9E3779B97F4A7C15ULL + (end - begin);
  }

  std::vector<std::uint64_t> prefix_;
  std::vector<std::uint64_t> power_;
  std::unordered_map<std::uint64_t, std::size_t> counts_;
};

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
// every copy of it. What lies before that tag holds no tag and never changes again, so it
// is moved to the result once and the first copy is skipped rather than cut out.
Text stripTags(std::string_view text) {
  Text work(text);
  Text out;
  out.reserve(work.size());
  std::size_t start = 0;  // work[start, end) is what later passes may still change
  std::size_t end = work.size();
  TagCounts counts(work);
  counts.recount(work, start, end);
  for (;;) {
    const std::size_t open = findCharacter(work, start, end, '<');
    if (open == npos) break;
    const std::size_t close = findCharacter(work, open + 1, end, '>');
    // No ">" after the first "<": the tag would be "<>", which is not in the text, and a
    // pass that changes nothing ends the loop.
    if (close == npos) break;
    out.append(work, start, open - start);
    start = close + 1;
    if (counts.repeated(open, close)) {
      const std::string_view tag(work.data() + open, close - open + 1);
      end = removeCopies(work, start, end, tag);
      counts.recount(work, start, end);  // removals join texts and so change later tags
    } else {
      counts.forget(work, open, close);
    }
  }
  out.append(work, start, end - start);
  return out;
}

Text cleanDescription(std::string_view text) {
  Text out = replaceText(text, "<p>", "\r\n");
  out = replaceText(out, "<br />", "\r\n");
  return stripTags(replaceEntities(out));
}

}  // namespace quorvel
