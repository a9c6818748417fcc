// The main window of the real tool: its place and layout, its controls' kinds, the keyboard,
// the file-open dialog and what it leaves behind, scrolling when it is small.

#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/main_window_layout.h"

namespace e2e {
namespace {

int StaticType(const ChildWindow& child) { return child.style & SS_TYPEMASK; }

class MainWindow : public testing::Test {
protected:
  void SetUp() override {
    client::Remove();
    downloads_ = ScratchFolder("downloads");
    WriteFileBytes(downloads_ + "\\movie.avi", "new data");
    client::SetString(client::kOptions, "DownloadFolder", downloads_);
  }
  void TearDown() override { client::Remove(); }

  // The tool's main window once it is shown, in front and idle; null if it did not come.
  static HWND StartInFront(const Tool& tool) {
    HWND main = tool.MainWindow();
    if (!main) return nullptr;
    EXPECT_TRUE(BringToFront(main));
    tool.Settle();
    return main;
  }

  // Opens the file dialog with Alt+S and waits for it.
  HWND OpenFileDialog(const Tool& tool, HWND main) {
    EXPECT_TRUE(BringToFront(main));
    PressKey('S', /*alt=*/true);
    return tool.WaitForDialog();
  }

  static std::wstring FileNameField(HWND dialog) {
    HWND field = DescendantWithId(dialog, 0x47c);
    return field ? TextOf(field) : L"";
  }

  std::string downloads_;
};

TEST_F(MainWindow, OpensAtItsPlaceWithEveryControlWhereItBelongs) {
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  tool.Settle();
  RECT frame{};
  GetWindowRect(main, &frame);
  EXPECT_EQ(frame.left, kMainWindowPlace.left);
  EXPECT_EQ(frame.top, kMainWindowPlace.top);
  EXPECT_EQ(frame.right - frame.left, kMainWindowPlace.width);
  EXPECT_EQ(frame.bottom - frame.top, kMainWindowPlace.height);
  SaveScreenshot(main, L"main-window");

  for (const ControlPlace& row : kControlPlaces) {
    SCOPED_TRACE(Narrow(row.text ? row.text : row.className));
    const ChildWindow child = Child(main, row.className, row.text ? row.text : L"");
    SIZE size{row.place.width, row.place.height};
    if (row.place.width == 0) size = TextSize(row.text, L"MS Sans Serif", -11, kLabelFormat);
    EXPECT_EQ(child.rect.left, row.place.left);
    EXPECT_EQ(child.rect.top, row.place.top);
    EXPECT_EQ(child.rect.right - child.rect.left, size.cx);
    EXPECT_EQ(child.rect.bottom - child.rect.top, size.cy);
  }

  int images = 0, frames = 0;
  for (const ChildWindow& child : Children(main)) {
    if (child.className != L"Static") continue;
    if (StaticType(child) == SS_BITMAP) {
      ++images;
      EXPECT_EQ(child.rect.left, kLogoPlace.left);
      EXPECT_EQ(child.rect.top, kLogoPlace.top);
      EXPECT_EQ(child.rect.right - child.rect.left, kLogoPlace.width);
      EXPECT_EQ(child.rect.bottom - child.rect.top, kLogoPlace.height);
      EXPECT_NE(SendMessageW(child.handle, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "the logo is shown";
    } else if (StaticType(child) == SS_OWNERDRAW) {
      ++frames;
      EXPECT_EQ(child.rect.left, kBevelPlace.left);
      EXPECT_EQ(child.rect.top, kBevelPlace.top);
      EXPECT_EQ(child.rect.right - child.rect.left, kBevelPlace.width);
      EXPECT_EQ(child.rect.bottom - child.rect.top, kBevelPlace.height);
    }
  }
  EXPECT_EQ(images, 1);
  EXPECT_EQ(frames, 1);
  EXPECT_EQ(Children(main).size(), 13u);

  EXPECT_TRUE(Child(main, L"Edit").style & ES_READONLY);
  EXPECT_EQ(Child(main, L"ComboBox").style & 3, CBS_DROPDOWNLIST);
}

TEST_F(MainWindow, FocusStartsOnTheListAndTabWalksTheControlsInTheirOrder) {
  Tool tool;
  HWND main = StartInFront(tool);
  ASSERT_NE(main, nullptr);
  const HWND list = Child(main, L"ComboBox").handle;
  const HWND order[] = {list,
                        Child(main, L"Button", L"&Refresh").handle,
                        Child(main, L"Edit").handle,
                        Child(main, L"Button", L"&Select file...").handle,
                        Child(main, L"Button", L"Resume damaged file on new connection").handle,
                        Child(main, L"Button", L"&Exit").handle,
                        list};
  EXPECT_EQ(tool.Focus(), list);
  for (size_t i = 1; i < std::size(order); ++i) {
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return tool.Focus() == order[i]; }, 2000ms)) << "after tab " << i;
  }
  PressKey(VK_TAB, /*alt=*/false, /*shift=*/true);
  EXPECT_TRUE(WaitFor([&] { return tool.Focus() == order[5]; }, 2000ms)) << "shift+tab goes back to Exit";
}

TEST_F(MainWindow, EnterOnTheListAndEscapeDoNothingWhileEnterOnAButtonPressesIt) {
  Tool tool;
  HWND main = StartInFront(tool);
  ASSERT_NE(main, nullptr);
  PressKey(VK_RETURN);  // the list has the focus
  PressKey(VK_ESCAPE);
  tool.Settle();
  EXPECT_TRUE(tool.Dialogs().empty());
  EXPECT_FALSE(tool.WaitForExit(200ms).has_value()) << "Esc is no cancel button";

  for (int i = 0; i < 3; ++i) PressKey(VK_TAB);  // to "Select file..."
  ASSERT_TRUE(WaitFor([&] { return tool.Focus() == Child(main, L"Button", L"&Select file...").handle; }));
  PressKey(VK_RETURN);
  HWND dialog = tool.WaitForDialog();
  ASSERT_NE(dialog, nullptr) << "Enter pressed the focused button";
  PressDialogButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
}

// Moves the focus `tabs` controls on in the tab order, onto `target`.
void TabTo(const Tool& tool, int tabs, HWND target) {
  for (int i = 0; i < tabs; ++i) PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return tool.Focus() == target; })) << Narrow(TextOf(target));
}

