// What the resume operation refuses before it asks, through the real window on real files: an
// entry name that is not one plain file name, an old file that cannot be read or is too large
// for the offset, and an old file that is the new file itself. Each refusal is one error box,
// and nothing at all changes: no file, no registry value.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/files/files.h"
#include "classlib/registry/memory_hive.h"
#include "repair_fixture.h"

namespace repair_test {
namespace {

namespace hive = classlib::memory_hive;

class ResumeRefusal : public RepairFixture {
 protected:
  // Records the files (the whole scratch folder, with files beside and above the download
  // folder that a name could reach) and the registry, to compare after the run.
  void TakeSnapshot() {
    files_ = TreeSnapshot(Root());
    registry_ = hive::Dump();
  }
  // The run showed one error box with `text` and changed nothing.
  void ExpectOnlyRefusal(const std::string& text) {
    EXPECT_EQ(Boxes(), std::vector{ErrorBox(text)});
    EXPECT_EQ(TreeSnapshot(Root()), files_);
    EXPECT_EQ(hive::Dump(), registry_);
  }

  const std::map<std::string, std::string>& Files() const { return files_; }

 private:
  std::map<std::string, std::string> files_;
  std::string registry_;
};

struct NameCase {
  std::string name;
  std::string why;
  friend void PrintTo(const NameCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }
};

constexpr char kSeparator[] = "it contains a folder separator and would name a file in another folder";
constexpr char kColon[] = "it contains a colon and would name a drive or a data stream of another file";
constexpr char kTrailing[] =
    "it ends with a blank or a period, which Windows drops, so another file would be used";

std::string Forbidden(char c) {
  return std::string("it contains the character '") + c + "', which Windows does not allow in file names";
}

class ResumeOfAnUnusableEntry : public ResumeRefusal, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ResumeOfAnUnusableEntry, IsRefusedBeforeAskingAndTouchesNothing) {
  const auto& c = GetParam();
  // Files that the name would reach if it were used as a path: above, below and beside the
  // download folder, and the name's own file where the file system can hold one.
  WriteFile(Root() / "victim.mp3", Content(100, 1));
  fs::create_directory(Downloads() / "sub");
  WriteFile(Downloads() / "sub" / "victim.mp3", Content(100, 2));
  WriteFile(Downloads() / "victim.mp3", Content(100, 3));
  WriteFile(Downloads() / "old.part", Content(20000));
  if (!c.name.empty() && c.name.find('/') == std::string::npos && c.name != "." && c.name != "..") {
    WriteFile(Downloads() / c.name, Content(100, 4));
  }
  if (c.name.empty()) {
    // No registry key can bear an empty name; the list can hold one all the same.
    Entries().Add("");
    Select(0);
  } else {
    AddEntry(c.name);
    Refresh();
  }
  ChooseDamagedFile(Downloads() / "old.part");
  ASSERT_EQ(Entries().Strings(Selected()), c.name);
  TakeSnapshot();

  Resume();

