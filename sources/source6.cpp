#include "sources/compose.h"
#include "sources/domains.h"
#include "sources/extractors.h"
#include "text/between.h"
#include "text/gbk_literal.h"
#include "text/post_text.h"

namespace quorvel {

namespace {

// The heading's brackets and title marks become tag boundaries; the line is opened
// here and closes only where the heading itself ends with "]".
Text titleLine(const Text& page) {
  Text h = stripTags(textBetween(page, "<h1>", "</h1>"));
  h = replaceText(h, "[", "][");
  h = replaceText(h, "《"_gbk, "][");
  h = replaceText(h, "》"_gbk, "][");
  return "[" + h;
}

Text description(const Text& page) {
  Text d = textBetween(page, "<!--Content Start-->", "<strong>");
  d = replaceText(d, "<br />", "\r\n", CaseMode::IgnoreCase);
  d = replaceEntities(d);
  d = replaceText(d, "&middot;", "");
  d = boldTagsToForum(d);
  d = imageTagsToBlocks(d);
  d = stripTags(d);
  d = shortenBlankLines(d);
  return trimBoth(d);
}

// The scheme is rebuilt in small letters from the text behind it.
Text anchorFtpLine(const Text& piece) {
  return namedFtpLine("ftp://" + textBetween(piece, "ftp://", "\""));
}

}  // namespace

void extractSource6(Extraction& run) {
  const Text page = bytesToText(run.fetchPage(run.address()));
  run.appendToBox(kTitleBox, titleLine(page));
  appendContentLine(run, description(page));
  writeLinkBlock(run, kFtpLinks, page, splitText(page, "<a href="), CaseMode::IgnoreCase,
                 anchorFtpLine);
  run.finish(sourceWatermark(6));
}

}  // namespace quorvel