// Keys that press nothing: Enter in the damaged file's field, which no default button takes
// up, and Esc on every button, since none is the cancel button.
TEST_F(MainWindow, EnterOnTheFileFieldAndEscapeOnAnyButtonPressNothing) {
  Tool tool;
  HWND main = StartInFront(tool);
  ASSERT_NE(main, nullptr);
  const HWND list = Child(main, L"ComboBox").handle;
  // Listed only if something presses Refresh.
  client::AddEntry("added later.avi");
  struct Press {
    int tabs;  // from the control of the row before (the first: from the list)
    HWND control;
    WORD key;
  };
  const Press presses[] = {
      {2, Child(main, L"Edit").handle, VK_RETURN},
      {1, Child(main, L"Button", L"&Select file...").handle, VK_ESCAPE},
      {1, Child(main, L"Button", L"Resume damaged file on new connection").handle, VK_ESCAPE},
      {1, Child(main, L"Button", L"&Exit").handle, VK_ESCAPE},
      {2, Child(main, L"Button", L"&Refresh").handle, VK_ESCAPE},
  };
  for (const Press& press : presses) {
    SCOPED_TRACE(Narrow(ClassOf(press.control) + L" " + TextOf(press.control)));
    TabTo(tool, press.tabs, press.control);
    PressKey(press.key);
    tool.Settle();
    EXPECT_TRUE(tool.Dialogs().empty());
    EXPECT_FALSE(tool.WaitForExit(200ms).has_value());
    EXPECT_TRUE(ComboItems(list).empty()) << "no refresh";
    EXPECT_EQ(TextOf(Child(main, L"Edit").handle), L"");
    EXPECT_EQ(tool.Focus(), press.control);
  }
}

struct SpaceCase {
  const char* name;
  int tabs;            // from the list to the button
  const wchar_t* button;
};

class SpaceOnAButton : public MainWindow, public testing::WithParamInterface<SpaceCase> {};

