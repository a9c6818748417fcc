// The real tool on client data that a careless or hostile client (or peer, who names the
// downloads) can leave behind: a thousand names at the registry's length limit, names with every
// character that Windows allows in a file name, a name that Windows takes for another file's
// short name, a download list of values only, and a download folder of every registry type or of
// 64 KiB. The tool never crashes or hangs, shows what it should or nothing, and the damaged file
// stays as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "e2e/driver.h"

namespace e2e {
namespace {

constexpr char kDamagedName[] = "damaged.part";
const std::string kDamagedBytes = std::string(30000, 'd') + "end of the damaged data";

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::string Offset(const std::string& entry) {
  const auto value = client::QueryValue(client::EntryKey(entry), "Offset");
  if (!value) return "<missing>";
  if (value->type != REG_SZ) return "<type " + std::to_string(value->type) + ">";
  return value->data;
}

class HostileData : public testing::Test {
protected:
  void SetUp() override {
    client::Remove();
    folder_ = ScratchFolder("hostile");
    damaged_ = folder_ + "\\" + kDamagedName;
    WriteFileBytes(damaged_, kDamagedBytes);
    client::SetString(client::kOptions, "DownloadFolder", folder_);
  }
  void TearDown() override {
    client::Remove();
    EXPECT_EQ(ReadFileBytes(damaged_), kDamagedBytes) << "the damaged file is never changed";
  }

  // The tool's window once it is shown and has settled, with no box open.
  static HWND Started(const Tool& tool) {
    HWND main = tool.MainWindow();
    EXPECT_NE(main, nullptr) << "the main window";
    if (!main) return nullptr;
    tool.Settle();
    EXPECT_TRUE(tool.Dialogs().empty()) << "no box at start";
    return main;
  }

