#pragma once
// The replace button: removes the replace box's text from the download links of the
// content box, so the file names the links carry no longer bear a site's mark.
#include <functional>
#include <string_view>

#include "app/controls.h"

namespace quorvel {

// The content with the replace text removed from the first block of each link kind
// ("[BDHD]", "[QVOD]", "[GVOD]", "[FLASHGET]", "[ED2K]", "[Magnet]": the whole inner text,
// exact case) and from the name pieces ("|Name|" + name) of the first "[Ftp]" block
// (ignoring case). `replaceBoxText` is asked anew for every block kind and every name.
Text renameLinks(std::string_view content, const std::function<Text()>& replaceBoxText);

// Reads "编辑框2" and "编辑框5", writes "编辑框2" back (in every case).
void renameLinks(Controls& controls);

}  // namespace quorvel
