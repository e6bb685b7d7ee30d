#include "sources/compose.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "text/between.h"
#include "text/escapes.h"
#include "text/gbk_literal.h"
#include "text/link_naming.h"
#include "text/post_text.h"

namespace quorvel {

const LinkKind kQvodLinks{"选择框1", "[QVOD]", "[/QVOD]", "[QVOD]", "qvod://"};
const LinkKind kBdhdLinks{"选择框2", "[BDHD]", "[/BDHD]", "[BDHD]", "bdhd://"};
const LinkKind kGvodLinks{"选择框3", "[GVOD]", "[/GVOD]", "[GVOD]", "gvod://"};
const LinkKind kFtpLinks{"选择框4", "[FTP]", "[/FTP]", "[FTP]", "ftp://"};
const LinkKind kEd2kLinks{"选择框5", "[ED2K]", "[/ED2K]", "[电驴]"_gbk, "ed2k://"};
const LinkKind kFlashgetLinks{"选择框6", "[FLASHGET]", "[/FLASHGET]", "[快车]"_gbk, "Flashget"};
const LinkKind kMagnetLinks{"选择框8", "[Magnet]", "[/Magnet]", "[磁力]"_gbk, "magnet:"};

void appendTitleTag(Extraction& run, std::string_view value) {
  run.appendToBox(kTitleBox, "[" + Text(value) + "]");
}

void appendImageBlock(Extraction& run, std::string_view imageAddress) {
  run.appendToBox(kContentBox, "[img]" + Text(imageAddress) + "[/img]\r\n");
}

void appendContentLine(Extraction& run, std::string_view text) {
  run.appendToBox(kContentBox, Text(text) + Text(kLineBreak));
}

void openLinkBlock(Extraction& run, const LinkKind& kind) {
  run.appendToBox(kContentBox, kind.openTag + Text(kLineBreak));
  run.appendToBox(kTitleBox, kind.titleTag);
}

void closeLinkBlock(Extraction& run, const LinkKind& kind) {
  run.appendToBox(kContentBox, kind.closeTag + Text(kLineBreak));
}

bool writeLinkBlock(Extraction& run, const LinkKind& kind, std::string_view links,
                    const TextList& items, CaseMode testCase, const LinkLine& line) {
  if (!run.isChecked(kind.checkBox) || findText(links, kind.test, testCase) == -1) return false;
  openLinkBlock(run, kind);
  for (const Text& item : items) {
    if (findText(item, kind.test, testCase) != -1) run.appendToBox(kContentBox, line(item));
  }
  closeLinkBlock(run, kind);
  return true;
}

void writePlayerBlocks(Extraction& run, std::string_view playList, const TextList& pieces) {
  for (const LinkKind* kind : {&kQvodLinks, &kBdhdLinks, &kGvodLinks}) {
    writeLinkBlock(run, *kind, playList, pieces, CaseMode::Exact, unescapedTrimmedLine);
  }
}

Text plainLine(const Text& item) { return item + Text(kLineBreak); }

Text namedFtpLine(const Text& item) { return nameLink(item) + Text(kLineBreak); }

Text unescapedTrimmedLine(const Text& item) {
  return trimBoth(unescapeUnicode(item) + Text(kLineBreak));
}

void addLink(Text& links, std::string_view link) {
  links += link;
  links += kLinkSeparator;
}

TextList linkItems(std::string_view links) { return splitText(links, kLinkSeparator); }

namespace {

constexpr std::string_view kImageOpen = "<img";
constexpr std::size_t npos = Text::npos;

bool isHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }
char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; }

long imageTagCount(std::string_view text) {
  long count = 0;
  for (long at = findText(text, kImageOpen, CaseMode::IgnoreCase); at != -1;
       at = findText(text, kImageOpen, at + 4, CaseMode::IgnoreCase)) {
    ++count;
  }
  return count;
}

// First occurrence of a marker in a fixed text at or after a position, remembered so that
// asking again from further on does not search again what is known to hold none.
class NextMarker {
 public:
  NextMarker(std::string_view marker, CaseMode mode) : marker_(marker), mode_(mode) {}