  // Resumes `entry`'s new file in the download folder with the damaged file chosen before.
  void ResumeAndExpectSuccess(const Tool& tool, HWND main, const std::string& entry) {
    const std::string newFile = folder_ + "\\" + entry;
    WriteFileBytes(newFile, kDamagedBytes.substr(0, 14));  // as a new connection fetches it
    SelectEntry(main, entry);
    ClickButton(Child(main, L"Button", L"Resume damaged file on new connection").handle);
    HWND box = tool.WaitForDialog();
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = ReadMessageBox(box);
    ASSERT_EQ(view.caption, L"Info") << Narrow(view.text);
    EXPECT_EQ(view.text, Widen("The new file \"" + entry + "\" will now be deleted and overwritten by the old \"" +
                               damaged_ + "\". After that, the download list file size information will be adjusted."));
    PressDialogButton(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
    tool.Settle();
    EXPECT_TRUE(tool.Dialogs().empty()) << "nothing is shown on success";
    EXPECT_EQ(ReadFileBytes(newFile), kDamagedBytes) << entry;
    EXPECT_EQ(Offset(entry), std::to_string(kDamagedBytes.size() - 10240) + '\0') << entry;
  }

  std::string folder_, damaged_;
};

// Key names may be 255 characters long; the list takes a thousand of them, and such a name
// still works as the new file's name.
TEST_F(HostileData, AThousandEntriesAtTheNameLengthLimitAreListedAndUsable) {
  std::vector<std::wstring> names;
  for (int i = 0; i < 1000; ++i) {
    std::string name = "entry " + std::to_string(1000 + i) + " of a client that names its downloads at length";
    while (name.size() < 251) name += " and more";
    name.resize(251);
    name += ".avi";
    client::AddEntry(name);
    names.push_back(Widen(name));
  }
  ASSERT_EQ(names.front().size(), 255u);

  Tool tool;
  HWND main = Started(tool);
  ASSERT_NE(main, nullptr);
  const HWND list = Child(main, L"ComboBox").handle;
  EXPECT_EQ(Sorted(ComboItems(list)), Sorted(names));
  EXPECT_EQ(ComboSelection(list), 0);

  ChooseInFileDialog(tool, main, kDamagedName);
  ResumeAndExpectSuccess(tool, main, Narrow(names[500]));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool.WaitForExit(), 0u);
}

// The characters of CP1252 that Windows allows in file names, from `first` to `last`.
std::string AllowedCharacters(unsigned first, unsigned last) {
  std::string characters;
  for (unsigned c = first; c <= last; ++c) {
    if (std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) == std::string_view::npos) {
      characters += static_cast<char>(c);
    }
  }
  return characters;
}

// Every character that Windows allows in a file name, the blank among them, in three names (a
// Linux file name holds 255 bytes, and beyond ASCII each character takes two or three of them).
TEST_F(HostileData, NamesWithEveryAllowedCharacterAreListedAndResumedUnchanged) {
  const std::vector<std::string> entries = {"cp1252 " + AllowedCharacters(0x20, 0x7F),
                                            "cp1252 " + AllowedCharacters(0x80, 0xBF),
                                            "cp1252 " + AllowedCharacters(0xC0, 0xFF)};
  std::vector<std::wstring> listed;
  for (const auto& entry : entries) {
    client::AddEntry(entry);
    listed.push_back(Widen(entry));
  }

  Tool tool;
  HWND main = Started(tool);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(Sorted(ComboItems(Child(main, L"ComboBox").handle)), Sorted(listed));
  ChooseInFileDialog(tool, main, kDamagedName);
  for (const auto& entry : entries) {
    SCOPED_TRACE(entry);
    ResumeAndExpectSuccess(tool, main, entry);
  }
}

// Windows (and Wine) also finds a file by its generated short name: an entry named like the
// short name of another download's file would have that file deleted.
TEST_F(HostileData, AnEntryNamedLikeTheShortNameOfAnotherFileIsRefused) {
  const std::string other = folder_ + "\\holiday video from another peer.avi";
  WriteFileBytes(other, "another download's data");
  const std::string alias = ShortNameOf(other);
  ASSERT_FALSE(alias.empty());
  ASSERT_NE(alias, "holiday video from another peer.avi") << "the system gave no short name";
  client::AddEntry(alias);

  Tool tool;
  HWND main = Started(tool);
  ASSERT_NE(main, nullptr);
  ChooseInFileDialog(tool, main, kDamagedName);
  SelectEntry(main, alias);
  ClickButton(Child(main, L"Button", L"Resume damaged file on new connection").handle);
  HWND box = tool.WaitForDialog();
  ASSERT_NE(box, nullptr);
  const MessageBoxView view = ReadMessageBox(box);
  EXPECT_EQ(view.caption, L"Error");
  EXPECT_EQ(view.text, Widen("The download entry \"" + alias +
                             "\" cannot be used as a file name: it is another name of the file "
                             "\"holiday video from another peer.avi\". Nothing was changed."));
  SaveScreenshot(box, L"hostile-short-name");
  PressDialogButton(box, IDOK);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
  tool.Settle();
  EXPECT_TRUE(tool.Dialogs().empty());
  EXPECT_EQ(ReadFileBytes(other), "another download's data");
  EXPECT_EQ(Offset(alias), "<missing>");
}

// A download list of values only is a list without entries: empty, silent, and quick.
TEST_F(HostileData, ADownloadListOfAHundredThousandValuesAndNoSubkeysIsEmpty) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, client::kDownloadList, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  for (int i = 0; i < 100000; ++i) {
    const std::string name = "value " + std::to_string(100000 + i);
    ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2), ERROR_SUCCESS);
  }
  RegCloseKey(key);

  Tool tool;
  HWND main = Started(tool);
  ASSERT_NE(main, nullptr);
  const HWND list = Child(main, L"ComboBox").handle;
  EXPECT_TRUE(ComboItems(list).empty());
  EXPECT_EQ(ComboSelection(list), CB_ERR);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(ClickButtonAndWait(Child(main, L"Button", L"&Refresh").handle));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << "the values are not read";
  EXPECT_TRUE(ComboItems(list).empty());
  EXPECT_TRUE(tool.Dialogs().empty());
}

struct FolderCase {
  const char* label;
  DWORD type;
  std::string data;
  bool refused;  // the error box of a value that is not text, then the tool ends
};

