#include "sources/compose.h"
#include "sources/domains.h"
#include "sources/extractors.h"
#include "text/base64.h"
#include "text/between.h"
#include "text/gbk_literal.h"
#include "text/link_naming.h"
#include "text/post_text.h"

namespace quorvel {

namespace {

// This site's FTP links are gated by the box captioned "迅播高清", not by "FTP".
const LinkKind kSiteFtpLinks{"选择框3", "[Ftp]", "[/Ftp]", "[Ftp]", "ftp://"};

Text trimmedLine(const Text& item) { return trimBoth(item) + "\r\n"; }
Text trimmedNamedLine(const Text& item) { return trimBoth(nameLink(item)) + "\r\n"; }

// Everything after the second "<div class=\"text2\">" up to the third; a page with
// fewer markers has no description.
Text description(const Text& page) {
  const TextList pieces = splitText(page, "<div class=\"text2\">");
  Text d = pieces.size() >= 3 ? pieces[2] : Text();
  d = replaceText(d, textBetween(d, "<font", "</div>"), "");
  d = replaceText(d, textBetween(d, "<div", "</div>"), "");
  d = replaceText(d, "<BR>", "\r\n", CaseMode::IgnoreCase);
  d = boldTagsToForum(replaceEntities(d));
  d = imageTagsToBlocks(d);
  d = stripTags(d);
  return shortenBlankLines(d);
}

// The last occurrence of `sub` at or after `start`, ignoring case, or -1.
long findLast(const Text& text, std::string_view sub, long start) {
  long last = -1;
  for (long at = findText(text, sub, start, CaseMode::IgnoreCase); at != -1;
       at = findText(text, sub, at + 1, CaseMode::IgnoreCase)) {
    last = at;
  }
  return last;
}

// A Thunder link wraps "AA" + address + "ZZ" in base64. The address runs up to the
// last "ZZ", so one that holds "zz" itself (a file called Jazz...) stays whole.
Text unwrapThunder(const Text& payload) {
  const Text wrapped = bytesToText(decodeBase64(payload));
  const long open = findText(wrapped, "AA", CaseMode::IgnoreCase);
  if (open == -1) return "";
  const long close = findLast(wrapped, "ZZ", open + 2);
  if (close == -1) return "";
  return midText(wrapped, open + 2, close - open - 2);
}

// The one download link of a play page: a Thunder link when the page has one
// anywhere, else the player's parameter.
Text playPageLink(const Text& playPage) {
  if (findText(playPage, "thunder://") != -1) {
    return unwrapThunder(textBetween(playPage, "encodeURIComponent('thunder://", "'"));
  }
  return textBetween(playPage, "param_URL=\"", "\"");
}

}  // namespace

void extractSource8(Extraction& run) {
  const Text page = bytesToText(run.fetchPage(run.address()));

  const Text info = textBetween(page, "class=\"soft\">", "</div>");
  appendTitleTag(run, textBetween(info, "alt=\"", "\""));
  appendTitleTag(run, textBetween(info, "<font color=\"#009999\">", "</font>"));
  appendTitleTag(run, textBetween(info, "上　　映： "_gbk, "</li>"));
  // One append, so no piece of another extractor lands between the block and its empty line.
  run.appendToBox(kContentBox, "[img]" + textBetween(info, "src=\"", "\"") + "[/img]\r\n\r\n");

  appendContentLine(run, description(page));

  Text candidates;
  const TextList playLinks = splitText(page, "href=\"play");
  for (std::size_t i = 1; i < playLinks.size(); ++i) {
    const Text id = textBetween(playLinks[i], "_", "\"");
    addLink(candidates, playPageLink(bytesToText(run.fetchPage(run.address() + "play_" + id))));
  }

  const TextList items = linkItems(candidates);
  writeLinkBlock(run, kBdhdLinks, candidates, items, CaseMode::Exact, trimmedLine);
  writeLinkBlock(run, kSiteFtpLinks, candidates, items, CaseMode::Exact, trimmedNamedLine);

  run.finish(sourceWatermark(8));
}

}  // namespace quorvel
