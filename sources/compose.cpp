#include "sources/compose.h"

#include "text/escapes.h"
#include "text/gbk_literal.h"
#include "text/link_naming.h"

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

}  // namespace quorvel
