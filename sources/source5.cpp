#include <optional>

#include "sources/compose.h"
#include "sources/domains.h"
#include "sources/extractors.h"
#include "text/between.h"
#include "text/charset.h"
#include "text/gbk_literal.h"
#include "text/link_naming.h"
#include "text/post_text.h"

namespace quorvel {

namespace {

// The heading is the whole title; its square-bracket marks become forum brackets.
Text titleLine(const Text& page) {
  Text h = textBetween(page, "<h1>", "</h1>");
  h = replaceText(h, "【"_gbk, "[");
  h = replaceText(h, "】"_gbk, "]");
  return h + "\r\n";
}

Text description(const Text& page) {
  Text d = textBetween(page, "side2\">", "↑返回到下载列表"_gbk);
  d = replaceText(d, "<BR>", "\r\n", CaseMode::IgnoreCase);
  d = boldTagsToForum(replaceEntities(d));
  d = imageTagsToBlocks(d);
  d = stripTags(d);
  return shortenBlankLines(d);
}

// Each "value=" attribute holding a Flashget link, decoded; the payload ends at the
// attribute's closing quote.
Text gatherLinks(const Text& page) {
  Text links;
  if (findText(page, "Flashget", CaseMode::IgnoreCase) == -1) return links;
  for (const Text& piece : splitText(page, "value=")) {
    if (findText(piece, "Flashget", CaseMode::IgnoreCase) == -1) continue;
    const Text link = decodeFlashgetLink(piece, textBetween(piece, "Flashget://", "\""));
    if (!link.empty()) addLink(links, link);
  }
  return links;
}

}  // namespace

void extractSource5(Extraction& run) {
  const Text page = decodePageText(run.fetchPage(run.address()));
  run.appendToBox(kTitleBox, titleLine(page));
  appendContentLine(run, description(page));

  const Text links = gatherLinks(page);
  const TextList items = linkItems(links);
  writeLinkBlock(run, kFlashgetLinks, links, items, CaseMode::IgnoreCase, plainLine);
  writeLinkBlock(run, kFtpLinks, links, items, CaseMode::IgnoreCase, namedFtpLine);

  // The forum's mark goes into the replace box only when its links carry it.
  const bool marked = findText(links, kForumDomain, CaseMode::IgnoreCase) != -1;
  run.finish(marked ? std::optional<Text>(sourceWatermark(5)) : std::nullopt);
}

}  // namespace quorvel
