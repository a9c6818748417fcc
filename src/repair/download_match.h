#pragma once
// Whether the damaged file and the entry's new file are of one download, judged from the files
// alone before the user is asked. A new connection fetches the download from its beginning, so
// where both files hold data their first bytes must agree; and a new file longer than the old
// one holds progress that the resume would throw away.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace repair {

// At most this much of each file's beginning is read and compared.
inline constexpr std::size_t kComparedBytes = 1 << 20;

struct DownloadMismatch {
  // The first byte (counted from 0) at which the two beginnings differ: different downloads.
  std::optional<std::uint64_t> firstDifference;
  // The new file is longer than the old file: the new connection got further.
  bool newFileLonger = false;
  std::uint64_t oldSize = 0;
  std::uint64_t newSize = 0;

  bool Any() const { return firstDifference.has_value() || newFileLonger; }
};

// Compares the beginnings (each the first min(size, kComparedBytes) bytes of its file) and the
// whole sizes. A new file that is empty, or all zero bytes where it was read, tells nothing: the
// client may have set its size in advance. Then, and where the new file could not be read at
// all (no `newStart`), nothing is found.
DownloadMismatch CompareDownloads(std::string_view oldStart, std::uint64_t oldSize,
                                  std::optional<std::string_view> newStart, std::uint64_t newSize);

}  // namespace repair
