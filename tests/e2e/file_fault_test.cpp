// The resume with the real tool when the files fight back: the new file held open by another
// program without sharing, the damaged file gone after it was chosen, and a download folder on
// a disk that fills up during the copy. Each ends in one error box that names the reason; the
// damaged file is never touched and no "Offset" is written for a copy that did not complete.

#include <gtest/gtest.h>


#include "e2e/driver.h"

namespace e2e {
namespace {

constexpr char kEntry[] = "holiday video.avi";
constexpr char kDamagedName[] = "holiday video (damaged).avi";

// The full-disk drive of the test session (tests/wine/wine-session), when the machine allowed it.
constexpr char kFullDisk[] = "T:\\";

// The system's text for an error code, as the tool shows it.
std::wstring SystemText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason(text, length);
  LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ')) {
    reason.pop_back();
  }
  if (!reason.empty() && reason.back() != L'.') reason += L'.';
  return reason;
}

class FileFault : public testing::Test {
protected:
  void TearDown() override { client::Remove(); }

  // The client's download folder `folder` with the entry's new file and the damaged file.
  void Prepare(const std::string& folder, size_t damagedSize) {
    client::Remove();
    folder_ = folder;
    damaged_ = folder_ + "\\" + kDamagedName;
    newFile_ = folder_ + "\\" + kEntry;
    damagedBytes_ = RandomBytes(damagedSize, 11);
    WriteFileBytes(damaged_, damagedBytes_);
    // As a new connection fetches it: the download's first bytes.
    newBytes_ = damagedBytes_.substr(0, 33);
    WriteFileBytes(newFile_, newBytes_);
    client::SetString(client::kOptions, "DownloadFolder", folder_);
    client::AddEntry(kEntry);
    client::SetString(client::EntryKey(kEntry), "Offset", "123");
  }

  // Starts the tool, chooses the damaged file and the entry.
  HWND StartAndChoose(const Tool& tool) {
    HWND main = tool.MainWindow();
    EXPECT_NE(main, nullptr);
    if (!main) return nullptr;
    tool.Settle();
    ChooseInFileDialog(tool, main, kDamagedName);
    SelectEntry(main, kEntry);
    return main;
  }

  static HWND PressResume(const Tool& tool, HWND main) {
    ClickButton(Child(main, L"Button", L"Resume damaged file on new connection").handle);
    return tool.WaitForDialog();
  }

  // Answers the confirmation with OK and returns the box that follows it.
  static HWND ConfirmAndGetNextBox(const Tool& tool, HWND confirmation) {
    EXPECT_EQ(ReadMessageBox(confirmation).caption, L"Info");
    PressDialogButton(confirmation, IDOK);
    return WaitForDialogOtherThan(tool, confirmation);
  }

  // The error box shows `text`, and once it is closed the window takes input again.
  static void ExpectErrorBoxThenNothing(const Tool& tool, HWND main, HWND box, const std::wstring& text,
                                        const wchar_t* screenshot) {
    ASSERT_NE(box, nullptr) << "an error box";
    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.caption, L"Error");
    EXPECT_EQ(view.text, text);
    EXPECT_TRUE(view.hasIcon);
    EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
    SaveScreenshot(box, screenshot);
    PressDialogButton(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
    tool.Settle();
    EXPECT_TRUE(tool.Dialogs().empty()) << "nothing follows";
    EXPECT_TRUE(IsWindowEnabled(main));
  }

  std::wstring CopyFailed(DWORD code) const {
    return Widen("The old file \"" + damaged_ + "\" could not be copied to the new file \"" + kEntry + "\": ") +
           SystemText(code) + L" The offset was not written.";
  }

  std::optional<std::string> Offset() const {
    const auto value = client::QueryValue(client::EntryKey(kEntry), "Offset");
    if (!value) return std::nullopt;
    return value->data;
  }

