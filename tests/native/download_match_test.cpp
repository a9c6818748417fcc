// Whether two files look like one download, from their beginnings and sizes alone.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "repair/download_match.h"

namespace repair {
namespace {

constexpr std::size_t kMiB = kComparedBytes;

// `size` bytes of one download: the same for every file of it, as each connection fetches them.
std::string Download(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 13) % 26);
  return bytes;
}

std::string WithByteChanged(std::string bytes, std::size_t at) {
  bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
  return bytes;
}

struct MatchCase {
  const char* label;
  std::string oldStart;
  std::uint64_t oldSize;
  std::optional<std::string> newStart;  // none: the new file could not be read
  std::uint64_t newSize;
  std::optional<std::uint64_t> firstDifference;
  bool newFileLonger;
  friend void PrintTo(const MatchCase& c, std::ostream* out) { *out << c.label; }
};

class CompareDownloadsCase : public ::testing::TestWithParam<MatchCase> {};

TEST_P(CompareDownloadsCase, FindsWhatTheBeginningsAndSizesShow) {
  const auto& c = GetParam();
  const auto found = CompareDownloads(
      c.oldStart, c.oldSize, c.newStart ? std::optional<std::string_view>(*c.newStart) : std::nullopt, c.newSize);
  EXPECT_EQ(found.firstDifference, c.firstDifference);
  EXPECT_EQ(found.newFileLonger, c.newFileLonger);
  EXPECT_EQ(found.Any(), c.firstDifference.has_value() || c.newFileLonger);
  EXPECT_EQ(found.oldSize, c.oldSize);
  EXPECT_EQ(found.newSize, c.newSize);
}

// Files of more than 1 MiB are given with their first 1 MiB, as the resume reads them.
INSTANTIATE_TEST_SUITE_P(
    Cases, CompareDownloadsCase,
    ::testing::Values(
        MatchCase{"SameBeginningNewShorter", Download(50000), 50000, Download(3000), 3000, std::nullopt, false},
        MatchCase{"SameFileContent", Download(50000), 50000, Download(50000), 50000, std::nullopt, false},
        MatchCase{"DifferAtByteZero", Download(50000), 50000, WithByteChanged(Download(3000), 0), 3000, 0, false},
        MatchCase{"DifferInTheMiddle", Download(50000), 50000, WithByteChanged(Download(3000), 1234), 3000, 1234,
                  false},
        MatchCase{"DifferAtTheLastByteOfTheShorterFile", Download(50000), 50000,
                  WithByteChanged(Download(3000), 2999), 3000, 2999, false},
        MatchCase{"DifferAtTheLastComparedByteOfLargeFiles", Download(kMiB), 5 * kMiB,
                  WithByteChanged(Download(kMiB), kMiB - 1), 3 * kMiB, kMiB - 1, false},
        MatchCase{"NewLongerWithTheSameBeginning", Download(3000), 3000, Download(50000), 50000, std::nullopt,
                  true},
        MatchCase{"NewLongerAndDifferent", Download(3000), 3000, WithByteChanged(Download(50000), 10), 50000, 10,
                  true},
        MatchCase{"NewLongerThanALargeOldFile", Download(kMiB), 2 * kMiB, Download(kMiB), 2 * kMiB + 1,
                  std::nullopt, true},
        MatchCase{"OldFileEmptyNewFileWithData", "", 0, Download(100), 100, std::nullopt, true},
        MatchCase{"NewFileUnreadable", Download(50000), 50000, std::nullopt, 60000, std::nullopt, false},
        MatchCase{"NewFileEmpty", Download(50000), 50000, std::string(), 0, std::nullopt, false},
        MatchCase{"NewFileAllZeroWhereCompared", Download(50000), 50000, std::string(3000, '\0'), 3000,
                  std::nullopt, false},
        // The client may set a file's size in advance: zeros of full length are no progress.
        MatchCase{"NewFileLongerButAllZero", Download(3000), 3000, std::string(kMiB, '\0'), 700000000,
                  std::nullopt, false},
        MatchCase{"ZerosOnlyAfterTheComparedStretchStillCount", Download(3000), 3000,
                  Download(3000) + std::string(5000, '\0'), 8000, std::nullopt, true}),
    [](const auto& tested) { return std::string(tested.param.label); });

}  // namespace
}  // namespace repair
