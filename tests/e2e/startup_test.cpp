// Start-up and ending of the real tool: the error box of a broken start, the window of a good
// one, the exit status, and the command line that changes nothing.

#include <gtest/gtest.h>

#include "e2e/driver.h"

namespace e2e {
namespace {

class Startup : public testing::Test {
protected:
  void SetUp() override { client::Remove(); }
  void TearDown() override { client::Remove(); }
};

struct Arguments {
  const wchar_t* name;
  const wchar_t* commandLine;
};

class StartupWithArguments : public Startup, public testing::WithParamInterface<Arguments> {};

// With no client installed the tool starts without a word, and any command line is ignored.
TEST_P(StartupWithArguments, StartsWithoutABoxAndEndsWithStatusZeroWhenClosed) {
  Tool tool(GetParam().commandLine);
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(TextOf(main), L"Tavelin");
  tool.Settle();
  EXPECT_TRUE(tool.Dialogs().empty()) << "no box may be shown";
  HWND list = Child(main, L"ComboBox").handle;
  EXPECT_TRUE(ComboItems(list).empty());
  EXPECT_EQ(ComboSelection(list), CB_ERR);

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool.WaitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, StartupWithArguments,
                         testing::Values(Arguments{L"None", L""}, Arguments{L"Words", L"/x --help C:\\file.dat"},
                                         Arguments{L"Quoted", L"\"two words\" -"}),
                         [](const auto& param) { return Narrow(param.param.name); });

TEST_F(Startup, DownloadFolderOfTheWrongTypeStopsStartUpWithTheErrorBox) {
  client::SetValue(client::kOptions, "DownloadFolder", REG_DWORD, std::string("\x2A\0\0\0", 4));
  Tool tool;
  HWND box = tool.WaitForDialog();
  ASSERT_NE(box, nullptr);
  const MessageBoxView view = ReadMessageBox(box);
  EXPECT_EQ(view.caption, L"tavelin");  // the executable's name, not the window's caption
  EXPECT_EQ(view.text, L"Ung\u00FCltiger Datentyp f\u00FCr 'DownloadFolder'.");
  EXPECT_TRUE(view.hasIcon);
  EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
  EXPECT_EQ(GetWindow(box, GW_OWNER), tool.ApplicationWindow()) << "the box belongs to the application window";
  SaveScreenshot(box, L"startup-error-box");

  for (HWND window : tool.TopLevelWindows(L"TForm1")) {
    EXPECT_FALSE(IsWindowVisible(window)) << "the main window is never shown";
  }
  PressDialogButton(box, IDOK);
  EXPECT_EQ(tool.WaitForExit(), 0u);
  EXPECT_TRUE(tool.TopLevelWindows(L"TForm1").empty() || !tool.MainWindow(0ms));
}

struct Ending {
  const char* name;
  void (*close)(HWND main, const Tool& tool);
};

class EndingTheTool : public Startup, public testing::WithParamInterface<Ending> {};

// Every way of closing the main window ends the tool at once, without a question.
TEST_P(EndingTheTool, EndsWithStatusZero) {
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  tool.Settle();
  GetParam().close(main, tool);
  EXPECT_EQ(tool.WaitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EndingTheTool,
    testing::Values(
        Ending{"ExitButton", [](HWND main, const Tool&) { ClickButton(Child(main, L"Button", L"&Exit").handle); }},
        Ending{"CloseBox", [](HWND main, const Tool&) { PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        Ending{"AltF4",
               [](HWND main, const Tool&) {
                 ASSERT_TRUE(BringToFront(main));
                 PressKey(VK_F4, /*alt=*/true);
               }},
        Ending{"TaskbarEntryClose",
               [](HWND, const Tool& tool) {
                 const auto application = tool.TopLevelWindows(L"TApplication");
                 ASSERT_EQ(application.size(), 1u);
                 PostMessageW(application.front(), WM_SYSCOMMAND, SC_CLOSE, 0);
               }}),
    [](const auto& param) { return std::string(param.param.name); });

// Log-off or shut-down: every window of the tool agrees at once, and when the session ends the
// tool ends itself with status 0 rather than being killed; when the session goes on after all,
// so does the tool.
TEST_F(Startup, EndsWithStatusZeroWhenTheSessionEndsAndGoesOnWhenItDoesNot) {
  for (const bool ending : {false, true}) {
    SCOPED_TRACE(ending ? "ending" : "not ending");
    Tool tool;
    HWND main = tool.MainWindow();
    ASSERT_NE(main, nullptr);
    tool.Settle();
    EXPECT_TRUE(QueryEndSession(tool));
    EndSession(tool, ending);
    if (ending) {
      EXPECT_EQ(tool.WaitForExit(), 0u);
      continue;
    }
    EXPECT_FALSE(tool.WaitForExit(500ms).has_value());
    EXPECT_TRUE(ClickButtonAndWait(Child(main, L"Button", L"&Refresh").handle)) << "the window still works";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(tool.WaitForExit(), 0u);
  }
}

TEST_F(Startup, TheTaskbarEntryCarriesTheTitleAndOwnsTheMainWindow) {
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  const auto application = tool.TopLevelWindows(L"TApplication");
  ASSERT_EQ(application.size(), 1u);
  EXPECT_EQ(TextOf(application.front()), L"tavelin");
  EXPECT_EQ(GetWindow(main, GW_OWNER), application.front());
}

}  // namespace
}  // namespace e2e
