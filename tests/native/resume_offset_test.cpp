// The resume offset from a file's size: the size less 10240, never below 0, and refused where
// the client's signed 32-bit value cannot hold it.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "repair/resume_offset.h"

namespace {

using repair::ResumeOffset;

struct SizeCase {
  std::uint64_t size;
  std::optional<ResumeOffset> offset;
};

const SizeCase kSizeCases[] = {
    {0, ResumeOffset{0, true}},
    {1, ResumeOffset{0, true}},
    {10239, ResumeOffset{0, true}},
    {10240, ResumeOffset{0, false}},
    {10241, ResumeOffset{1, false}},
    {1'000'000, ResumeOffset{989'760, false}},
    // Sizes beyond 32 bits are read whole: 2^32 + 10241 must not pass as 10241.
    {4'294'977'537, std::nullopt},
    {2'147'493'887, ResumeOffset{2'147'483'647, false}},
    {2'147'493'888, std::nullopt},
    {std::numeric_limits<std::uint64_t>::max(), std::nullopt},
};

TEST(ResumeOffsetFor, IsTheSizeLessTheOverlapWithinTheClientsRange) {
  for (const auto& c : kSizeCases) {
    SCOPED_TRACE(c.size);
    const auto offset = repair::ResumeOffsetFor(c.size);
    ASSERT_EQ(offset.has_value(), c.offset.has_value());
    if (offset) {
      EXPECT_EQ(offset->value, c.offset->value);
      EXPECT_EQ(offset->fromStart, c.offset->fromStart);
    }
  }
}

TEST(OffsetText, IsPlainSignedDecimal) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "0"}, {1, "1"}, {10, "10"}, {-1, "-1"}, {-10240, "-10240"},
      {2147483647, "2147483647"}, {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
  };
  for (const auto& [offset, text] : cases) EXPECT_EQ(repair::OffsetText(offset), text);
}

}  // namespace
