// Resume damaged file on new connection, through the real window on real files: the confirmation,
// the file steps on the entry's name in the current directory, and the entry's "Offset".

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/files/files.h"
#include "classlib/registry/memory_hive.h"
#include "repair_fixture.h"

namespace classlib::memory_hive {
void PrintTo(const OpenRequest& request, std::ostream* out) {
  *out << "{\"" << request.subkey << "\", 0x" << std::hex << request.access << std::dec << "}";
}
}  // namespace classlib::memory_hive

namespace repair_test {
namespace {

namespace hive = classlib::memory_hive;
namespace mb = classlib::mb;

std::string ConfirmationText(const std::string& newFile, const fs::path& damagedFile,
                             const std::string& extra = "") {
  return "The new file \"" + newFile + "\" will now be deleted and overwritten by the old \"" +
         damagedFile.string() + "\". After that, the download list file size information will be adjusted." +
         extra;
}

constexpr char kFromStart[] =
    " The old file is shorter than 10240 bytes, so the download will resume from its start.";

std::string CopyFailed(const fs::path& damagedFile, const std::string& newFile, int error) {
  return "The old file \"" + damagedFile.string() + "\" could not be copied to the new file \"" + newFile +
         "\": " + std::strerror(error) + ". The offset was not written.";
}

class ResumeOperation : public RepairFixture {
 protected:
  // The usual start: the client lists `entry`, whose new file holds a little data already, and
  // the user chose the damaged download of `oldSize` bytes in the download folder.
  void Prepare(const std::string& entry, std::size_t oldSize) {
    AddEntry(entry);
    damagedFile_ = Downloads() / "old download.part";
    damagedBytes_ = Content(oldSize, 7);
    WriteFile(damagedFile_, damagedBytes_);
    // As a new connection fetches it: the download's first bytes.
    newBytes_ = damagedBytes_.substr(0, 3000);
    WriteFile(Downloads() / entry, newBytes_);
    Refresh();
    ChooseDamagedFile(damagedFile_);
  }

  // The entry's key was opened by the run just made (the path reached the registry step), and
  // no key is open now that the run is over, while the window still lives.
  static void ExpectEntryKeyOpenedAndClosedAgain(const std::string& entry) {
    const auto requests = hive::OpenRequests();
    EXPECT_TRUE(std::any_of(requests.begin(), requests.end(),
                            [&](const hive::OpenRequest& request) { return request.subkey == EntryKey(entry); }))
        << "the run opened the entry's key";
    EXPECT_EQ(hive::OpenHandles(), std::vector<std::string>{});
  }

