// Fuzzes the comparison of the two files' beginnings. The input's first byte splits the rest
// into the damaged file's beginning and the new file's; the next 2 bytes add to each size
// beyond its beginning. Aborts where a finding contradicts the bytes it came from.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "repair/download_match.h"

namespace {

[[noreturn]] void Violated(const char* what) {
  std::fprintf(stderr, "download_match_fuzzer: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 3), size - 3);
  const std::size_t split = std::min<std::size_t>(data[0], rest.size());
  const std::string_view oldStart = rest.substr(0, split);
  const std::string_view newStart = rest.substr(split);
  const std::uint64_t oldSize = oldStart.size() + data[1];
  const std::uint64_t newSize = newStart.size() + data[2];

  const auto found = repair::CompareDownloads(oldStart, oldSize, newStart, newSize);
  const std::size_t compared = std::min(oldStart.size(), newStart.size());
  const bool allZero = std::all_of(newStart.begin(), newStart.begin() + static_cast<std::ptrdiff_t>(compared ? compared : newStart.size()),
                                   [](char byte) { return byte == '\0'; });

  if (found.oldSize != oldSize || found.newSize != newSize) Violated("the sizes are not the files'");
  if (found.Any() && (newStart.empty() || allZero)) Violated("a finding from a new file that tells nothing");
  if (found.firstDifference) {
    const auto at = static_cast<std::size_t>(*found.firstDifference);
    if (at >= compared) Violated("a difference beyond the compared bytes");
    if (oldStart[at] == newStart[at]) Violated("a difference at equal bytes");
    if (oldStart.substr(0, at) != newStart.substr(0, at)) Violated("an earlier difference was missed");
  } else if (!newStart.empty() && !allZero && oldStart.substr(0, compared) != newStart.substr(0, compared)) {
    Violated("a difference was missed");
  }
  if (found.newFileLonger && newSize <= oldSize) Violated("longer without being longer");
  if (!found.newFileLonger && newSize > oldSize && !newStart.empty() && !allZero) Violated("a longer new file was missed");

  const auto unreadable = repair::CompareDownloads(oldStart, oldSize, std::nullopt, newSize);
  if (unreadable.Any()) Violated("a finding from a new file that could not be read");
  return 0;
}