  std::size_t at(std::string_view text, std::size_t from) {
    if (from < searchedFrom_ || (found_ != npos && found_ < from)) {
      const long hit = findText(text, marker_, static_cast<long>(from) + 1, mode_);
      found_ = hit == -1 ? npos : static_cast<std::size_t>(hit - 1);
      searchedFrom_ = from;
    }
    return found_;
  }

 private:
  std::string_view marker_;
  CaseMode mode_;
  std::size_t searchedFrom_ = npos;  // nothing searched yet
  std::size_t found_ = npos;
};

// The image loop over the description kept in two parts: `done_`, everything before the
// first image tag, which holds none and so never changes again, and `rest_` from `from_`
// on. A tag that occurs once is replaced by appending to `done_`, without touching the
// rest; which tags occur once is known from a count of every image tag's text, folded to
// small letters and hashed (a hash collision only sends a pass the long way).
class ImageLoop {
 public:
  ImageLoop(std::string_view description, std::size_t sizeLimit)
      : rest_(description), limit_(sizeLimit) {
    reindex();
  }

  Text run() {
    while (left_ > 0) {
      const std::string_view rest = std::string_view(rest_).substr(from_);
      const long open = findText(rest, kImageOpen, CaseMode::IgnoreCase);
      if (open == -1) break;
      const long close = findText(rest, ">", open + 4);
      // The tag would be "<img>", which cannot occur: a pass that changes nothing.
      if (close == -1) break;
      const std::size_t a = from_ + static_cast<std::size_t>(open - 1);
      const std::size_t b = from_ + static_cast<std::size_t>(close - 1);
      const Text block = "\r\n[img]" + source() + "[/img]\r\n";
      const bool blockHoldsTags = findText(block, kImageOpen, CaseMode::IgnoreCase) != -1;
      if (!blockHoldsTags && counts_[key(a, b)] == 1) {
        if (size() - (b + 1 - a) + block.size() > limit_) break;
        takeUnique(a, b, block);
      } else if (!passTheLongWay(Text(rest_, a, b + 1 - a), block)) {
        break;
      }
    }
    return done_ + rest_.substr(from_);
  }

 private:
  std::size_t size() const { return done_.size() + rest_.size() - from_; }

  std::uint64_t key(std::size_t first, std::size_t last) const {
    const std::size_t n = last + 1 - first;
    return (prefix_[last + 1] - prefix_[first] * power_[n]) * 0x9E3779B97F4A7C15ULL + n;
  }

