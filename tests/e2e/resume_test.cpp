// The whole user story with the real tool: the client's keys seeded with reg.exe, the list, the
// damaged file chosen in the real dialog, Resume, the real confirmation box, OK, and then the new
// file's bytes and the entry's "Offset" as reg.exe reads them. And what must not happen: Cancel
// changes nothing, a vanished entry gives the class library's error and the window goes on, a
// refused resume touches nothing.

#include <gtest/gtest.h>


#include "e2e/driver.h"

namespace e2e {
namespace {

constexpr char kEntry[] = "holiday video.avi";
constexpr char kDamagedName[] = "holiday video (damaged).avi";

std::wstring EntryKey(const std::string& entry) {
  return L"HKCU\\Software\\Scour\\Scour Exchange\\Download List\\" + Widen(entry);
}

class ResumeStory : public testing::Test {
protected:
  void SetUp() override {
    client::Remove();
    folder_ = ScratchFolder("story");
    damaged_ = folder_ + "\\" + kDamagedName;
    newFile_ = folder_ + "\\" + kEntry;
    damagedBytes_ = RandomBytes(50000, 7);
    WriteFileBytes(damaged_, damagedBytes_);
    // As a new connection fetches it: the download's first bytes.
    newBytes_ = damagedBytes_.substr(0, 3000);
    WriteFileBytes(newFile_, newBytes_);
    // Seeded as a user of the client would find it, with the platform's own reg.exe.
    ASSERT_EQ(RunProgram(L"reg.exe add \"HKCU\\Software\\Scour\\Scour Exchange\\Options\" /v DownloadFolder "
                         L"/t REG_SZ /d \"" + Widen(folder_) + L"\" /f"),
              0u);
    for (const char* entry : {"concert.mp3", kEntry, "zebra.txt"}) {
      ASSERT_EQ(RunProgram(L"reg.exe add \"" + EntryKey(entry) + L"\" /f"), 0u) << entry;
    }
  }
  void TearDown() override { client::Remove(); }

  // Starts the tool, chooses the damaged file in its dialog and selects `entry`; null if the
  // window did not come.
  HWND StartWithDamagedFileChosen(const Tool& tool, const std::string& entry = kEntry) {
    HWND main = tool.MainWindow();
    EXPECT_NE(main, nullptr);
    if (!main) return nullptr;
    tool.Settle();
    ChooseInFileDialog(tool, main, kDamagedName);
    SelectEntry(main, entry);
    return main;
  }

  // Presses Resume and returns the box it opens.
  static HWND PressResume(const Tool& tool, HWND main) {
    ClickButton(Child(main, L"Button", L"Resume damaged file on new connection").handle);
    return tool.WaitForDialog();
  }

  static std::wstring Confirmation(const std::string& entry, const std::string& damaged) {
    return Widen("The new file \"" + entry + "\" will now be deleted and overwritten by the old \"" + damaged +
                 "\". After that, the download list file size information will be adjusted.");
  }

  // The files and the entry's offset as they were before the tool was started.
  void ExpectNothingChanged() const {
    EXPECT_EQ(ReadFileBytes(newFile_), newBytes_);
    EXPECT_EQ(ReadFileBytes(damaged_), damagedBytes_);
    EXPECT_FALSE(client::QueryValue(std::string(client::kDownloadList) + "\\" + kEntry, "Offset").has_value());
  }

  std::string RegQueryOffset(const std::string& entry) {
    std::string output;
    RunProgram(L"reg.exe query \"" + EntryKey(entry) + L"\" /v Offset", &output);
    return output;
  }

