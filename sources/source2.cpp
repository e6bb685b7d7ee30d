#include "sources/compose.h"
#include "sources/domains.h"
#include "sources/extractors.h"
#include "text/between.h"
#include "text/escapes.h"
#include "text/gbk_literal.h"

namespace quorvel {

// GBK film pages at /Html/GP<number>.html; the play page /play/play<number>-0-0.html
// names a play-data script whose links are "%u" and "%" escaped.
void extractSource2(Extraction& run) {
  const Text& address = run.address();
  const Text home = homePageAddress(2);

  const Text page = bytesToText(run.fetchPage(address));
  const Text name = textBetween(page, "alt=\"", "\"");
  // The site's posters all live on its "tu" image host; the prefix is its marker.
  appendImageBlock(run, "http://tu" + textBetween(page, "http://tu", "\""));
  const Text status = textBetween(page, "状态："_gbk, "</b>");
  const Text region = textBetween(page, "地区："_gbk, "</b>");
  const Text year = textBetween(page, "上映年代："_gbk, "</b>");
  const Text description = textBetween(page, "about_t\">", "</div>");
  appendContentLine(run, trimBoth(replaceEntitiesAndParagraphs(description)));
  for (const Text& value : {region, year, name, status}) appendTitleTag(run, trimBoth(value));

  const TextList ftpPieces = splitText(textBetween(page, "var GvodUrls = \"", "\""), "###");
  writeLinkBlock(run, kFtpLinks, page, ftpPieces, CaseMode::Exact, namedFtpLine);

  const Text filmNumber = textBetween(address, "/GP", ".");
  const Text play = bytesToText(run.fetchPage(home + "/play/play" + filmNumber + "-0-0.html"));
  const Text script =
      bytesToText(run.fetchPage(home + "/playdata/" + textBetween(play, "/playdata/", "\"")));
  // "%u" escapes become "\u" first, so that percent decoding leaves them for the lines.
  const Text data = percentDecode(replaceText(script, "%u", "\\u"));
  const TextList pieces = splitText(data, "$");
  writePlayerBlocks(run, data, pieces);

  run.finish(sourceWatermark(2));
}

}  // namespace quorvel