// Space on the focused button presses it, as a click would.
TEST_P(SpaceOnAButton, PressesIt) {
  Tool tool;
  HWND main = StartInFront(tool);
  ASSERT_NE(main, nullptr);
  client::AddEntry("added later.avi");
  TabTo(tool, GetParam().tabs, Child(main, L"Button", GetParam().button).handle);
  PressKey(VK_SPACE);

  const std::wstring button = GetParam().button;
  if (button == L"&Refresh") {
    EXPECT_TRUE(WaitFor([&] {
      return ComboItems(Child(main, L"ComboBox").handle) == std::vector<std::wstring>{L"added later.avi"};
    }));
  } else if (button == L"&Select file...") {
    HWND dialog = tool.WaitForDialog();
    ASSERT_NE(dialog, nullptr) << "the file dialog";
    PressDialogButton(dialog, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
  } else {
    EXPECT_EQ(tool.WaitForExit(), 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(Buttons, SpaceOnAButton,
                         testing::Values(SpaceCase{"Refresh", 1, L"&Refresh"},
                                         SpaceCase{"SelectFile", 3, L"&Select file..."},
                                         SpaceCase{"Exit", 5, L"&Exit"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(MainWindow, AltWithAButtonsLetterPressesItWhereverTheFocusIs) {
  Tool tool;
  HWND main = StartInFront(tool);
  ASSERT_NE(main, nullptr);
  PressKey(VK_TAB);
  PressKey(VK_TAB);  // the focus on the damaged file's field

  // Alt+R: Refresh lists an entry the client added after the window opened.
  client::AddEntry("added later.avi");
  PressKey('R', /*alt=*/true);
  const HWND list = Child(main, L"ComboBox").handle;
  EXPECT_TRUE(WaitFor([&] { return ComboItems(list) == std::vector<std::wstring>{L"added later.avi"}; }));
  EXPECT_EQ(ComboSelection(list), 0);

  // Alt+S: the file dialog.
  HWND dialog = OpenFileDialog(tool, main);
  ASSERT_NE(dialog, nullptr);
  PressDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));

  // Alt+E: Exit.
  ASSERT_TRUE(BringToFront(main));
  PressKey('E', /*alt=*/true);
  EXPECT_EQ(tool.WaitForExit(), 0u);
}

TEST_F(MainWindow, MinimisingHidesTheToolAndRestoringBringsItBackWithoutARefresh) {
  client::AddEntry("first.avi");
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  tool.Settle();
  const HWND list = Child(main, L"ComboBox").handle;
  ASSERT_EQ(ComboItems(list), std::vector<std::wstring>{L"first.avi"});
  const auto application = tool.TopLevelWindows(L"TApplication");
  ASSERT_EQ(application.size(), 1u);

  PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main) && IsIconic(application.front()); }));
  client::AddEntry("second.avi");
  PostMessageW(application.front(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !IsIconic(application.front()); }));
  tool.Settle();
  EXPECT_EQ(ComboItems(list), std::vector<std::wstring>{L"first.avi"}) << "showing again is no refresh";
}

TEST_F(MainWindow, ThePointerChangesOverTheHomepageLinkOnly) {
  // The link's cursor is the tool's own, carried in tavelin.exe (which cursor the link shows
  // is held in-process by the Win32 tests: cursor handles of another process cannot be read).
  HMODULE exe = LoadLibraryExW(ToolPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  EXPECT_NE(FindResourceW(exe, L"MULTIDRAG", MAKEINTRESOURCEW(12) /* RT_GROUP_CURSOR */), nullptr)
      << "tavelin.exe carries the link's cursor";
  FreeLibrary(exe);

  Tool tool;
  HWND main = StartInFront(tool);
  ASSERT_NE(main, nullptr);
  // Moves the pointer into the label, `nudge` pixels right of its centre: a move to the same
  // place again would be no move at all.
  int nudge = 0;
  const auto moveOver = [&](const std::wstring& label) {
    RECT rect = Child(main, L"Static", label).rect;
    POINT centre{(rect.left + rect.right) / 2 + (nudge++ % 4), (rect.top + rect.bottom) / 2};
    ClientToScreen(main, &centre);
    // An absolute move of the mouse, as the user's hand makes it: the window under the pointer
    // then sets its cursor.
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    move.mi.dx = static_cast<LONG>(centre.x * 65536 / GetSystemMetrics(SM_CXSCREEN));
    move.mi.dy = static_cast<LONG>(centre.y * 65536 / GetSystemMetrics(SM_CYSCREEN));
    SendInput(1, &move, sizeof move);
  };
  const auto cursor = [] {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return info.hCursor;
  };
  // Cursor handles are the tool's own: compare the link's with a plain label's.
  // The moves are repeated while waiting: on a loaded machine one can arrive before the tool
  // is ready for it.
  HCURSOR plain = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    moveOver(L"Kestrel Bay Software");
    tool.Settle();
    const HCURSOR now = cursor();
    const bool steady = now != nullptr && now == plain;
    plain = now;
    return steady;
  }, 5000ms));
  EXPECT_TRUE(WaitFor([&] {
    moveOver(L"Homepage: example.org/tavelin");
    tool.Settle();
    return cursor() != plain;
  }, 5000ms)) << "the link shows its own cursor";
  EXPECT_TRUE(WaitFor([&] {
    moveOver(L"Mira Holt (mira.holt@example.org)");
    tool.Settle();
    return cursor() == plain;
  }, 5000ms)) << "and only the link";
}

