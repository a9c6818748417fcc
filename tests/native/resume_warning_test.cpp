// The confirmation warns when the damaged file and the entry's new file do not look like one
// download, through the real window on real files: the warning's words, the warning icon and
// Cancel as the default button; without a warning, exactly the usual question. OK goes on.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "repair_fixture.h"

namespace repair_test {
namespace {

namespace mb = classlib::mb;

constexpr char kEntry[] = "film.avi";
constexpr unsigned kPlain = 0x41;     // OK and Cancel, the information icon, OK the default
constexpr unsigned kWarning = 0x131;  // OK and Cancel, the warning icon, Cancel the default

std::string Different(std::size_t at) {
  return " Warning: The two files seem to be of different downloads: they differ at byte " + std::to_string(at) +
         " (counted from 0), so the download would go on behind another file's data and end corrupt. Check "
         "that the right entry is selected.";
}

std::string Longer(std::size_t newSize, std::size_t oldSize) {
  return " The new file is already longer than the old file (" + std::to_string(newSize) + " bytes against " +
         std::to_string(oldSize) + " bytes), so what the new connection fetched beyond the old file would be "
         "thrown away.";
}

struct WarningCase {
  const char* label;
  std::size_t oldSize;
  // Lays out the entry's new file, given the damaged file's bytes.
  std::function<void(const fs::path& newFile, const std::string& old)> newFile;
  std::string added;  // what the question adds after the usual text
  unsigned flags;
  friend void PrintTo(const WarningCase& c, std::ostream* out) { *out << c.label; }
};

std::string Flipped(std::string bytes, std::size_t at) {
  bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
  return bytes;
}

const WarningCase kCases[] = {
    {"SameBeginning", 40000, [](const fs::path& p, const std::string& old) { WriteFile(p, old.substr(0, 3000)); },
     "", kPlain},
    {"DifferentAtByteZero", 40000,
     [](const fs::path& p, const std::string& old) { WriteFile(p, Flipped(old.substr(0, 3000), 0)); }, Different(0),
     kWarning},
    {"DifferentInTheMiddle", 40000,
     [](const fs::path& p, const std::string& old) { WriteFile(p, Flipped(old.substr(0, 3000), 1500)); },
     Different(1500), kWarning},
    {"DifferentAtTheLastComparedByte", 40000,
     [](const fs::path& p, const std::string& old) { WriteFile(p, Flipped(old.substr(0, 3000), 2999)); },
     Different(2999), kWarning},
    {"NewFileLongerWithTheSameBeginning", 40000,
     [](const fs::path& p, const std::string& old) { WriteFile(p, old + std::string(500, 'x')); },
     " Warning:" + Longer(40500, 40000), kWarning},
    {"BothAtOnce", 40000,
     [](const fs::path& p, const std::string& old) { WriteFile(p, Flipped(old, 7) + "more"); },
     Different(7) + Longer(40004, 40000), kWarning},
    {"NewFileMissing", 40000, [](const fs::path&, const std::string&) {}, "", kPlain},
    {"NewFileEmpty", 40000, [](const fs::path& p, const std::string&) { WriteFile(p, ""); }, "", kPlain},
    {"NewFileAllZeroBytesOfFullLength", 40000,
     [](const fs::path& p, const std::string&) { WriteFile(p, std::string(90000, '\0')); }, "", kPlain},
    {"NewFileUnreadableAsAFolder", 40000, [](const fs::path& p, const std::string&) { fs::create_directory(p); },
     "", kPlain},
    {"ShortDamagedFileAndADifferentDownload", 5000,
     [](const fs::path& p, const std::string& old) { WriteFile(p, Flipped(old.substr(0, 3000), 100)); },
     " The old file is shorter than 10240 bytes, so the download will resume from its start." + Different(100),
     kWarning},
};

class ResumeConfirmation : public RepairFixture, public ::testing::WithParamInterface<WarningCase> {};

TEST_P(ResumeConfirmation, WarnsWithTheNumbersOnlyWhenTheFilesShowIt) {
  const auto& c = GetParam();
  AddEntry(kEntry);
  const fs::path damagedFile = Downloads() / "old download.part";
  const std::string old = Content(c.oldSize, 21);
  WriteFile(damagedFile, old);
  c.newFile(Downloads() / kEntry, old);
  Refresh();
  ChooseDamagedFile(damagedFile);

  Resume(mb::kIdCancel);

  const std::string question = "The new file \"film.avi\" will now be deleted and overwritten by the old \"" +
                               damagedFile.string() +
                               "\". After that, the download list file size information will be adjusted.";
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, question + c.added);
  EXPECT_EQ(Boxes()[0].caption, "Info");
  EXPECT_EQ(Boxes()[0].flags, c.flags);
}

INSTANTIATE_TEST_SUITE_P(Cases, ResumeConfirmation, ::testing::ValuesIn(kCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

// The user may know better: OK after a warning resumes as always.
TEST_F(RepairFixture, OkAfterTheWarningGoesOn) {
  AddEntry(kEntry);
  const fs::path damagedFile = Downloads() / "old download.part";
  const std::string old = Content(40000, 21);
  WriteFile(damagedFile, old);
  WriteFile(Downloads() / kEntry, Content(3000, 22));
  Refresh();
  ChooseDamagedFile(damagedFile);

  Resume(mb::kIdOk);

  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].flags, kWarning);
  EXPECT_EQ(ReadFile(Downloads() / kEntry), old);
  EXPECT_EQ(OffsetOf(kEntry), "29760");
}

}  // namespace
}  // namespace repair_test
