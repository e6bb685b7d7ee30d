#include "text/post_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <unordered_map>
#include <vector>

namespace quorvel {
namespace {

constexpr int kNone = -1;

bool isHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

constexpr std::uint64_t kModulus = (std::uint64_t{1} << 61) - 1;
constexpr std::uint64_t kBase = 1000003;

std::uint64_t mulMod(std::uint64_t a, std::uint64_t b) {
  const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
  const std::uint64_t r =
      static_cast<std::uint64_t>(product & kModulus) + static_cast<std::uint64_t>(product >> 61);
  return r >= kModulus ? r - kModulus : r;
}

// Polynomial hashes of the bytes still present in ranges of a text from which bytes are
// deleted one by one: a segment tree whose nodes hold the hash and count of their present
// bytes. Hashes only pick candidates; every candidate is compared byte for byte.
class PresentHashes {
 public:
  struct Part {
    std::uint64_t hash = 0;
    std::size_t count = 0;
  };

  explicit PresentHashes(const Text& text) : power_(text.size() + 1, 1) {
    for (std::size_t i = 1; i < power_.size(); ++i) power_[i] = mulMod(power_[i - 1], kBase);
    while (leaves_ < text.size()) leaves_ *= 2;
    tree_.resize(2 * leaves_);
    for (std::size_t i = 0; i < text.size(); ++i) {
      tree_[leaves_ + i] = {static_cast<unsigned char>(text[i]) + 1u, 1};
    }
    for (std::size_t i = leaves_ - 1; i > 0; --i) tree_[i] = join(tree_[2 * i], tree_[2 * i + 1]);
  }

  void erase(std::size_t at) {
    std::size_t i = leaves_ + at;
    tree_[i] = {};
    for (i /= 2; i > 0; i /= 2) tree_[i] = join(tree_[2 * i], tree_[2 * i + 1]);
  }

  // The present bytes of [first, last].
  Part range(std::size_t first, std::size_t last) const {
    Part left;
    Part right;
    for (std::size_t l = first + leaves_, r = last + 1 + leaves_; l < r; l /= 2, r /= 2) {
      if (l & 1) left = join(left, tree_[l++]);
      if (r & 1) right = join(tree_[--r], right);
    }
    return join(left, right);
  }

 private:
  Part join(const Part& a, const Part& b) const {
    std::uint64_t h = mulMod(a.hash, power_[b.count]) + b.hash;
    if (h >= kModulus) h -= kModulus;
    return {h, a.count + b.count};
  }

  std::vector<std::uint64_t> power_;
  std::size_t leaves_ = 1;
  std::vector<Part> tree_;
};

// The tag removal on a text whose bytes are deleted in place rather than moved.
//
// Removing a copy of a tag never changes where characters start in what remains: a copy
// starts a character and ends with a ">" that starts one, so whole characters go. What a
// removal does change is the tag of every "<" that stood between the last ">" before the
// copy and the copy: those "<" now reach the first ">" after it. All other tags keep their
// text. So each "<" keeps its tag's end and hash, the "<" are indexed by hash, and a pass
// touches only the copies of its tag and the "<" just before each copy.
class TagRemoval {
 public:
  explicit TagRemoval(const Text& text)
      : text_(text), hashes_(text), nextPresent_(text.size() + 1), bracketAt_(text.size(), kNone) {
    for (std::size_t i = 0; i <= text.size(); ++i) nextPresent_[i] = i;
    for (std::size_t i = 0; i < text.size(); i += isHigh(text[i]) ? 2 : 1) {
      if (text[i] != '<' && text[i] != '>') continue;
      bracketAt_[i] = static_cast<int>(brackets_.size());
      brackets_.push_back({i, text[i] == '<'});
    }
    const int count = static_cast<int>(brackets_.size());
    for (int b = 0; b < count; ++b) {
      brackets_[b].prev = b - 1;
      brackets_[b].next = b + 1 < count ? b + 1 : kNone;
    }
    head_ = count > 0 ? 0 : kNone;
    std::vector<int> open;
    for (int b = 0; b < count; ++b) {
      if (brackets_[b].opens) {
        open.push_back(b);
        continue;
      }
      for (int o : open) setClose(o, b);
      open.clear();
    }
  }