std::string Repeated(const std::string& piece, size_t size) {
  std::string text;
  while (text.size() + piece.size() <= size) text += piece;
  return text;
}

const std::string k64KiB = Repeated("C:\\a folder that goes on", 65535) + '\0';

const FolderCase kFolderCases[] = {
    {"NoneWithData", REG_NONE, "C:\\x", true},
    {"BinaryWithData", REG_BINARY, std::string("C:\\\0", 4), true},
    {"Dword", REG_DWORD, std::string("\x01\0\0\0", 4), true},
    {"DwordBigEndian", REG_DWORD_BIG_ENDIAN, std::string("\0\0\0\x01", 4), true},
    {"Link", REG_LINK, std::string("\\\0R\0", 4), true},
    {"MultiSz", REG_MULTI_SZ, std::string("C:\\a\0C:\\b\0\0", 11), true},
    {"ResourceList", REG_RESOURCE_LIST, std::string(16, '\x02'), true},
    {"FullResourceDescriptor", REG_FULL_RESOURCE_DESCRIPTOR, std::string(16, '\x03'), true},
    {"ResourceRequirementsList", REG_RESOURCE_REQUIREMENTS_LIST, std::string(16, '\x04'), true},
    {"Qword", REG_QWORD, std::string("\x01\0\0\0\0\0\0\0", 8), true},
    {"UnknownType", 0x4711, "C:\\x", true},
    {"BinaryOf64KiB", REG_BINARY, k64KiB, true},
    {"MultiSzOf64KiB", REG_MULTI_SZ, k64KiB + '\0', true},
    // The type counts only when there is data.
    {"NoneEmpty", REG_NONE, "", false},
    {"BinaryEmpty", REG_BINARY, "", false},
    {"DwordEmpty", REG_DWORD, "", false},
    {"SzOf64KiB", REG_SZ, k64KiB, false},
    {"ExpandSzOf64KiB", REG_EXPAND_SZ, Repeated("%SystemRoot%\\%TEMP%", 65535) + '\0', false},
};

class DownloadFolderOfAnyKind : public HostileData, public testing::WithParamInterface<FolderCase> {};

TEST_P(DownloadFolderOfAnyKind, GivesTheTypeErrorOrStartsSilentlyAndNeverCrashes) {
  const FolderCase& c = GetParam();
  client::SetValue(client::kOptions, "DownloadFolder", c.type, c.data);
  client::AddEntry("movie.avi");

  Tool tool;
  if (c.refused) {
    HWND box = tool.WaitForDialog();
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.caption, L"tavelin");
    EXPECT_EQ(view.text, L"Ung\u00FCltiger Datentyp f\u00FCr 'DownloadFolder'.");
    EXPECT_TRUE(tool.TopLevelWindows(L"TForm1").empty() || !tool.MainWindow(0ms)) << "no window is shown";
    PressDialogButton(box, IDOK);
    EXPECT_EQ(tool.WaitForExit(), 0u);
    return;
  }

  HWND main = Started(tool);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(ComboItems(Child(main, L"ComboBox").handle), std::vector<std::wstring>{L"movie.avi"});
  // The text is the dialog's start folder: the dialog may not find it, but must open and close.
  ASSERT_TRUE(BringToFront(main));
  PressKey('S', /*alt=*/true);
  HWND dialog = tool.WaitForDialog();
  ASSERT_NE(dialog, nullptr) << (tool.WaitForExit(0ms) ? "the tool ended" : "no file dialog");
  SaveScreenshot(dialog, Widen(std::string("hostile-folder-") + c.label));
  PressDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); })) << "the dialog closes";
  EXPECT_TRUE(TextOf(Child(main, L"Edit").handle).empty());
  EXPECT_TRUE(ClickButtonAndWait(Child(main, L"Button", L"&Refresh").handle)) << "the window goes on working";
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool.WaitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DownloadFolderOfAnyKind, testing::ValuesIn(kFolderCases),
                         [](const auto& param) { return std::string(param.param.label); });

}  // namespace
}  // namespace e2e