  std::string folder_, damaged_, newFile_, damagedBytes_, newBytes_;
};

// The client holds its new file open and lets nobody else in: the delete and the copy fail.
TEST_F(FileFault, ANewFileHeldOpenWithoutSharingIsReportedAndKeepsItsData) {
  Prepare(ScratchFolder("held"), 30000);
  Tool tool;
  HWND main = StartAndChoose(tool);
  ASSERT_NE(main, nullptr);

  HANDLE held = CreateFileA(newFile_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  HWND confirmation = PressResume(tool, main);
  ASSERT_NE(confirmation, nullptr);
  HWND box = ConfirmAndGetNextBox(tool, confirmation);
  ExpectErrorBoxThenNothing(tool, main, box, CopyFailed(ERROR_SHARING_VIOLATION), L"fault-held-open");
  CloseHandle(held);

  EXPECT_EQ(ReadFileBytes(newFile_), newBytes_);
  EXPECT_EQ(ReadFileBytes(damaged_), damagedBytes_);
  EXPECT_EQ(Offset(), std::string("123\0", 4)) << "no offset for a copy that was not made";
}

// The damaged file vanishes between the dialog and Resume: refused before the question.
TEST_F(FileFault, ADamagedFileDeletedAfterItWasChosenIsRefusedBeforeAsking) {
  Prepare(ScratchFolder("vanished"), 30000);
  Tool tool;
  HWND main = StartAndChoose(tool);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(DeleteFileA(damaged_.c_str()));

  HWND box = PressResume(tool, main);
  ExpectErrorBoxThenNothing(tool, main, box,
                            Widen("The old file \"" + damaged_ + "\" cannot be read: ") +
                                SystemText(ERROR_FILE_NOT_FOUND) + L" Nothing was changed.",
                            L"fault-damaged-deleted");

  EXPECT_EQ(ReadFileBytes(newFile_), newBytes_) << "the new file is not deleted for nothing";
  EXPECT_EQ(Offset(), std::string("123\0", 4));
}

// The drive fills up halfway through the copy: the failure is reported, the part that was
// written does not stay behind under the new file's name, and no offset is written for it.
TEST_F(FileFault, ACopyOntoAFullDiskIsReportedAndNothingOfItIsResumed) {
  ULARGE_INTEGER total{};
  if (GetDriveTypeA(kFullDisk) == DRIVE_NO_ROOT_DIR ||
      !GetDiskFreeSpaceExA(kFullDisk, nullptr, &total, nullptr) || total.QuadPart > 16u << 20) {
    GTEST_SKIP() << "no small full-disk drive T: in this session: the machine does not allow mounting a tmpfs";
  }
  const std::string folder = std::string(kFullDisk) + "downloads";
  RunProgram(L"cmd.exe /c rmdir /s /q " + Widen(folder));
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  // Room for the damaged file, not for a second copy of it.
  Prepare(folder, static_cast<size_t>(total.QuadPart * 6 / 10));

  Tool tool;
  HWND main = StartAndChoose(tool);
  ASSERT_NE(main, nullptr);
  HWND confirmation = PressResume(tool, main);
  ASSERT_NE(confirmation, nullptr);
  HWND box = ConfirmAndGetNextBox(tool, confirmation);
  ExpectErrorBoxThenNothing(tool, main, box, CopyFailed(ERROR_DISK_FULL), L"fault-full-disk");

  EXPECT_EQ(GetFileAttributesA(newFile_.c_str()), INVALID_FILE_ATTRIBUTES)
      << "a partial copy bears the new file's name: " << ReadFileBytes(newFile_).value_or("").size() << " bytes";
  EXPECT_EQ(ReadFileBytes(damaged_), damagedBytes_);
  EXPECT_EQ(Offset(), std::string("123\0", 4));
  RunProgram(L"cmd.exe /c rmdir /s /q " + Widen(folder));
}

}  // namespace
}  // namespace e2e
