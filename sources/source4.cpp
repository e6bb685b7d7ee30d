#include "sources/compose.h"
#include "sources/digit_runs.h"
#include "sources/domains.h"
#include "sources/extractors.h"
#include "text/between.h"
#include "text/charset.h"
#include "text/escapes.h"
#include "text/gbk_literal.h"

namespace quorvel {

// UTF-8 film pages; the film's play page, named after the digits of the film address,
// carries every player group's links percent-escaped in its "url_list=" value.
void extractSource4(Extraction& run) {
  const Text& address = run.address();

  const Text page = decodePageText(run.fetchPage(address));
  const Text name = textBetween(page, "<strong>", "</strong>");
  appendImageBlock(run, textBetween(page, ";\" src=\"", "\""));
  const Text note = textBetween(page, "<small>", "</small>");
  const Text region = textBetween(page, "影片产地 ："_gbk, "</span>");
  const Text date = textBetween(page, "上映时间 ："_gbk, "</span>");
  const Text description = textBetween(page, "\"voddetail\">", "</ul>");
  appendContentLine(run, replaceEntitiesAndParagraphs(description));
  for (const Text& value : {region, date, name, note}) appendTitleTag(run, value);

  const Text play = decodePageText(run.fetchPage(homePageAddress(4) + "/index.php?s=vod-play-id-" +
                                                 digitRuns(address) + "-sid-0-pid-1.html"));
  // Player groups are separated by "$$$", the episodes of a group by "++".
  const Text list = replaceText(percentDecode(textBetween(play, "url_list=\"", "\"")), "$$$", "++");
  const TextList pieces = splitText(list, "++");
  writePlayerBlocks(run, list, pieces);

  run.finish();
}

}  // namespace quorvel
