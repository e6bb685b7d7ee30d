#include "app/link_rename.h"

#include <array>
#include <utility>

#include "sources/compose.h"
#include "text/between.h"

namespace quorvel {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kWholeBlocks = {{
    {"[BDHD]", "[/BDHD]"},
    {"[QVOD]", "[/QVOD]"},
    {"[GVOD]", "[/GVOD]"},
    {"[FLASHGET]", "[/FLASHGET]"},
    {"[ED2K]", "[/ED2K]"},
    {"[Magnet]", "[/Magnet]"},
}};

constexpr std::string_view kNameMarker = "|Name|";
constexpr std::string_view kDoneNameMarker = "|Name";  // a piece already treated

// Cleans every name piece of an FTP block. Each pass drops the bar behind one piece's
// "|Name", so the next search finds the next untreated piece.
Text cleanNamePieces(Text ftp, const std::function<Text()>& replaceBoxText) {
  while (findText(ftp, kNameMarker, CaseMode::IgnoreCase) != -1) {
    const Text piece = Text(kNameMarker) + textBetween(ftp, kNameMarker, "|");
    Text cleaned = replaceText(piece, replaceBoxText(), "", CaseMode::IgnoreCase);
    cleaned = replaceText(cleaned, kNameMarker, kDoneNameMarker, CaseMode::Exact);
    Text next = replaceText(ftp, piece, cleaned, CaseMode::IgnoreCase);
    // Every pass shrinks the text; should one ever not, stop rather than spin.
    if (next.size() >= ftp.size()) break;
    ftp = std::move(next);
  }
  return replaceText(ftp, kDoneNameMarker, kNameMarker, CaseMode::Exact);
}

}  // namespace

Text renameLinks(std::string_view content, const std::function<Text()>& replaceBoxText) {
  Text result(content);
  for (const auto& [open, close] : kWholeBlocks) {
    const Text inner = textBetween(result, open, close);
    const Text cleaned = replaceText(inner, replaceBoxText(), "", CaseMode::Exact);
    result = replaceText(result, inner, cleaned, CaseMode::Exact);
  }
  const Text ftp = cleanNamePieces(textBetween(result, "[Ftp]", "[/Ftp]"), replaceBoxText);
  const Text before = textBetween(result, "[Ftp]", "[/Ftp]");
  return replaceText(result, before, ftp, CaseMode::Exact);
}

void renameLinks(Controls& controls) {
  const Text content = controls.text(kContentBox);
  const Text renamed = renameLinks(content, [&] { return controls.text(kReplaceBox); });
  controls.setText(kContentBox, renamed);
}

}  // namespace quorvel