  fs::path damagedFile_;
  std::string damagedBytes_, newBytes_;
};

TEST_F(ResumeOperation, ReplacesTheNewFileWithACopyAndWritesTheOffsetAfterAskingWithTheExactText) {
  const std::string entry = "my song \xE9t\xE9 (live).mp3";
  AddEntry("other.mp3");
  AddEntry(entry);
  SetOffset(entry, "55");
  const fs::path damagedFile = Downloads() / "old download \x80.part";
  WriteFile(damagedFile, Content(25000, 3));
  WriteFile(Downloads() / entry, Content(25000, 3).substr(0, 4000));
  Refresh();
  ChooseDamagedFile(damagedFile);
  Select(1);

  Resume();

  EXPECT_EQ(
      Boxes(),
      std::vector{Confirmation(
          "The new file \"my song \xE9t\xE9 (live).mp3\" will now be deleted and overwritten by the old \"" +
          damagedFile.string() + "\". After that, the download list file size information will be adjusted.")});
  EXPECT_EQ(ReadFile(Downloads() / entry), Content(25000, 3));
  EXPECT_EQ(ReadFile(damagedFile), Content(25000, 3));
  EXPECT_EQ(OffsetOf(entry), "14760");
  EXPECT_EQ(OffsetOf("other.mp3"), "<missing>");
  // Nothing else changes: the damaged file, the list and its selection.
  EXPECT_EQ(DamagedFile(), damagedFile.string());
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(ListedEntries(), (std::vector<std::string>{"other.mp3", entry}));
}

TEST_F(ResumeOperation, CreatesTheNewFileWhenItDoesNotExistYet) {
  AddEntry("fresh.mp3");
  const fs::path damagedFile = Downloads() / "old.part";
  WriteFile(damagedFile, Content(20000));
  Refresh();
  ChooseDamagedFile(damagedFile);

  Resume();

  EXPECT_EQ(Boxes(), std::vector{Confirmation(ConfirmationText("fresh.mp3", damagedFile))});
  EXPECT_EQ(ReadFile(Downloads() / "fresh.mp3"), Content(20000));
  EXPECT_EQ(OffsetOf("fresh.mp3"), "9760");
}

TEST_F(ResumeOperation, WorksOnTheFileOfTheCurrentDirectoryWhereverTheOldFileLies) {
  AddEntry("song.mp3");
  const fs::path damagedFile = Incoming() / "old.part";
  WriteFile(damagedFile, Content(12000));
  WriteFile(Downloads() / "song.mp3", Content(500));
  Refresh();
  ChooseDamagedFile(damagedFile);
  ASSERT_TRUE(classlib::files::ChangeWorkingDirectory(Downloads().string()));

  Resume();

  EXPECT_EQ(ReadFile(Downloads() / "song.mp3"), Content(12000));
  EXPECT_FALSE(fs::exists(Incoming() / "song.mp3"));
  EXPECT_EQ(OffsetOf("song.mp3"), "1760");
}

struct SizeCase {
  std::size_t oldSize;
  const char* offset;
  bool fromStart;
  friend void PrintTo(const SizeCase& c, std::ostream* out) { *out << c.oldSize; }
};

class ResumeOfASize : public ResumeOperation, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(ResumeOfASize, WritesTheSizeLess10240AndZeroForShortFilesSayingSo) {
  const auto& c = GetParam();
  Prepare("song.mp3", c.oldSize);

  Resume();

