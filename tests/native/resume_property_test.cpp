// Random runs of the window: entries with ordinary and hostile names, new files in every state
// (missing, read-only, a folder, links to the old file and to files elsewhere), old files of
// several sizes inside and outside the download folder, and every answer. Whatever happens, the
// old file's bytes are never changed or lost, nothing but the plain files directly in the
// current directory changes, no registry key is made, and a run that ends without an error
// leaves the copy and its offset.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "classlib/files/files.h"
#include "classlib/registry/memory_hive.h"
#include "repair_fixture.h"

namespace repair_test {
namespace {

namespace hive = classlib::memory_hive;
namespace mb = classlib::mb;

// Distinct also without regard to case, as the registry compares names.
const char* const kOrdinaryNames[] = {"song.mp3", "my song \xE9t\xE9.mp3", "old.part", "linked.mp3",
                                      "second take.ogg"};
const char* const kHostileNames[] = {
    "..",
    ".",
    "../outside.bin",
    "sub/inner.bin",
    "../incoming/old.part",
    "CON",
    "nul.mp3",
    "old.part:stream",
    "*",
    "?ld.part",
    "trail.",
    "x|y",
    "tab\tname",
};

enum class NewFileState {
  Missing,
  Plain,
  ReadOnly,
  Folder,
  LinkToOld,
  HardLinkToOld,
  LinkOutside,
  HardLinkOutside
};
constexpr int kStates = 8;

class ResumeProperty : public RepairFixture, public ::testing::WithParamInterface<unsigned> {
 protected:
  unsigned Pick(unsigned count) { return static_cast<unsigned>(random_() % count); }

  void LayOut() {
    random_.seed(GetParam());
    WriteFile(Root() / "outside.bin", Content(777, 11));
    fs::create_directory(Downloads() / "sub");
    WriteFile(Downloads() / "sub" / "inner.bin", Content(555, 12));

    const std::size_t sizes[] = {0, 5000, 10239, 10240, 10241, 40000};
    damagedFile_ = (Pick(2) ? Downloads() : Incoming()) / "old.part";
    damagedBytes_ = Content(sizes[Pick(std::size(sizes))], 13);
    WriteFile(damagedFile_, damagedBytes_);

    // Mostly ordinary names, so that many runs get as far as the file steps.
    std::vector<std::string> ordinary(std::begin(kOrdinaryNames), std::end(kOrdinaryNames));
    std::vector<std::string> hostile(std::begin(kHostileNames), std::end(kHostileNames));
    std::shuffle(ordinary.begin(), ordinary.end(), random_);
    std::shuffle(hostile.begin(), hostile.end(), random_);
    for (unsigned count = 1 + Pick(5); count > 0; --count) {
      auto& from = (Pick(3) > 0 && !ordinary.empty()) ? ordinary : hostile;
      AddEntry(from.back());
      entries_.push_back(from.back());
      from.pop_back();
    }
  }

  // The entry's new file in the folder the run will work in, where the name allows one.
  void MakeNewFile(const fs::path& folder, const std::string& name) {
    if (name.find('/') != std::string::npos || name == "." || name == ".." || fs::exists(folder / name))
      return;
    const fs::path path = folder / name;
    switch (static_cast<NewFileState>(Pick(kStates))) {
      case NewFileState::Missing: break;
      // As a new connection fetches it: the download's first bytes.
      case NewFileState::Plain: WriteFile(path, damagedBytes_.substr(0, 2000)); break;
      case NewFileState::ReadOnly:
        WriteFile(path, damagedBytes_.substr(0, 1500));
        MakeReadOnly(path);
        break;
      case NewFileState::Folder:
        fs::create_directory(path);
        WriteFile(path / "kept.bin", Content(100, 16));
        break;
      case NewFileState::LinkToOld: fs::create_symlink(damagedFile_, path); break;
      case NewFileState::HardLinkToOld: fs::create_hard_link(damagedFile_, path); break;
      case NewFileState::LinkOutside: fs::create_symlink(Root() / "outside.bin", path); break;
      case NewFileState::HardLinkOutside: fs::create_hard_link(Root() / "outside.bin", path); break;
    }
  }