  Text run() {
    for (int pass = 1;; ++pass) {
      while (head_ != kNone && !brackets_[head_].opens) unlink(head_);  // text that stays
      if (head_ == kNone || brackets_[head_].close == kNone) break;
      removeCopiesOf(head_, pass);
    }
    Text out;
    out.reserve(text_.size());
    for (std::size_t i = present(0); i < text_.size(); i = present(i + 1)) out += text_[i];
    return out;
  }

 private:
  struct Bracket {
    std::size_t at;
    bool opens;  // "<"; else ">"
    int prev = kNone;
    int next = kNone;
    bool removed = false;
    int close = kNone;  // for "<": the ">" its tag ends with
    std::uint64_t hash = 0;
    std::size_t length = 0;
    int stamp = 0;
  };

  std::size_t present(std::size_t i) {
    std::size_t root = i;
    while (nextPresent_[root] != root) root = nextPresent_[root];
    while (nextPresent_[i] != root) i = std::exchange(nextPresent_[i], root);
    return root;
  }

  void setClose(int o, int close) {
    Bracket& b = brackets_[o];
    b.close = close;
    if (close == kNone) return;
    const auto part = hashes_.range(b.at, brackets_[close].at);
    b.hash = part.hash;
    b.length = part.count;
    byHash_[b.hash].push_back(o);
  }

  void unlink(int b) {
    Bracket& x = brackets_[b];
    if (x.prev != kNone) brackets_[x.prev].next = x.next; else head_ = x.next;
    if (x.next != kNone) brackets_[x.next].prev = x.prev;
    x.removed = true;
  }

  Text presentBytes(std::size_t first, std::size_t last) {
    Text out;
    for (std::size_t i = present(first); i <= last; i = present(i + 1)) out += text_[i];
    return out;
  }

  bool isCopy(int o, const Bracket& first, std::string_view tag) {
    const Bracket& b = brackets_[o];
    if (b.removed || b.close == kNone || b.hash != first.hash || b.length != first.length) {
      return false;
    }
    return presentBytes(b.at, brackets_[b.close].at) == tag;
  }

  void removeCopiesOf(int first, int pass) {
    const Bracket& tagBracket = brackets_[first];
    const Text tag = presentBytes(tagBracket.at, brackets_[tagBracket.close].at);
    std::vector<int> candidates;
    if (auto found = byHash_.find(tagBracket.hash); found != byHash_.end()) {
      candidates = std::move(found->second);
      byHash_.erase(found);
    }
    candidates.push_back(first);
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    std::vector<std::pair<int, int>> copies;  // the copy's "<", the bracket before it
    for (int o : candidates) {
      if (!isCopy(o, brackets_[first], tag)) continue;
      copies.emplace_back(o, brackets_[o].prev);
      const std::size_t last = brackets_[brackets_[o].close].at;
      for (std::size_t i = present(brackets_[o].at); i <= last; i = present(i + 1)) {
        hashes_.erase(i);
        nextPresent_[i] = i + 1;
        if (bracketAt_[i] != kNone) unlink(bracketAt_[i]);
      }
    }
    // From the right, so that the tag ends the "<" after a join reach are already settled.
    for (auto copy = copies.rbegin(); copy != copies.rend(); ++copy) {
      const int before = copy->second;
      std::vector<int> joined;
      for (int b = before; b != kNone && brackets_[b].opens && brackets_[b].stamp != pass;
           b = brackets_[b].prev) {
        brackets_[b].stamp = pass;
        joined.push_back(b);
      }
      if (joined.empty()) continue;
      const int after = brackets_[before].next;
      const int close = after == kNone             ? kNone
                        : !brackets_[after].opens ? after
                                                  : brackets_[after].close;
      for (int o : joined) setClose(o, close);
    }
  }

  const Text& text_;
  PresentHashes hashes_;
  std::vector<std::size_t> nextPresent_;  // with path halving: the first present byte from here
  std::vector<int> bracketAt_;
  std::vector<Bracket> brackets_;  // every "<" and ">" that starts a character
  int head_ = kNone;               // the first bracket still in the list
  std::unordered_map<std::uint64_t, std::vector<int>> byHash_;  // may hold stale entries
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
// every copy of it; a first "<" without ">" after it would make the tag "<>", which is not
// in the text, so the loop ends there.
Text stripTags(std::string_view text) {
  const Text work(text);
  return TagRemoval(work).run();
}

Text cleanDescription(std::string_view text) {
  Text out = replaceText(text, "<p>", "\r\n");
  out = replaceText(out, "<br />", "\r\n");
  return stripTags(replaceEntities(out));
}

}  // namespace quorvel
