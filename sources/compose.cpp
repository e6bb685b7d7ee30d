#include "sources/compose.h"

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

long imageTagCount(std::string_view text) {
  long count = 0;
  for (long at = findText(text, "<img", CaseMode::IgnoreCase); at != -1;
       at = findText(text, "<img", at + 4, CaseMode::IgnoreCase)) {
    ++count;
  }
  return count;
}

}  // namespace

Text imageTagsToBlocks(std::string_view description) {
  Text d(description);
  for (long left = imageTagCount(d); left > 0;) {
    const Text src = textBetween(d, "src=\"", "\"");
    const Text tag = "<img" + textBetween(d, "<img", ">") + ">";
    Text next = replaceText(d, tag, "\r\n[img]" + src + "[/img]\r\n", CaseMode::IgnoreCase);
    const long nextLeft = imageTagCount(next);
    if (nextLeft >= left) {
      // No progress possible; a pass that changed the text still stands.
      return next;
    }
    d = std::move(next);
    left = nextLeft;
  }
  return d;
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
