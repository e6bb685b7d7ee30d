#include "sources/compose.h"
#include "sources/extractors.h"
#include "text/between.h"
#include "text/charset.h"
#include "text/escapes.h"
#include "text/gbk_literal.h"
#include "text/link_naming.h"
#include "text/post_text.h"

namespace quorvel {

namespace {

// ED2K and magnet links stand percent-escaped in the page; only spaces in front go.
Text decodedTrimmedLine(const Text& item) { return trimBoth(percentDecode(item) + "\r\n"); }

// Links hidden in "ConvertURL2FG('Flashget://...')" calls, decoded; then the raw
// targets of the "href=" attributes, empty ones included.
Text gatherCandidates(const Text& area) {
  Text candidates;
  for (const Text& piece : splitText(area, "ConvertURL2FG('")) {
    const Text link = decodeFlashgetLink(piece, textBetween(piece, "Flashget://", "'"));
    if (!link.empty()) addLink(candidates, link);
  }
  for (const Text& piece : splitText(area, "href=")) {
    addLink(candidates, textBetween(piece, "\"", "\""));
  }
  return candidates;
}

}  // namespace

void extractSource7(Extraction& run) {
  const Text page = decodePageText(run.fetchPage(run.address()));

  appendImageBlock(run, textBetween(page, "pic:'", "'"));

  const Text description = textBetween(page, "[展开全文]"_gbk, "<script");
  appendContentLine(run, replaceEntities(stripTags(description)));

  appendTitleTag(run, textBetween(page, "地区：</span><strong>"_gbk, "</strong>"));
  appendTitleTag(run, textBetween(page, "pubdate\">", "-"));
  appendTitleTag(run, textBetween(page, "<strong>《"_gbk, "》"_gbk));

  const Text candidates = gatherCandidates(textBetween(page, "loading_tip", "全选"_gbk));
  const TextList items = linkItems(candidates);
  writeLinkBlock(run, kEd2kLinks, candidates, items, CaseMode::Exact, decodedTrimmedLine);
  writeLinkBlock(run, kMagnetLinks, candidates, items, CaseMode::Exact, decodedTrimmedLine);
  writeLinkBlock(run, kFlashgetMixedCaseLinks, candidates, items, CaseMode::IgnoreCase, plainLine);

  run.finish();
}

}  // namespace quorvel