  // Counts the image tags of the rest and the texts of those that end with a ">".
  void reindex() {
    rest_.erase(0, from_);
    from_ = 0;
    prefix_.assign(rest_.size() + 1, 0);
    power_.assign(rest_.size() + 1, 1);
    for (std::size_t i = 0; i < rest_.size(); ++i) {
      prefix_[i + 1] = prefix_[i] * 1000003 + static_cast<unsigned char>(fold(rest_[i])) + 1;
      power_[i + 1] = power_[i] * 1000003;
    }
    counts_.clear();
    left_ = 0;
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < rest_.size(); i += isHigh(rest_[i]) ? 2 : 1) {
      if (isImageOpen(i)) {
        open.push_back(i);
        ++left_;
      } else if (rest_[i] == '>') {
        for (std::size_t o : open) ++counts_[key(o, i)];
        open.clear();
      }
    }
    srcMarker_ = NextMarker("src=\"", CaseMode::IgnoreCase);
    quote_ = NextMarker("\"", CaseMode::Exact);
    srcInDone_ = npos;
    fixedSource_.reset();
  }

  bool isImageOpen(std::size_t i) const {
    if (i + 4 > rest_.size()) return false;
    for (std::size_t k = 0; k < 4; ++k) {
      if (fold(rest_[i + k]) != kImageOpen[k]) return false;
    }
    return true;
  }

  // The text between the first "src=\"" and the next "\"" of the whole description.
  Text source() {
    if (fixedSource_) return *fixedSource_;
    if (srcInDone_ != npos) {
      const std::size_t quote = quote_.at(rest_, from_);
      if (quote == npos) return {};
      return done_.substr(srcInDone_ + 5) + rest_.substr(from_, quote - from_);
    }
    const std::size_t start = startOfSource();
    if (start == npos) return {};
    const std::size_t quote = quote_.at(rest_, start + 5);
    if (quote == npos) return {};
    return rest_.substr(start + 5, quote - start - 5);
  }

  std::size_t startOfSource() { return srcMarker_.at(rest_, from_); }

  void takeUnique(std::size_t a, std::size_t b, const Text& block) {
    std::size_t quoteFrom = from_;
    if (srcInDone_ == npos) {
      const std::size_t start = startOfSource();
      if (start != npos && start < a) {
        srcInDone_ = done_.size() + (start - from_);
        quoteFrom = start + 5;
      }
    }
    const std::size_t quote = srcInDone_ != npos ? quote_.at(rest_, quoteFrom) : npos;
    done_.append(rest_, from_, a - from_);
    if (srcInDone_ != npos && !fixedSource_ && quote != npos && quote < a &&
        srcInDone_ + 5 <= done_.size() - (a - quote)) {
      const std::size_t end = done_.size() - (a - quote);
      fixedSource_ = done_.substr(srcInDone_ + 5, end - srcInDone_ - 5);
    }
    done_ += block;
    for (std::size_t i = a; i <= b; i += isHigh(rest_[i]) ? 2 : 1) {
      if (!isImageOpen(i)) continue;
      --left_;
      if (--counts_[key(i, b)] == 0) counts_.erase(key(i, b));
    }
    from_ = b + 1;
  }

  // The pass as written: every copy of the tag, ignoring case, in the whole text. Returns
  // whether the loop goes on.
  bool passTheLongWay(const Text& tag, const Text& block) {
    const Text whole = done_ + rest_.substr(from_);
    long copies = 0;
    for (long at = findText(whole, tag, CaseMode::IgnoreCase); at != -1;
         at = findText(whole, tag, at + static_cast<long>(tag.size()), CaseMode::IgnoreCase)) {
      ++copies;
    }
    if (whole.size() + static_cast<std::size_t>(copies) * block.size() -
            static_cast<std::size_t>(copies) * tag.size() >
        limit_) {
      return false;
    }
    Text next = replaceText(whole, tag, block, CaseMode::IgnoreCase);
    const long nextLeft = imageTagCount(next);
    const bool progress = nextLeft < left_;
    done_.clear();
    rest_ = std::move(next);
    from_ = 0;
    if (!progress) return false;  // a pass that changed the text still stands
    reindex();
    return true;
  }

  Text done_;
  Text rest_;
  std::size_t from_ = 0;
  std::size_t limit_;
  long left_ = 0;
  std::vector<std::uint64_t> prefix_;
  std::vector<std::uint64_t> power_;
  std::unordered_map<std::uint64_t, int> counts_;
  NextMarker srcMarker_{"src=\"", CaseMode::IgnoreCase};
  NextMarker quote_{"\"", CaseMode::Exact};
  std::size_t srcInDone_ = npos;  // where the first "src=\"" stands once it is in done_
  std::optional<Text> fixedSource_;  // the address once its closing quote is in done_ too
};

}  // namespace

std::size_t imageBlocksSizeLimit(std::size_t descriptionSize) {
  return 16 * descriptionSize + (std::size_t{1} << 20);
}

Text imageTagsToBlocks(std::string_view description) {
  return imageTagsToBlocks(description, imageBlocksSizeLimit(description.size()));
}

Text imageTagsToBlocks(std::string_view description, std::size_t sizeLimit) {
  if (description.size() > sizeLimit) return Text(description);
  return ImageLoop(description, sizeLimit).run();
}

Text boldTagsToForum(std::string_view text) {
  return replaceText(replaceText(text, "<b>", "[b]"), "</b>", "[/b]");
}

Text shortenBlankLines(std::string_view text) { return replaceText(text, "\r\n\r\n", "\r\n"); }

Text replaceEntitiesAndParagraphs(std::string_view text) {
  const Text paragraphs = replaceText(replaceEntities(text), "<p>", "\r\n");
  return replaceText(replaceText(paragraphs, "</p>", ""), "<br />", "\r\n");
}

const LinkKind kFlashgetMixedCaseLinks{"选择框6", "[Flashget]", "[/Flashget]", "[快车]"_gbk,
                                      "Flashget"};

}  // namespace quorvel
