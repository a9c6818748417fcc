#include "repair/resume_offset.h"

namespace repair {

std::optional<ResumeOffset> ResumeOffsetFor(std::uint64_t fileSize) {
  if (fileSize < kResumeOverlap) return ResumeOffset{0, true};
  if (fileSize > kLargestResumableSize) return std::nullopt;
  return ResumeOffset{static_cast<std::int32_t>(fileSize - kResumeOverlap), false};
}

std::string OffsetText(std::int32_t offset) { return std::to_string(offset); }

}  // namespace repair
