// The client changes its files while the real tool's confirmation stands open, under Wine with
// the real sharing rules: the damaged file renamed onto the entry's name, the damaged file opened
// for writing, and a file created whose short name is the entry's name. After OK the tool refuses
// with what changed, and the damaged data and every other file survive.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "e2e/driver.h"

namespace e2e {
namespace {

constexpr char kEntry[] = "holiday video.avi";
constexpr char kDamagedName[] = "holiday video (damaged).avi";

class ResumeWhileAsking : public testing::Test {
protected:
  void SetUp() override {
    client::Remove();
    folder_ = ScratchFolder("while-asking");
    damaged_ = folder_ + "\\" + kDamagedName;
    damagedBytes_ = RandomBytes(50000, 5);
    WriteFileBytes(damaged_, damagedBytes_);
    client::SetString(client::kOptions, "DownloadFolder", folder_);
  }
  void TearDown() override { client::Remove(); }

  // Starts the tool on `entry`, presses Resume and, while the confirmation is open, lets
  // `change` act as the client; then OK. Returns the text of the box that follows, after
  // closing it; the tool is then idle with no box open.
  std::wstring ResumeWhile(const std::string& entry, const std::function<void()>& change) {
    Tool tool;
    HWND main = tool.MainWindow();
    EXPECT_NE(main, nullptr);
    if (!main) return {};
    tool.Settle();
    ChooseInFileDialog(tool, main, kDamagedName);
    SelectEntry(main, entry);
    ClickButton(Child(main, L"Button", L"Resume damaged file on new connection").handle);
    HWND box = tool.WaitForDialog();
    EXPECT_NE(box, nullptr);
    if (!box) return {};
    EXPECT_EQ(ReadMessageBox(box).caption, L"Info");
    change();
    PressDialogButton(box, IDOK);
    HWND refusal = WaitForDialogOtherThan(tool, box);
    EXPECT_NE(refusal, nullptr) << "the refusal";
    if (!refusal) return {};
    const MessageBoxView view = ReadMessageBox(refusal);
    EXPECT_EQ(view.caption, L"Error");
    EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
    SaveScreenshot(refusal, L"resume-changed-while-asking");
    PressDialogButton(refusal, IDOK);
    EXPECT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
    tool.Settle();
    EXPECT_TRUE(tool.Dialogs().empty()) << "nothing follows the refusal";
    return view.text;
  }

  bool OffsetWritten(const std::string& entry) const {
    return client::QueryValue(std::string(client::kDownloadList) + "\\" + entry, "Offset").has_value();
  }

  std::string folder_, damaged_, damagedBytes_;
};

// A client that renames a finished part to its final name: before, the delete after OK
// destroyed the very data to be resumed.
TEST_F(ResumeWhileAsking, TheDamagedFileRenamedOntoTheEntrysNameIsKeptThere) {
  client::AddEntry(kEntry);
  const std::string newFile = folder_ + "\\" + kEntry;
  WriteFileBytes(newFile, damagedBytes_.substr(0, 3000));

  const std::wstring told = ResumeWhile(kEntry, [&] {
    ASSERT_TRUE(MoveFileExA(damaged_.c_str(), newFile.c_str(), MOVEFILE_REPLACE_EXISTING));
  });

  EXPECT_EQ(told, Widen("The old file \"" + damaged_ +
                        "\" was moved, renamed or deleted while you were asked. Nothing was changed."));
  EXPECT_EQ(ReadFileBytes(newFile), damagedBytes_);
  EXPECT_FALSE(OffsetWritten(kEntry));
}

// Before, the check opened the damaged file sharing everything, the new file was deleted after
// OK and the copy then failed on the writer's sharing: the new file was lost for nothing.
TEST_F(ResumeWhileAsking, ADamagedFileThatAnotherProgramOpensForWritingIsRefusedBeforeTheDelete) {
  client::AddEntry(kEntry);
  const std::string newFile = folder_ + "\\" + kEntry;
  const std::string newBytes = damagedBytes_.substr(0, 3000);
  WriteFileBytes(newFile, newBytes);
  HANDLE writer = INVALID_HANDLE_VALUE;

  const std::wstring told = ResumeWhile(kEntry, [&] {
    writer = CreateFileA(damaged_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  });
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);

  EXPECT_EQ(told, Widen("The old file \"" + damaged_ +
                        "\" is open in another program, which may be writing it, so it cannot be copied whole. "
                        "Close that program or wait until it is done. Nothing was changed."));
  EXPECT_EQ(ReadFileBytes(newFile), newBytes);
  EXPECT_EQ(ReadFileBytes(damaged_), damagedBytes_);
  EXPECT_FALSE(OffsetWritten(kEntry));
}

// The entry's name finds no file when the user is asked; meanwhile another download's file
// appears whose generated short name is exactly that name. The delete would have hit it.
TEST_F(ResumeWhileAsking, AFileWhoseShortNameIsTheEntrysNameAppearingMeanwhileIsNotDeleted) {
  const std::string other = folder_ + "\\holiday video from another peer.avi";
  WriteFileBytes(other, "another peer's download");
  const std::string shortName = ShortNameOf(other);
  ASSERT_FALSE(shortName.empty());
  ASSERT_NE(shortName, "holiday video from another peer.avi") << "the file system gives no short names";
  ASSERT_TRUE(DeleteFileA(other.c_str()));
  client::AddEntry(shortName);

  const std::wstring told = ResumeWhile(shortName, [&] { WriteFileBytes(other, "another peer's download"); });

  EXPECT_EQ(told, Widen("The download entry \"" + shortName +
                        "\" cannot be used as a file name: it is another name of the file \"holiday video from "
                        "another peer.avi\". Nothing was changed."));
  EXPECT_EQ(ReadFileBytes(other), "another peer's download");
  EXPECT_EQ(ReadFileBytes(damaged_), damagedBytes_);
  EXPECT_FALSE(OffsetWritten(shortName));
}

}  // namespace
}  // namespace e2e