  std::string folder_, damaged_, newFile_, damagedBytes_, newBytes_;
};

TEST_F(ResumeStory, ReplacesTheNewFileWithTheDamagedOneAndWritesItsOffset) {
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  tool.Settle();
  const HWND list = Child(main, L"ComboBox").handle;
  // Wine enumerates subkeys sorted; the order is the registry's, untouched by the tool.
  EXPECT_EQ(ComboItems(list), (std::vector<std::wstring>{L"concert.mp3", Widen(kEntry), L"zebra.txt"}));
  EXPECT_EQ(ComboSelection(list), 0);

  ChooseInFileDialog(tool, main, kDamagedName);
  EXPECT_EQ(TextOf(Child(main, L"Edit").handle), Widen(damaged_));
  SelectEntry(main, kEntry);

  HWND box = PressResume(tool, main);
  ASSERT_NE(box, nullptr);
  const MessageBoxView view = ReadMessageBox(box);
  EXPECT_EQ(view.caption, L"Info");
  EXPECT_EQ(view.text, Confirmation(kEntry, damaged_));
  EXPECT_TRUE(view.hasIcon);
  EXPECT_EQ(view.buttons, (std::vector<int>{IDOK, IDCANCEL}));
  EXPECT_EQ(view.defaultButton, IDOK) << "no warning: OK is the default";
  EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes no input while the box is open";
  EXPECT_EQ(GetWindow(box, GW_OWNER), tool.ApplicationWindow()) << "the box belongs to the application window";
  SaveScreenshot(box, L"resume-confirmation");
  EXPECT_EQ(ReadFileBytes(newFile_), newBytes_) << "nothing before OK";

  PressDialogButton(box, IDOK);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
  tool.Settle();
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(tool.ActiveWindow(), main) << "the main window is active again";
  EXPECT_TRUE(tool.Dialogs().empty()) << "nothing is shown on success";

  EXPECT_EQ(ReadFileBytes(newFile_), damagedBytes_);
  EXPECT_EQ(ReadFileBytes(damaged_), damagedBytes_) << "the damaged file itself is kept";
  const std::string query = RegQueryOffset(kEntry);
  EXPECT_NE(query.find("REG_SZ"), std::string::npos) << query;
  EXPECT_NE(query.find("39760"), std::string::npos) << query;  // 50000 - 10240
  const auto offset = client::QueryValue(std::string(client::kDownloadList) + "\\" + kEntry, "Offset");
  ASSERT_TRUE(offset.has_value());
  EXPECT_EQ(offset->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(offset->data, std::string("39760\0", 6));
  EXPECT_FALSE(client::QueryValue(std::string(client::kDownloadList) + "\\concert.mp3", "Offset").has_value());
}

TEST_F(ResumeStory, CancelInTheConfirmationChangesNothing) {
  Tool tool;
  HWND main = StartWithDamagedFileChosen(tool);
  ASSERT_NE(main, nullptr);
  HWND box = PressResume(tool, main);
  ASSERT_NE(box, nullptr);
  PressDialogButton(box, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
  tool.Settle();
  EXPECT_EQ(tool.ActiveWindow(), main);
  ExpectNothingChanged();
}

// Log-off while the confirmation is open: the tool agrees, ends with status 0, and the question
// left open is no OK: nothing is deleted, copied or written.
TEST_F(ResumeStory, TheSessionEndingWhileTheToolAsksEndsItAndChangesNothing) {
  Tool tool;
  HWND main = StartWithDamagedFileChosen(tool);
  ASSERT_NE(main, nullptr);
  HWND box = PressResume(tool, main);
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(ReadMessageBox(box).caption, L"Info");

  EXPECT_TRUE(QueryEndSession(tool)) << "every window of the tool agrees at once";
  EndSession(tool, true);
  EXPECT_EQ(tool.WaitForExit(), 0u);
  ExpectNothingChanged();
}

TEST_F(ResumeStory, AnEntryThatVanishedShowsTheRegistryErrorAndTheWindowGoesOn) {
  Tool tool;
  HWND main = StartWithDamagedFileChosen(tool);
  ASSERT_NE(main, nullptr);
  // The client removes the entry after the list was filled.
  ASSERT_EQ(RunProgram(L"reg.exe delete \"" + EntryKey(kEntry) + L"\" /f"), 0u);

  HWND box = PressResume(tool, main);
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(ReadMessageBox(box).caption, L"Info");
  PressDialogButton(box, IDOK);
  HWND error = WaitForDialogOtherThan(tool, box);
  ASSERT_NE(error, nullptr) << "the error box";
  ASSERT_EQ(ReadMessageBox(error).caption, L"tavelin");
  const MessageBoxView view = ReadMessageBox(error);
  EXPECT_EQ(view.text, L"Konnte Daten f\u00FCr 'Offset' nicht setzen.");
  EXPECT_TRUE(view.hasIcon);
  EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
  SaveScreenshot(error, L"resume-vanished-entry");
  // The files were replaced before the registry step.
  EXPECT_EQ(ReadFileBytes(newFile_), damagedBytes_);
  EXPECT_FALSE(client::KeyExists(std::string(client::kDownloadList) + "\\" + kEntry)) << "no key is created";

  PressDialogButton(error, IDOK);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
  tool.Settle();
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(tool.ActiveWindow(), main);
  // The window goes on working: Refresh shows the list without the vanished entry.
  ClickButton(Child(main, L"Button", L"&Refresh").handle);
  const HWND list = Child(main, L"ComboBox").handle;
  EXPECT_TRUE(WaitFor([&] { return ComboItems(list) == std::vector<std::wstring>{L"concert.mp3", L"zebra.txt"}; }));
}

// Another download's file under the selected entry: the question warns, Enter (Cancel, the
// default) changes nothing, and OK still resumes, since the user may know better.
TEST_F(ResumeStory, AWrongEntryIsWarnedAboutWithCancelAsTheDefault) {
  const std::string otherFile = folder_ + "\\concert.mp3";
  const std::string otherBytes = RandomBytes(4000, 99);
  WriteFileBytes(otherFile, otherBytes);
  Tool tool;
  HWND main = StartWithDamagedFileChosen(tool, "concert.mp3");
  ASSERT_NE(main, nullptr);
  HWND box = PressResume(tool, main);
  ASSERT_NE(box, nullptr);
  const MessageBoxView view = ReadMessageBox(box);
  EXPECT_EQ(view.caption, L"Info");
  EXPECT_EQ(view.defaultButton, IDCANCEL);
  EXPECT_EQ(view.text, Confirmation("concert.mp3", damaged_) +
                           L" Warning: The two files seem to be of different downloads: they differ at byte 0 "
                           L"(counted from 0), so the download would go on behind another file's data and end "
                           L"corrupt. Check that the right entry is selected.");
  EXPECT_TRUE(view.hasIcon);
  EXPECT_EQ(view.buttons, (std::vector<int>{IDOK, IDCANCEL}));
  SaveScreenshot(box, L"resume-warning");

  ASSERT_TRUE(BringToFront(box));
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); })) << "Enter closes the box";
  tool.Settle();
  EXPECT_EQ(ReadFileBytes(otherFile), otherBytes) << "Enter cancelled";
  EXPECT_FALSE(client::QueryValue(std::string(client::kDownloadList) + "\\concert.mp3", "Offset").has_value());

