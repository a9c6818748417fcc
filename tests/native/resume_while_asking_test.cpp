// The client works beside the tool while the confirmation stands open: it renames, removes and
// re-creates files in its download folder. Whatever it did by the time the user presses OK, the
// resume must not delete or overwrite the damaged data: it refuses, says what changed, and
// changes nothing itself.

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/registry/memory_hive.h"
#include "repair_fixture.h"

namespace repair_test {
namespace {

namespace hive = classlib::memory_hive;

constexpr char kEntry[] = "song.mp3";

// Where the test keeps what it opened for the client until the run is over.
struct ClientHandles {
  int writer = -1;
  ~ClientHandles() {
    if (writer >= 0) ::close(writer);
  }
};

struct ChangeCase {
  const char* label;
  // What the client does while the question is open, given the old file and the new file.
  void (*change)(const fs::path& damagedFile, const fs::path& newFile, ClientHandles& client);
  // What the user is told after pressing OK.
  std::string (*told)(const fs::path& damagedFile);
  // Where the damaged data are to be found afterwards, next to the download folder's files;
  // empty where the client itself threw them away.
  std::optional<std::string> damagedDataAt;
  friend void PrintTo(const ChangeCase& c, std::ostream* out) { *out << c.label; }
};

std::string Quoted(const fs::path& path) { return '"' + path.string() + '"'; }

std::string Gone(const fs::path& damagedFile) {
  return "The old file " + Quoted(damagedFile) + " was moved, renamed or deleted while you were asked. Nothing was changed.";
}

std::string ReplacedBy(const fs::path& damagedFile, const std::string& what) {
  return "The old file " + Quoted(damagedFile) + " was replaced by " + what +
         " while you were asked. Nothing was changed.";
}

const ChangeCase kChanges[] = {
    // A client that renames a finished part to its final name does just this; the delete that
    // followed used to destroy the very data to be resumed.
    {"DamagedFileRenamedOntoTheEntrysName",
     [](const fs::path& damagedFile, const fs::path& newFile, ClientHandles&) { fs::rename(damagedFile, newFile); },
     Gone, kEntry},
    {"DamagedFileDeleted", [](const fs::path& damagedFile, const fs::path&, ClientHandles&) { fs::remove(damagedFile); },
     Gone, std::nullopt},
    {"DamagedFileMovedAsideAndAnotherFileInItsPlace",
     [](const fs::path& damagedFile, const fs::path&, ClientHandles&) {
       fs::rename(damagedFile, damagedFile.string() + ".bak");
       WriteFile(damagedFile, Content(30000, 99));
     },
     [](const fs::path& damagedFile) { return ReplacedBy(damagedFile, "another file"); }, "old download.part.bak"},
    {"DamagedFileMovedAsideAndAFolderInItsPlace",
     [](const fs::path& damagedFile, const fs::path&, ClientHandles&) {
       fs::rename(damagedFile, damagedFile.string() + ".bak");
       fs::create_directory(damagedFile);
     },
     [](const fs::path& damagedFile) { return ReplacedBy(damagedFile, "a folder"); }, "old download.part.bak"},
    {"NewFileMadeAHardLinkOfTheDamagedFile",
     [](const fs::path& damagedFile, const fs::path& newFile, ClientHandles&) {
       fs::remove(newFile);
       fs::create_hard_link(damagedFile, newFile);
     },
     [](const fs::path& damagedFile) {
       return "The old file " + Quoted(damagedFile) + " is the new file \"" + kEntry +
              "\" itself, so replacing the new file would destroy the data to be resumed. Nothing was changed.";
     },
     kEntry},
    {"DamagedFileHeldOpenForWritingByAnotherHandle",
     [](const fs::path& damagedFile, const fs::path&, ClientHandles& client) {
       client.writer = ::open(damagedFile.c_str(), O_WRONLY | O_CLOEXEC);
       ASSERT_GE(client.writer, 0);
     },
     [](const fs::path& damagedFile) {
       return "The old file " + Quoted(damagedFile) +
              " is open in another program, which may be writing it, so it cannot be copied whole. Close that "
              "program or wait until it is done. Nothing was changed.";
     },
     "old download.part"},
};

class ResumeWhileTheClientChangesFiles : public RepairFixture, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ResumeWhileTheClientChangesFiles, IsRefusedAfterOkAndTheDamagedDataSurvive) {
  const auto& c = GetParam();
  AddEntry(kEntry);
  SetOffset(kEntry, "123");
  const fs::path damagedFile = Downloads() / "old download.part";
  const fs::path newFile = Downloads() / kEntry;
  const std::string damaged = Content(40000, 7);
  WriteFile(damagedFile, damaged);
  WriteFile(newFile, damaged.substr(0, 3000));
  Refresh();
  ChooseDamagedFile(damagedFile);
  const std::string registry = hive::Dump();

  ClientHandles client;
  std::map<std::string, std::string> afterTheChange;
  Resume(classlib::mb::kIdOk, [&] {
    c.change(damagedFile, newFile, client);
    afterTheChange = TreeSnapshot(Root());
  });

  EXPECT_EQ(Boxes(), (std::vector{Confirmation("The new file \"song.mp3\" will now be deleted and overwritten by the old " +
                                               Quoted(damagedFile) +
                                               ". After that, the download list file size information will be adjusted."),
                                  ErrorBox(c.told(damagedFile))}));
  EXPECT_EQ(TreeSnapshot(Root()), afterTheChange) << "the tool changed no file";
  EXPECT_EQ(hive::Dump(), registry) << "the tool wrote no offset";
  if (c.damagedDataAt) {
    EXPECT_EQ(ReadFile(Downloads() / *c.damagedDataAt), damaged);
  }
}

INSTANTIATE_TEST_SUITE_P(Changes, ResumeWhileTheClientChangesFiles, ::testing::ValuesIn(kChanges),
                         [](const auto& tested) { return std::string(tested.param.label); });

// The writer is refused before the question too: the copy could not be whole.
TEST_F(RepairFixture, ADamagedFileOpenForWritingIsRefusedBeforeAsking) {
  AddEntry(kEntry);
  const fs::path damagedFile = Downloads() / "old download.part";
  WriteFile(damagedFile, Content(40000, 7));
  WriteFile(Downloads() / kEntry, Content(3000, 9));
  Refresh();
  ChooseDamagedFile(damagedFile);
  const auto files = TreeSnapshot(Root());
  ClientHandles client;
  client.writer = ::open(damagedFile.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(client.writer, 0);

  Resume();

  EXPECT_EQ(Boxes(), std::vector{ErrorBox("The old file " + Quoted(damagedFile) +
                                          " is open in another program, which may be writing it, so it cannot be "
                                          "copied whole. Close that program or wait until it is done. Nothing was "
                                          "changed.")});
  EXPECT_EQ(TreeSnapshot(Root()), files);
}

}  // namespace
}  // namespace repair_test
