#pragma once
// The resume offset the client keeps for a download entry: where it takes the download up
// again in the file that now bears the entry's name. The client holds it as a signed 32-bit
// number and starts 10240 bytes before the end of the data it finds.

#include <cstdint>
#include <optional>
#include <string>

namespace repair {

inline constexpr std::uint64_t kResumeOverlap = 10240;
inline constexpr std::int32_t kLargestOffset = 2147483647;
// The largest file whose offset the client's 32-bit value can hold.
inline constexpr std::uint64_t kLargestResumableSize = kLargestOffset + kResumeOverlap;

struct ResumeOffset {
  std::int32_t value = 0;
  // The file is shorter than the overlap: the offset is 0 and the download starts over,
  // rather than a negative offset whose meaning to the client nobody knows.
  bool fromStart = false;
  bool operator==(const ResumeOffset&) const = default;
};

// The offset for a file of `fileSize` bytes; empty when it would not fit the 32-bit value.
std::optional<ResumeOffset> ResumeOffsetFor(std::uint64_t fileSize);

// The offset as the client reads it: decimal, a minus sign for a negative number, no leading
// zeros, no plus sign and no separators.
std::string OffsetText(std::int32_t offset);

}  // namespace repair