  // What must not change: everything in the scratch folder but the plain files (and links)
  // directly in the current directory.
  std::map<std::string, std::string> Protected() const {
    auto entries = TreeSnapshot(Root());
    const auto current = fs::relative(fs::current_path(), Root());
    std::erase_if(entries, [&](const auto& entry) {
      return fs::path(entry.first).parent_path() == current &&
             entry.second.find(" folder") == std::string::npos;
    });
    return entries;
  }

  void CheckAfterStep(std::size_t boxesBefore, int answer, const std::string& selected) {
    EXPECT_EQ(ReadFile(damagedFile_), damagedBytes_) << "the old file changed";
    EXPECT_EQ(Protected(), protected_) << "something outside the current directory changed";
    EXPECT_EQ(hive::SubkeyNames(kDownloadList), entries_) << "a registry key was made";
    EXPECT_EQ(hive::SubkeyNames("Software\\Scour\\Scour Exchange"),
              std::vector<std::string>{"Download List"});

    const std::vector<MessageBoxCall> shown(Boxes().begin() + static_cast<std::ptrdiff_t>(boxesBefore),
                                            Boxes().end());
    for (const auto& box : shown) {
      const bool known = (box.caption == "Info" && (box.flags == 0x41 || box.flags == 0x131)) ||
                         (box.caption == "Error" && box.flags == 0x10) ||
                         (box.caption == "Error" && box.flags == 0 && box.text == "Invalid File Handle") ||
                         (box == ApplicationErrorBox("Konnte Daten f\xFCr 'Offset' nicht setzen"));
      EXPECT_TRUE(known) << box;
    }
    // Confirmed and nothing reported: the copy is in place with its offset.
    if (answer == mb::kIdOk && shown.size() == 1 && shown[0].caption == "Info") {
      EXPECT_EQ(ReadFile(selected), damagedBytes_);
      const auto expected = damagedBytes_.size() < 10240 ? 0 : damagedBytes_.size() - 10240;
      EXPECT_EQ(OffsetOf(selected), std::to_string(expected));
    }
  }

  std::mt19937 random_;
  fs::path damagedFile_;
  std::string damagedBytes_;
  std::vector<std::string> entries_;
  std::map<std::string, std::string> protected_;
};

TEST_P(ResumeProperty, NeverLosesTheOldFileNorTouchesAnythingOutsideTheCurrentDirectory) {
  LayOut();
  Refresh();
  ChooseDamagedFile(damagedFile_);
  // The run may work in another folder than the old file's, as after a later cancelled dialog.
  if (damagedFile_.parent_path() == Incoming() && Pick(2)) {
    ASSERT_TRUE(classlib::files::ChangeWorkingDirectory(Downloads().string()));
  }
  for (const auto& name : entries_) MakeNewFile(fs::current_path(), name);
  protected_ = Protected();

  for (int step = 0; step < 8; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    const std::size_t boxesBefore = Boxes().size();
    int answer = 0;
    std::string selected;
    switch (Pick(8)) {
      case 0:
      case 1: {
        // Any entry of the list, or none.
        const auto listed = static_cast<unsigned>(ListedEntries().size());
        Select(static_cast<int>(Pick(listed + 1)) - 1);
        break;
      }
      case 2: Refresh(); break;
      case 3:
        // The client drops an entry; the list still shows it until the next refresh.
        if (entries_.size() > 1) {
          const auto gone = entries_.begin() + Pick(static_cast<unsigned>(entries_.size()));
          hive::DeleteKey(EntryKey(*gone));
          entries_.erase(gone);
        }
        break;
      default: {
        const int answers[] = {mb::kIdOk, mb::kIdOk, mb::kIdOk, mb::kIdCancel, 0};
        answer = answers[Pick(5)];
        if (Selected() >= 0) selected = Entries().Strings(Selected());
        Resume(answer);
        break;
      }
    }
    CheckAfterStep(boxesBefore, answer, selected);
    if (HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ResumeProperty, ::testing::Range(1u, 151u));

}  // namespace
}  // namespace repair_test
