#include "sources/compose.h"
#include "sources/domains.h"
#include "sources/extractors.h"
#include "text/between.h"
#include "text/gbk_literal.h"

namespace quorvel {

// GBK film pages at .../content/<number>.html; the play page /video/<number>-0-0.html
// names a play-data script with plain links ("\u" escapes only). The site's files
// carry Source 2's mark, so its watermark is Source 2's.
void extractSource3(Extraction& run) {
  const Text& address = run.address();
  const Text home = homePageAddress(3);

  const Text page = bytesToText(run.fetchPage(address));
  const Text name = textBetween(page, "pf_txt\">", "</span>");
  appendImageBlock(run, "http://tu" + textBetween(page, "http://tu", "\""));
  // The status is sometimes wrapped in an element; its first element's text wins.
  const Text rawStatus = textBetween(page, "状态：<span>"_gbk, "</span>");
  const Text statusInElement = textBetween(rawStatus, ">", "<");
  const Text status = statusInElement.empty() ? rawStatus : statusInElement;
  const Text region = textBetween(page, "地区：<span>"_gbk, "</span>");
  const Text year = textBetween(page, "上映年代：<span>"_gbk, "</span>");
  const Text description = textBetween(page, "全集介绍</b>:"_gbk, "<h3>");
  appendContentLine(run, replaceEntitiesAndParagraphs(description));
  for (const Text& value : {region, year, name, status}) appendTitleTag(run, value);

  const TextList ftpPieces = splitText(textBetween(page, "var GvodUrls = \"", "\""), "###");
  writeLinkBlock(run, kFtpLinks, page, ftpPieces, CaseMode::Exact, namedFtpLine);

  // The film number comes from this run's own address: the address box may already
  // hold another film's address, whose links must not join this film's post.
  const Text filmNumber = textBetween(address, "content/", ".");
  const Text play = bytesToText(run.fetchPage(home + "/video/" + filmNumber + "-0-0.html"));
  const Text data =
      bytesToText(run.fetchPage(home + "/playdata/" + textBetween(play, "/playdata/", "\"")));
  const TextList pieces = splitText(data, "$");
  writePlayerBlocks(run, data, pieces);

  run.finish(sourceWatermark(3));
}

}  // namespace quorvel
