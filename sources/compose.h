#pragma once
// The pieces every extractor writes, in the post's one format: title tags, the image
// block, link blocks with their kind tags. A source file holds only its own site's
// markers, pages and order; how a piece looks is decided here.
#include <functional>
#include <string_view>

#include "sources/extraction.h"
#include "text/text.h"

namespace quorvel {

inline constexpr std::string_view kAddressBox = "地址框";
inline constexpr std::string_view kTitleBox = "编辑框1";
inline constexpr std::string_view kContentBox = "编辑框2";
inline constexpr std::string_view kReplaceBox = "编辑框5";
inline constexpr std::string_view kStatusLabel = "标签3";

inline constexpr std::string_view kLineBreak = "\r\n";

// One kind of download link: the check box that gates it, its block tags in the
// content box, its kind tag in the title box, and the text that marks its links.
struct LinkKind {
  std::string_view checkBox;  // control name
  Text openTag;               // "[QVOD]"
  Text closeTag;              // "[/QVOD]"
  Text titleTag;              // "[QVOD]", "[快车]" ...
  Text test;                  // "qvod://"
};

extern const LinkKind kQvodLinks;      // 选择框1
extern const LinkKind kBdhdLinks;      // 选择框2
extern const LinkKind kGvodLinks;      // 选择框3
extern const LinkKind kFtpLinks;       // 选择框4, "[FTP]"
extern const LinkKind kEd2kLinks;      // 选择框5, kind tag "[电驴]"
extern const LinkKind kFlashgetLinks;  // 选择框6, "[FLASHGET]", kind tag "[快车]"
extern const LinkKind kMagnetLinks;    // 选择框8, "[Magnet]", kind tag "[磁力]"

// "[" + value + "]" at the end of the title box.
void appendTitleTag(Extraction& run, std::string_view value);

// "[img]" + address + "[/img]\r\n" at the end of the content box.
void appendImageBlock(Extraction& run, std::string_view imageAddress);

// text + "\r\n" at the end of the content box.
void appendContentLine(Extraction& run, std::string_view text);

// The opening line (with the kind tag into the title box at the same moment) and the
// closing line of a block, for sources that write their lines themselves.
void openLinkBlock(Extraction& run, const LinkKind& kind);
void closeLinkBlock(Extraction& run, const LinkKind& kind);

using LinkLine = std::function<Text(const Text& item)>;

// The usual block: written only when the kind's check box is checked now and `links`
// holds the kind's test; then one line per item that holds the test, in order.
// Returns whether the block was written.
bool writeLinkBlock(Extraction& run, const LinkKind& kind, std::string_view links,
                    const TextList& items, CaseMode testCase, const LinkLine& line);

// The player sites' QVOD, BDHD and GVOD blocks, in that order: exact-case tests on the
// play list, one trimmed line per piece with its "\u" escapes decoded.
void writePlayerBlocks(Extraction& run, std::string_view playList, const TextList& pieces);

// Link lines as the sources write them.
Text plainLine(const Text& item);            // item + "\r\n"
Text namedFtpLine(const Text& item);         // nameLink(item) + "\r\n"
Text unescapedTrimmedLine(const Text& item); // trimBoth(unescapeUnicode(item) + "\r\n")

// Gathered links: one text in which every link is followed by "$$$".
inline constexpr std::string_view kLinkSeparator = "$$$";
void addLink(Text& links, std::string_view link);  // also an empty link: it never matches a test
TextList linkItems(std::string_view links);        // splitText at "$$$"

// Description pieces several sites share (the tag removal itself is stripTags,
// text/post_text.h).

// Every image tag turned in place, in page order, into "\r\n[img]" + src + "[/img]\r\n",
// pass by pass: each pass takes the first "<img" (any case) up to the next ">" as the
// tag, the first "src=\"" ... "\"" left in the text as its address, and replaces every
// copy of that tag ignoring case. The loop ends when no "<img" is left, or when a pass
// does not lower their number: an "<img" without ">" after it would otherwise repeat
// forever, and an address that itself holds "<img" would grow the text without end.
//
// A page whose first address is long and stands before many different tags would make
// every block carry it, the text growing with tags times address length; so a pass that
// would make the text longer than the size limit is not made, and the image tags left
// are removed as tags by the caller's tag stripping. The default limit, 16 times the
// description plus 1 MiB, is far above what genuine pages reach (a block is about as long
// as the tag it replaces unless the address is borrowed from elsewhere) and keeps a
// hostile 100 KB page within a few megabytes.
Text imageTagsToBlocks(std::string_view description);
Text imageTagsToBlocks(std::string_view description, std::size_t sizeLimit);
std::size_t imageBlocksSizeLimit(std::size_t descriptionSize);

// "<b>" and "</b>" (exact case) as the forum's "[b]" and "[/b]".
Text boldTagsToForum(std::string_view text);

// "\r\n\r\n" to "\r\n" in one left-to-right pass (three breaks in a row become two).
Text shortenBlankLines(std::string_view text);

// The seven entities, then "<p>" and "<br />" as line breaks and "</p>" removed (exact
// case), for the sites whose descriptions keep every other tag.
Text replaceEntitiesAndParagraphs(std::string_view text);

// The Flashget kind with its block tags written "[Flashget]" / "[/Flashget]", as the
// posts of some sites have them; check box, kind tag and test as kFlashgetLinks.
extern const LinkKind kFlashgetMixedCaseLinks;

}  // namespace quorvel
