#include "repair/download_match.h"

#include <algorithm>

namespace repair {

DownloadMismatch CompareDownloads(std::string_view oldStart, std::uint64_t oldSize,
                                  std::optional<std::string_view> newStart, std::uint64_t newSize) {
  DownloadMismatch found;
  found.oldSize = oldSize;
  found.newSize = newSize;
  if (!newStart || newStart->empty() || newSize == 0) return found;
  const std::size_t compared = std::min(oldStart.size(), newStart->size());
  const std::string_view newCompared = compared ? newStart->substr(0, compared) : *newStart;
  if (std::all_of(newCompared.begin(), newCompared.end(), [](char byte) { return byte == '\0'; })) return found;

  const auto differ = std::mismatch(oldStart.begin(), oldStart.begin() + static_cast<std::ptrdiff_t>(compared),
                                    newStart->begin());
  if (differ.first != oldStart.begin() + static_cast<std::ptrdiff_t>(compared)) {
    found.firstDifference = static_cast<std::uint64_t>(differ.first - oldStart.begin());
  }
  found.newFileLonger = newSize > oldSize;
  return found;
}

}  // namespace repair
