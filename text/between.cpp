#include "text/between.h"

#include <algorithm>

namespace quorvel {

Text textBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker) {
  const long start = findText(text, startMarker, 1, CaseMode::IgnoreCase);
  if (start == -1) return {};
  const long fieldStart = start + textLength(startMarker);
  const long end = findText(text, endMarker, fieldStart, CaseMode::IgnoreCase);
  if (end == -1) return {};
  return midText(text, fieldStart, end - fieldStart);
}

Text replaceEach(std::string_view text, const TextList& findList, const TextList& replaceList,
                 bool exactCase) {
  const CaseMode mode = exactCase ? CaseMode::Exact : CaseMode::IgnoreCase;
  const std::size_t pairs = std::min(findList.size(), replaceList.size());
  Text result(text);
  for (std::size_t i = 0; i < pairs; ++i) result = replaceText(result, findList[i], replaceList[i], mode);
  return result;
}

}  // namespace quorvel