// The file dialog belongs to the application window, like every box, and is modal to the whole
// tool: the main window takes no input while it is open and is the active window again after
// Cancel and after OK.
TEST_F(MainWindow, TheFileDialogBelongsToTheApplicationWindowAndHoldsTheMainWindowWhileOpen) {
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  tool.Settle();
  const HWND application = tool.ApplicationWindow();
  ASSERT_NE(application, nullptr);
  const HWND field = Child(main, L"Edit").handle;

  for (const bool confirm : {false, true}) {
    SCOPED_TRACE(confirm ? "OK" : "Cancel");
    HWND dialog = OpenFileDialog(tool, main);
    ASSERT_NE(dialog, nullptr);
    tool.Settle();
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), application);
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_FALSE(IsWindowEnabled(application));
    if (confirm) {
      TypeIntoFileDialog(dialog, "movie.avi");
    } else {
      PressDialogButton(dialog, IDCANCEL);
    }
    ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
    tool.Settle();
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(tool.ActiveWindow(), main);
    EXPECT_EQ(TextOf(field), confirm ? Widen(downloads_ + "\\movie.avi") : L"");
  }
}

TEST_F(MainWindow, ChoosingAFileFillsTheFieldAndMovesTheCurrentDirectory) {
  const std::string other = ScratchFolder("elsewhere");
  WriteFileBytes(other + "\\old.part", "old data");
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  const HWND field = Child(main, L"Edit").handle;
  const std::wstring startFolder = tool.CurrentDirectory();

  // Cancel before any choice: the field stays empty, the current directory stays.
  HWND dialog = OpenFileDialog(tool, main);
  ASSERT_NE(dialog, nullptr);
  PressDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
  tool.Settle();
  EXPECT_EQ(TextOf(field), L"");
  EXPECT_EQ(tool.CurrentDirectory(), startFolder);

  // A bare name is taken from the folder the dialog starts in: the client's download folder.
  dialog = OpenFileDialog(tool, main);
  ASSERT_NE(dialog, nullptr);
  tool.Settle();
  SaveScreenshot(dialog, L"file-dialog");
  TypeIntoFileDialog(dialog, "movie.avi");
  ASSERT_TRUE(WaitFor([&] { return TextOf(field) == Widen(downloads_ + "\\movie.avi"); }))
      << Narrow(TextOf(field));
  EXPECT_EQ(tool.CurrentDirectory(), Widen(downloads_));

  // The next dialog starts with the last choice named; Cancel keeps it.
  dialog = OpenFileDialog(tool, main);
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(FileNameField(dialog).find(L"movie.avi"), std::wstring::npos) << Narrow(FileNameField(dialog));
  PressDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
  tool.Settle();
  EXPECT_EQ(TextOf(field), Widen(downloads_ + "\\movie.avi"));
  EXPECT_EQ(tool.CurrentDirectory(), Widen(downloads_));

  // A full path typed into the dialog moves the current directory to that file's folder, also
  // where the platform's dialog leaves it at the folder it showed.
  dialog = OpenFileDialog(tool, main);
  ASSERT_NE(dialog, nullptr);
  TypeIntoFileDialog(dialog, other + "\\old.part");
  ASSERT_TRUE(WaitFor([&] { return TextOf(field) == Widen(other + "\\old.part"); })) << Narrow(TextOf(field));
  EXPECT_EQ(tool.CurrentDirectory(), Widen(other));

  // Nothing checks that a typed file exists.
  dialog = OpenFileDialog(tool, main);
  ASSERT_NE(dialog, nullptr);
  TypeIntoFileDialog(dialog, downloads_ + "\\not there yet.dat");
  EXPECT_TRUE(WaitFor([&] { return TextOf(field) == Widen(downloads_ + "\\not there yet.dat"); }))
      << Narrow(TextOf(field));
  EXPECT_EQ(tool.CurrentDirectory(), Widen(downloads_));
}

TEST_F(MainWindow, ScrollBarsAppearWhenTheWindowIsSmallerThanItsControls) {
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  tool.Settle();
  const auto scrollBars = [main] {
    return GetWindowLongPtrW(main, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL);
  };
  EXPECT_EQ(scrollBars(), 0) << "the window's own size holds every control";

  SetWindowPos(main, nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  tool.Settle();
  EXPECT_EQ(scrollBars(), WS_HSCROLL | WS_VSCROLL);
  SaveScreenshot(main, L"main-window-small");

  ShowWindowAsync(main, SW_MAXIMIZE);
  ASSERT_TRUE(WaitFor([main] { return IsZoomed(main) != FALSE; }));
  tool.Settle();
  EXPECT_EQ(scrollBars(), 0);
  const ChildWindow exit = Child(main, L"Button", L"&Exit");
  EXPECT_EQ(exit.rect.left, 532) << "controls keep their places";
  EXPECT_EQ(exit.rect.top, 168);
}

}  // namespace
}  // namespace e2e