  box = PressResume(tool, main);
  ASSERT_NE(box, nullptr);
  PressDialogButton(box, IDOK);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
  tool.Settle();
  EXPECT_EQ(ReadFileBytes(otherFile), damagedBytes_) << "OK goes on";
  const auto offset = client::QueryValue(std::string(client::kDownloadList) + "\\concert.mp3", "Offset");
  ASSERT_TRUE(offset.has_value());
  EXPECT_EQ(offset->data, std::string("39760\0", 6));
}

struct Refusal {
  const char* name;
  const char* entry;         // the entry selected
  bool damagedIsEntryFile;   // choose the entry's own file as the damaged one
  bool readOnlyNewFile;      // the new file cannot be replaced: the copy fails after OK
};

class ResumeRefusal : public ResumeStory, public testing::WithParamInterface<Refusal> {};

// A resume that cannot be done safely is refused with an error box, and the files and the
// registry stay as they were (a failed copy leaves the offset unwritten).
TEST_P(ResumeRefusal, ShowsAnErrorAndWritesNoOffset) {
  const Refusal& refusal = GetParam();
  const std::string entryFile = folder_ + "\\" + refusal.entry;
  if (std::string(refusal.entry) != kEntry) {
    ASSERT_EQ(RunProgram(L"reg.exe add \"" + EntryKey(refusal.entry) + L"\" /f"), 0u);
  }
  if (refusal.readOnlyNewFile) SetFileAttributesA(newFile_.c_str(), FILE_ATTRIBUTE_READONLY);

  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  tool.Settle();
  ChooseInFileDialog(tool, main, refusal.damagedIsEntryFile ? std::string(kEntry) : std::string(kDamagedName));
  SelectEntry(main, refusal.entry);
  HWND box = PressResume(tool, main);
  ASSERT_NE(box, nullptr);
  if (refusal.readOnlyNewFile) {
    ASSERT_EQ(ReadMessageBox(box).caption, L"Info");  // the copy's failure shows only after OK
    PressDialogButton(box, IDOK);
    box = WaitForDialogOtherThan(tool, box);
    ASSERT_NE(box, nullptr) << "the copy's error";
  }
  const MessageBoxView view = ReadMessageBox(box);
  EXPECT_EQ(view.caption, L"Error");
  EXPECT_TRUE(view.hasIcon) << "the stop icon";
  EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
  EXPECT_NE(view.text.find(Widen(refusal.entry)), std::wstring::npos) << Narrow(view.text);
  SaveScreenshot(box, Widen(std::string("resume-refused-") + refusal.name));
  PressDialogButton(box, IDOK);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
  tool.Settle();
  EXPECT_TRUE(tool.Dialogs().empty()) << "nothing follows the refusal";

  EXPECT_EQ(ReadFileBytes(damaged_), damagedBytes_);
  if (refusal.damagedIsEntryFile || refusal.readOnlyNewFile) {
    EXPECT_EQ(ReadFileBytes(newFile_), newBytes_);
  }
  EXPECT_FALSE(client::QueryValue(std::string(client::kDownloadList) + "\\" + refusal.entry, "Offset").has_value());
  SetFileAttributesA(newFile_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

INSTANTIATE_TEST_SUITE_P(Cases, ResumeRefusal,
                         testing::Values(Refusal{"SameFile", kEntry, true, false},
                                         Refusal{"DeviceName", "NUL.avi", false, false},
                                         Refusal{"Wildcard", "holiday*.avi", false, false},
                                         Refusal{"ReadOnlyNewFile", kEntry, false, true}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace e2e