  EXPECT_EQ(Boxes(),
            std::vector{Confirmation(ConfirmationText("song.mp3", damagedFile_, c.fromStart ? kFromStart : ""))});
  EXPECT_EQ(ReadFile(Downloads() / "song.mp3"), damagedBytes_);
  EXPECT_EQ(OffsetOf("song.mp3"), c.offset);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResumeOfASize,
                         ::testing::Values(SizeCase{0, "0", true}, SizeCase{1, "0", true},
                                           SizeCase{10239, "0", true}, SizeCase{10240, "0", false},
                                           SizeCase{10241, "1", false}, SizeCase{300000, "289760", false}));

struct PreconditionCase {
  const char* label;
  bool entryListed;
  bool oldFileChosen;
  bool deselected;
  friend void PrintTo(const PreconditionCase& c, std::ostream* out) { *out << c.label; }
};

class ResumeWithoutItsInputs : public ResumeOperation,
                               public ::testing::WithParamInterface<PreconditionCase> {};

TEST_P(ResumeWithoutItsInputs, DoesNothingAndShowsNothing) {
  const auto& c = GetParam();
  if (c.entryListed) AddEntry("song.mp3");
  WriteFile(Downloads() / "old.part", Content(20000));
  WriteFile(Downloads() / "song.mp3", Content(20000).substr(0, 100));
  Refresh();
  if (c.oldFileChosen) ChooseDamagedFile(Downloads() / "old.part");
  if (c.deselected) Select(-1);
  const auto files = TreeSnapshot(Root());
  const auto registry = hive::Dump();

  Resume();

  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(TreeSnapshot(Root()), files);
  EXPECT_EQ(hive::Dump(), registry);
}

INSTANTIATE_TEST_SUITE_P(Cases, ResumeWithoutItsInputs,
                         ::testing::Values(PreconditionCase{"EmptyListWithAnOldFile", false, true, false},
                                           PreconditionCase{"EntrySelectedButNoOldFile", true, false, false},
                                           PreconditionCase{"EntryListedButNoneSelected", true, true, true},
                                           PreconditionCase{"Neither", false, false, false}),
                         [](const auto& tested) { return std::string(tested.param.label); });

class ResumeNotConfirmed : public ResumeOperation, public ::testing::WithParamInterface<int> {};

TEST_P(ResumeNotConfirmed, ChangesNothing) {
  Prepare("song.mp3", 20000);
  SetOffset("song.mp3", "123");
  const auto files = TreeSnapshot(Root());
  const auto registry = hive::Dump();

  Resume(GetParam());

  EXPECT_EQ(Boxes(), std::vector{Confirmation(ConfirmationText("song.mp3", damagedFile_))});
  EXPECT_EQ(TreeSnapshot(Root()), files);
  EXPECT_EQ(hive::Dump(), registry);
}

// Cancel (also Esc and the close box), a box that could not be shown, and any other answer.
INSTANTIATE_TEST_SUITE_P(Answers, ResumeNotConfirmed, ::testing::Values(mb::kIdCancel, 0, 7));

TEST_F(ResumeOperation, AReadOnlyNewFileSurvivesAndTheFailedCopyIsReported) {
  Prepare("song.mp3", 20000);
  SetOffset("song.mp3", "123");
  MakeReadOnly(Downloads() / "song.mp3");

  Resume();

  EXPECT_EQ(Boxes(), (std::vector{Confirmation(ConfirmationText("song.mp3", damagedFile_)),
                                  ErrorBox(CopyFailed(damagedFile_, "song.mp3", EACCES))}));
  // Not the offset of the old data that still bears the name: the client would resume the
  // wrong file.
  EXPECT_EQ(ReadFile(Downloads() / "song.mp3"), newBytes_);
  EXPECT_EQ(OffsetOf("song.mp3"), "123");
  EXPECT_EQ(ReadFile(damagedFile_), damagedBytes_);
}

TEST_F(ResumeOperation, ANewFileGoneAtTheSizeReadGivesInvalidFileHandleAndNoOffset) {
  Prepare("song.mp3", 20000);
  SetOffset("song.mp3", "123");
  // The copy worked; the file is gone by the time its size is read.
  hive::AfterNext(hive::SeamOp::OpenKey, [&] { fs::remove(Downloads() / "song.mp3"); });

  Resume();

  EXPECT_EQ(Boxes(), (std::vector{Confirmation(ConfirmationText("song.mp3", damagedFile_)),
                                  MessageBoxCall{"Invalid File Handle", "Error", 0}}));
  EXPECT_EQ(OffsetOf("song.mp3"), "123");
  EXPECT_EQ(ReadFile(damagedFile_), damagedBytes_);
  ExpectEntryKeyOpenedAndClosedAgain("song.mp3");
}

struct SizeReadCase {
  const char* label;
  std::uintmax_t sizeAtRead;
  const char* offset;   // written, or the earlier one kept
  const char* refusal;  // the box after the confirmation, if any
  friend void PrintTo(const SizeReadCase& c, std::ostream* out) { *out << c.label; }
};

class ResumeWhenTheCopyChanged : public ResumeOperation,
                                 public ::testing::WithParamInterface<SizeReadCase> {};

// The size read is the last word: the file may grow between the check before asking and the read.
TEST_P(ResumeWhenTheCopyChanged, TakesTheSizeAtTheReadAndRefusesOneBeyondTheLimit) {
  const auto& c = GetParam();
  Prepare("song.mp3", 20000);
  SetOffset("song.mp3", "123");
  hive::AfterNext(hive::SeamOp::OpenKey, [&] { fs::resize_file(Downloads() / "song.mp3", c.sizeAtRead); });

  Resume();

  std::vector<MessageBoxCall> boxes{Confirmation(ConfirmationText("song.mp3", damagedFile_))};
  if (c.refusal) boxes.push_back(ErrorBox(c.refusal));
  EXPECT_EQ(Boxes(), boxes);
  EXPECT_EQ(OffsetOf("song.mp3"), c.offset);
  ExpectEntryKeyOpenedAndClosedAgain("song.mp3");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResumeWhenTheCopyChanged,
    ::testing::Values(
        SizeReadCase{"AtTheLimit", 2'147'493'887, "2147483647", nullptr},
        SizeReadCase{
            "OneBeyondTheLimit", 2'147'493'888, "123",
            "The new file \"song.mp3\" is 2147493888 bytes long, so its resume offset would exceed "
            "2147483647, the largest the download list can hold (files of up to 2147493887 bytes can "
            "be resumed). The offset was not written."},
        SizeReadCase{
            "Beyond32Bits", 4'294'977'537, "123",
            "The new file \"song.mp3\" is 4294977537 bytes long, so its resume offset would exceed "
            "2147483647, the largest the download list can hold (files of up to 2147493887 bytes can "
            "be resumed). The offset was not written."},
        SizeReadCase{"Shrunk", 100, "0", nullptr}),
    [](const auto& tested) { return std::string(tested.param.label); });

struct RegistryFailureCase {
  const char* label;
  void (*client)(const std::string& entryKey);
  bool keyRemains;
  friend void PrintTo(const RegistryFailureCase& c, std::ostream* out) { *out << c.label; }
};

class ResumeWhenTheEntryCannotBeWritten : public ResumeOperation,
                                          public ::testing::WithParamInterface<RegistryFailureCase> {};

TEST_P(ResumeWhenTheEntryCannotBeWritten, ReplacesTheFilesThenReportsTheRegistryError) {
  const auto& c = GetParam();
  Prepare("song.mp3", 20000);
  c.client(EntryKey("song.mp3"));

  Resume();

  EXPECT_EQ(Boxes(), (std::vector{Confirmation(ConfirmationText("song.mp3", damagedFile_)),
                                  ApplicationErrorBox("Konnte Daten f\xFCr 'Offset' nicht setzen")}));
  EXPECT_EQ(ReadFile(Downloads() / "song.mp3"), damagedBytes_);
  EXPECT_EQ(hive::KeyExists(EntryKey("song.mp3")), c.keyRemains);
  if (c.keyRemains) {
    EXPECT_EQ(OffsetOf("song.mp3"), "<missing>");
  }
  EXPECT_EQ(hive::OpenHandles(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResumeWhenTheEntryCannotBeWritten,
    ::testing::Values(
        RegistryFailureCase{"EntryVanishedSinceTheRefresh",
                            [](const std::string& key) { hive::DeleteKey(key); }, false},
        RegistryFailureCase{"ClientUninstalled",
                            [](const std::string&) { hive::DeleteKey("Software\\Scour"); }, false},
        RegistryFailureCase{"FullAccessRefused", [](const std::string& key) { hive::DenyFullAccess(key); },
                            true},
        RegistryFailureCase{"WriteRefused", [](const std::string& key) { hive::RefuseWrites(key); }, true}),
    [](const auto& tested) { return std::string(tested.param.label); });

// Each registry use of a run asks for exactly KEY_ALL_ACCESS: the start-up read of the download
// folder, the list, and the entry's key.
TEST_F(ResumeOperation, OpensEveryKeyWithFullAccessExactly) {
  Prepare("song.mp3", 20000);
  Resume();
  ASSERT_EQ(OffsetOf("song.mp3"), "9760");

  // The download folder's key is read by the window (DownloadListRefresh's fixture holds it to
  // the same access); the repair operations open these two.
  const std::vector<hive::OpenRequest> expected = {
      {kDownloadList, classlib::registry_api::kAllAccess},
      {EntryKey("song.mp3"), classlib::registry_api::kAllAccess},
  };
  EXPECT_EQ(hive::OpenRequests(), expected);
}

TEST_F(ResumeOperation, ASecondRunRepeatsEveryStep) {
  Prepare("song.mp3", 15000);
  Resume();
  WriteFile(Downloads() / "song.mp3", Content(10));
  SetOffset("song.mp3", "9");

  Resume();

  EXPECT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(ReadFile(Downloads() / "song.mp3"), damagedBytes_);
  EXPECT_EQ(OffsetOf("song.mp3"), "4760");
}

}  // namespace
}  // namespace repair_test
