#include "sources/compose.h"
#include "sources/domains.h"
#include "sources/extractors.h"
#include "text/between.h"
#include "text/link_naming.h"
#include "text/post_text.h"

namespace quorvel {

namespace {

// The words of the heading's first element, one tag each.
Text titleTags(const Text& page) {
  const Text heading = textBetween(page, "<h1>", "</h1>");
  return "[" + replaceText(textBetween(heading, ">", "<"), " ", "][") + "]";
}

Text description(const Text& page) {
  Text d = textBetween(page, "<!--Content Start-->", "<!-- JiaThis Button BEGIN -->");
  d = replaceText(d, "<BR>", "\r\n", CaseMode::IgnoreCase);
  d = boldTagsToForum(replaceEntities(d));
  d = imageTagsToBlocks(d);
  d = stripTags(d);
  return shortenBlankLines(d);
}

// One download page per "download.php" link of the film page, in page order; each
// gives the first argument of its ConvertURL2FG call, empty when it has none.
Text gatherEncodedLinks(Extraction& run, const Text& page) {
  Text encoded;
  const TextList pieces = splitText(page, "download.php");
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    const Text query = textBetween(pieces[i], "?", "\"");
    const Text downloadPage =
        bytesToText(run.fetchPage(homePageAddress(9) + "/plus/download.php?" + query));
    addLink(encoded, textBetween(downloadPage, "ConvertURL2FG('", ","));
  }
  return encoded;
}

Text decodeLinks(const Text& encoded) {
  Text links;
  for (const Text& entry : linkItems(encoded)) {
    const Text link = decodeFlashgetLink(entry, textBetween(entry, "Flashget://", "'"));
    if (!link.empty()) addLink(links, link);
  }
  return links;
}

}  // namespace

void extractSource9(Extraction& run) {
  const Text page = bytesToText(run.fetchPage(run.address()));
  run.appendToBox(kTitleBox, titleTags(page));
  appendContentLine(run, description(page));

  const Text links = decodeLinks(gatherEncodedLinks(run, page));
  writeLinkBlock(run, kFlashgetMixedCaseLinks, links, linkItems(links), CaseMode::IgnoreCase,
                 plainLine);

  run.finish(sourceWatermark(9));
}

}  // namespace quorvel
