// The application title in an ANSI code page other than CP1252. Wine gives a process the code
// page of its Unix locale at start, so these tests run in a driver started in a locale of code
// page 1251 (ctest's e2e_code_page), and the tool it starts inherits it.

#include <gtest/gtest.h>

#include "e2e/driver.h"

namespace e2e {
namespace {

// Named in CP1251 with capitals whose lower case CP1252 puts elsewhere or nowhere: 0x80 (DJE,
// the euro sign in CP1252) and 0xD7 (CHE, the multiplication sign), and with 0x9F, a small
// letter in CP1251 that CP1252 would take for the capital Y with diaeresis.
constexpr wchar_t kExecutable[] = L"TAVELIN\u0402\u0427\u045F.EXE";
constexpr wchar_t kTitle[] = L"Tavelin\u0452\u0447\u045F";

TEST(AnsiCodePage, TheTitleIsLowerCasedInTheCodePageTheToolRunsIn) {
  if (GetACP() != 1251) {
    GTEST_SKIP() << "runs in a driver with ANSI code page 1251 (ctest e2e_code_page), not " << GetACP();
  }
  client::Remove();
  // A start-up that fails shows the error box, captioned with the title.
  client::SetValue(client::kOptions, "DownloadFolder", REG_DWORD, std::string("\x2A\0\0\0", 4));
  const std::wstring copy = Widen(ScratchFolder("code-page")) + L"\\" + kExecutable;
  ASSERT_TRUE(CopyFileW(ToolPath().c_str(), copy.c_str(), FALSE)) << GetLastError();

  Tool tool(L"", L"", copy);
  HWND box = tool.WaitForDialog();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ReadMessageBox(box).caption, kTitle);
  const HWND application = tool.ApplicationWindow();
  ASSERT_NE(application, nullptr);
  EXPECT_EQ(TextOf(application), kTitle) << "the taskbar entry";
  PressDialogButton(box, IDOK);
  EXPECT_EQ(tool.WaitForExit(), 0u);
  client::Remove();
}

}  // namespace
}  // namespace e2e