  ExpectOnlyRefusal("The download entry \"" + c.name + "\" cannot be used as a file name: " + c.why +
                    ". Nothing was changed.");
}

INSTANTIATE_TEST_SUITE_P(
    Names, ResumeOfAnUnusableEntry,
    ::testing::Values(
        NameCase{"", "the name is empty"}, NameCase{".", "it names a folder, not a file"},
        NameCase{"..", "it names a folder, not a file"}, NameCase{"../victim.mp3", kSeparator},
        NameCase{"sub/victim.mp3", kSeparator}, NameCase{"C:victim.mp3", kColon},
        NameCase{"victim.mp3:stream", kColon}, NameCase{"CON", "it names the device CON"},
        NameCase{"prn.mp3", "it names the device PRN"}, NameCase{"Aux", "it names the device AUX"},
        NameCase{"NUL.tar.gz", "it names the device NUL"}, NameCase{"com1.mp3", "it names the device COM1"},
        NameCase{"COM9", "it names the device COM9"}, NameCase{"LPT1", "it names the device LPT1"},
        NameCase{"lpt9.txt", "it names the device LPT9"}, NameCase{"victim<.mp3", Forbidden('<')},
        NameCase{"victim>.mp3", Forbidden('>')}, NameCase{"vic\"tim.mp3", Forbidden('\"')},
        NameCase{"victim|.mp3", Forbidden('|')}, NameCase{"victim.mp?", Forbidden('?')},
        NameCase{"*.mp3", Forbidden('*')}, NameCase{"victim\t.mp3", "it contains a control character"},
        NameCase{"\x1Bvictim.mp3", "it contains a control character"}, NameCase{"victim.mp3.", kTrailing},
        NameCase{"victim.mp3 ", kTrailing}));

struct SameFileCase {
  const char* label;
  // Lays the new file "song.mp3" in the download folder out as the old file, and gives the
  // path the user chose in the dialog.
  fs::path (*layout)(const fs::path& downloads, const fs::path& incoming);
  friend void PrintTo(const SameFileCase& c, std::ostream* out) { *out << c.label; }
};

const SameFileCase kSameFileCases[] = {
    {"TheEntrysOwnFile",
     [](const fs::path& downloads, const fs::path&) {
       WriteFile(downloads / "song.mp3", Content(20000));
       return downloads / "song.mp3";
     }},
    {"ThroughADottedPath",
     [](const fs::path& downloads, const fs::path&) {
       WriteFile(downloads / "song.mp3", Content(20000));
       return downloads / ".." / "downloads" / "." / "song.mp3";
     }},
    {"ThroughALinkedFolder",
     [](const fs::path& downloads, const fs::path& incoming) {
       WriteFile(downloads / "song.mp3", Content(20000));
       fs::create_directory_symlink(downloads, incoming / "linked");
       return incoming / "linked" / "song.mp3";
     }},
    {"UnderAnotherNameByAHardLink",
     [](const fs::path& downloads, const fs::path& incoming) {
       WriteFile(incoming / "old.part", Content(20000));
       fs::create_hard_link(incoming / "old.part", downloads / "song.mp3");
       return incoming / "old.part";
     }},
    {"TheNewFileLinksToTheOldFile",
     [](const fs::path& downloads, const fs::path& incoming) {
       WriteFile(incoming / "old.part", Content(20000));
       fs::create_symlink(incoming / "old.part", downloads / "song.mp3");
       return incoming / "old.part";
     }},
};

class ResumeOfTheNewFileItself : public ResumeRefusal, public ::testing::WithParamInterface<SameFileCase> {};

TEST_P(ResumeOfTheNewFileItself, IsRecognisedByIdentityAndRefusedBeforeAsking) {
  AddEntry("song.mp3");
  const fs::path damagedFile = GetParam().layout(Downloads(), Incoming());
  Refresh();
  ChooseDamagedFile(damagedFile);
  ASSERT_TRUE(classlib::files::ChangeWorkingDirectory(Downloads().string()));
  TakeSnapshot();

  Resume();

  ExpectOnlyRefusal(
      "The old file \"" + damagedFile.string() +
      "\" is the new file \"song.mp3\" itself, so replacing the new file would destroy the data "
      "to be resumed. Nothing was changed.");
  EXPECT_EQ(ReadFile(Downloads() / "song.mp3"), Content(20000));
}

INSTANTIATE_TEST_SUITE_P(Cases, ResumeOfTheNewFileItself, ::testing::ValuesIn(kSameFileCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

TEST_F(ResumeRefusal, AnOldFileOfTheSameContentButAnotherFileIsNotTheSameFile) {
  AddEntry("song.mp3");
  WriteFile(Downloads() / "song.mp3", Content(20000));
  WriteFile(Incoming() / "song.mp3", Content(20000));
  Refresh();
  ChooseDamagedFile(Incoming() / "song.mp3");
  ASSERT_TRUE(classlib::files::ChangeWorkingDirectory(Downloads().string()));

  Resume();

  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, "Info");
  EXPECT_EQ(OffsetOf("song.mp3"), "9760");
}

struct OldFileCase {
  const char* label;
  void (*make)(const fs::path& damagedFile);
  int error;
  friend void PrintTo(const OldFileCase& c, std::ostream* out) { *out << c.label; }
};

class ResumeOfAnUnreadableOldFile : public ResumeRefusal,
                                    public ::testing::WithParamInterface<OldFileCase> {};

// The delete would go first and the copy then fail: the new file would be lost for nothing.
TEST_P(ResumeOfAnUnreadableOldFile, IsRefusedBeforeAskingWithTheSystemsReason) {
  AddEntry("song.mp3");
  WriteFile(Downloads() / "song.mp3", Content(3000));
  const fs::path damagedFile = Downloads() / "old.part";
  GetParam().make(damagedFile);
  Refresh();
  ChooseDamagedFile(damagedFile);
  TakeSnapshot();

  Resume();

  ExpectOnlyRefusal("The old file \"" + damagedFile.string() +
                    "\" cannot be read: " + std::strerror(GetParam().error) + ". Nothing was changed.");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResumeOfAnUnreadableOldFile,
    ::testing::Values(
        OldFileCase{"TypedNameThatDoesNotExist", [](const fs::path&) {}, ENOENT},
        OldFileCase{"AFolder", [](const fs::path& path) { fs::create_directory(path); }, EISDIR},
        OldFileCase{"ADanglingLink",
                    [](const fs::path& path) { fs::create_symlink(path.parent_path() / "gone", path); },
                    ENOENT}),
    [](const auto& tested) { return std::string(tested.param.label); });

TEST_F(ResumeRefusal, AnOldFileTooLargeForTheOffsetIsRefusedNamingTheLimit) {
  AddEntry("song.mp3");
  WriteFile(Downloads() / "song.mp3", Content(3000));
  const fs::path damagedFile = Downloads() / "huge.part";
  WriteFile(damagedFile, "");
  fs::resize_file(damagedFile, 2'147'493'888);
  Refresh();
  ChooseDamagedFile(damagedFile);
  TakeSnapshot();

  Resume();

  ExpectOnlyRefusal(
      "The old file \"" + damagedFile.string() +
      "\" is 2147493888 bytes long, so its resume offset would exceed 2147483647, the largest the "
      "download list can hold (files of up to 2147493887 bytes can be resumed). Nothing was changed.");
}

TEST_F(ResumeRefusal, AnOldFileAtTheLimitIsOffered) {
  AddEntry("song.mp3");
  const fs::path damagedFile = Downloads() / "huge.part";
  WriteFile(damagedFile, "");
  fs::resize_file(damagedFile, 2'147'493'887);
  Refresh();
  ChooseDamagedFile(damagedFile);
  TakeSnapshot();

  Resume(classlib::mb::kIdCancel);

  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, "Info");
  EXPECT_EQ(Boxes()[0].flags, 0x41u);
  EXPECT_EQ(TreeSnapshot(Root()), Files());
}

// The checks come in a fixed order: the name first, then the old file, then whether they are
// one file, so that each refusal names the first thing wrong.
TEST_F(ResumeRefusal, AnUnusableNameIsReportedBeforeAMissingOldFile) {
  AddEntry("CON");
  Refresh();
  ChooseDamagedFile(Downloads() / "missing.part");
  TakeSnapshot();

  Resume();

  ExpectOnlyRefusal(
      "The download entry \"CON\" cannot be used as a file name: it names the device CON. Nothing was "
      "changed.");
}

}  // namespace
}  // namespace repair_test
