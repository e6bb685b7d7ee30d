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

// The field's first tag (the opening tag of the place's link) and its copies.
Text withoutFirstTag(const Text& field) {
  return replaceText(field, "<" + textBetween(field, "<", ">") + ">", "");
}

// One play page per "Play.htm?" of the film page, in page order, also for an empty id.
void gatherPlayLinks(Extraction& run, const Text& page, Text& playList) {
  const TextList pieces = splitText(page, "Play.htm?");
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    const Text id = textBetween(pieces[i], "ID=", "\"");
    const Text play =
        decodePageText(run.fetchPage(homePageAddress(1) + "/Play.htm?ID=" + id));
    addLink(playList, textBetween(play, "p_url:\"", "\""));
  }
}

// Every piece counts, the one before the first "Flashget:" too.
void gatherFlashgetLinks(const Text& page, Text& playList) {
  for (const Text& piece : splitText(page, "Flashget:")) {
    const Text link = decodeFlashgetLink(piece, textBetween(piece, "//", "\""));
    if (!link.empty()) addLink(playList, link);
  }
}

}  // namespace

void extractSource1(Extraction& run) {
  const Text page = decodePageText(run.fetchPage(run.address()));
  const Text name = textBetween(page, "title\">", "<");
  appendImageBlock(run, textBetween(page, "<dt><img src=\"", "\""));
  const Text status = textBetween(page, "状态：<a href=\"javascript:\">"_gbk, "</a>");
  const Text year = textBetween(page, "上映年份：<a href=\"javascript:\">"_gbk, "</a>");
  const Text region = withoutFirstTag(textBetween(page, "产地："_gbk, "</a>"));
  appendContentLine(run,
                    cleanDescription(textBetween(page, "class=\"movieContent c_b\">", "</div>")));
  for (const Text& value : {region, year, name, status}) appendTitleTag(run, value);

  Text playList;
  gatherPlayLinks(run, page, playList);
  gatherFlashgetLinks(page, playList);

  const TextList items = linkItems(playList);
  writeLinkBlock(run, kBdhdLinks, playList, items, CaseMode::IgnoreCase, plainLine);
  writeLinkBlock(run, kFtpLinks, playList, items, CaseMode::IgnoreCase, namedFtpLine);
  writeLinkBlock(run, kFlashgetLinks, playList, items, CaseMode::IgnoreCase, plainLine);
  run.finish();
}

}  // namespace quorvel
