#include "text/link_naming.h"

#include "text/base64.h"
#include "text/between.h"

namespace quorvel {
namespace {

Text decodedText(std::string_view base64) { return bytesToText(decodeBase64(base64)); }

}  // namespace

Text nameLink(std::string_view link) {
  const TextList pieces = splitText(link, "/");
  const Text name = pieces.empty() ? Text() : pieces.back();
  return Text(link) + "|Name|" + name + "|";
}

Text decodeFlashgetLink(std::string_view piece, std::string_view payload) {
  const Text outer = decodedText(payload);
  const Text inner = textBetween(outer, "//", "[FLASHGET]");
  const Text segment = textBetween(inner, "/", "/");
  Text link = decodedText(segment);

  // The file name inside the link is base64 once more; it is decoded in place.
  const Text encoded = textBetween(link, "mhts|", "|");
  const Text name = decodedText(encoded);
  const Text compactEncoded = replaceText(removeSpaces(encoded), "\r\n", "");
  link = replaceText(link, compactEncoded, name);
  if (!link.empty()) return link;

  // The plain form: "[FLASHGET]" + link + "[FLASHGET]", closed by a double quote.
  const Text plain = decodedText(textBetween(piece, "Flashget://", "\""));
  return textBetween(plain, "[FLASHGET]", "[FLASHGET]");
}

}  // namespace quorvel
