// The application object on Win32, in this process: the message-box service when no box can be
// shown, the error box of a start-up that has no application object, and the link's cursor.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>
#include <string>
#include <thread>

#include "classlib/application/application.h"
#include "classlib/application/application_win.h"
#include "classlib/forms/form.h"
#include "classlib/controls/control_win.h"
#include "classlib/forms/form_window_win.h"
#include "classlib/controls/stdctrls.h"

namespace {

// A box as the user saw it: its caption, its text and its owner.
struct SeenBox {
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  bool seen = false;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Watches `thread` for the first visible box, reads it and presses OK.
class BoxAnswerer {
public:
  explicit BoxAnswerer(DWORD thread) : watcher_([this, thread] { Watch(thread); }) {}
  ~BoxAnswerer() {
    stop_ = true;
    if (watcher_.joinable()) watcher_.join();
  }
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;
  // Once the box was answered (or the watch stopped).
  const SeenBox& Seen() {
    stop_ = true;
    if (watcher_.joinable()) watcher_.join();
    return seen_;
  }

private:
  void Watch(DWORD thread) {
    for (int tries = 0; tries < 1000 && !stop_; ++tries) {
      HWND box = nullptr;
      EnumThreadWindows(thread, FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
      if (box) {
        char text[256] = {};
        GetWindowTextA(box, text, sizeof text);
        seen_.caption = text;
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        seen_.text = text;
        seen_.owner = GetWindow(box, GW_OWNER);
        seen_.seen = true;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        return;
      }
      Sleep(10);
    }
  }

  SeenBox seen_;
  std::atomic<bool> stop_{false};
  std::thread watcher_;
};

// The error box of a start-up whose application object could not be made: there is none, so
// the box belongs to no window, and its caption is the title derived from this program's name.
TEST(ErrorWithoutApplication, ShowsTheErrorBoxOwnedByNoWindowWithTheTitleAsCaption) {
  ASSERT_EQ(Application, nullptr);
  BoxAnswerer answerer(GetCurrentThreadId());
  classlib::win::ShowErrorWithoutApplication(
      std::make_exception_ptr(ERegistryException("Ung\xFCltiger Datentyp f\xFCr 'DownloadFolder'")));
  const SeenBox& box = answerer.Seen();
  ASSERT_TRUE(box.seen) << "no box was shown";
  EXPECT_EQ(box.caption, "tavelin_win_tests");
  EXPECT_EQ(box.text, "Ung\xFCltiger Datentyp f\xFCr 'DownloadFolder'.");
  EXPECT_EQ(box.owner, nullptr);
}

TEST(ErrorWithoutApplication, ShowsNothingForAnErrorOfNoKnownKind) {
  BoxAnswerer answerer(GetCurrentThreadId());
  classlib::win::ShowErrorWithoutApplication(std::make_exception_ptr(42));
  EXPECT_FALSE(answerer.Seen().seen);
}

// A window procedure hook of this thread that refuses to make any dialog window, as the system
// does when it has no resources left for one; it notes the owner each was asked for with.
class DialogRefusal {
public:
  DialogRefusal() {
    owner_ = nullptr;
    hook_ = SetWindowsHookExA(WH_CBT, &DialogRefusal::Hook, nullptr, GetCurrentThreadId());
  }
  ~DialogRefusal() { UnhookWindowsHookEx(hook_); }
  DialogRefusal(const DialogRefusal&) = delete;
  DialogRefusal& operator=(const DialogRefusal&) = delete;
  bool Installed() const { return hook_ != nullptr; }
  static HWND Owner() { return owner_; }

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
      // The dialog class is the atom 32770, or its name.
      const bool dialog = reinterpret_cast<ULONG_PTR>(create->lpszClass) == 32770 ||
                          (!IS_INTRESOURCE(create->lpszClass) && lstrcmpA(create->lpszClass, "#32770") == 0);
      if (dialog) {
        owner_ = create->hwndParent;
        return 1;
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline HWND owner_ = nullptr;
  HHOOK hook_ = nullptr;
};

TEST(MessageBoxService, AnswersZeroAndGivesTheWindowsBackWhenNoBoxCanBeShown) {
  TApplication application;
  TForm form(application, "TModalTestForm");
  form.Show();
  const HWND formWindow = classlib::win::FormWindow(form);
  const HWND applicationWindow = classlib::win::ApplicationWindow();
  SetForegroundWindow(formWindow);
  SetActiveWindow(formWindow);
  ASSERT_EQ(GetActiveWindow(), formWindow);

  DialogRefusal refusal;
  ASSERT_TRUE(refusal.Installed());
  EXPECT_EQ(application.ShowMessageBox("text", "caption", MB_OKCANCEL | MB_ICONINFORMATION), 0);
  EXPECT_EQ(DialogRefusal::Owner(), applicationWindow) << "the box is asked for owned by the application window";
  EXPECT_TRUE(IsWindowEnabled(formWindow));
  EXPECT_TRUE(IsWindowEnabled(applicationWindow));
  EXPECT_EQ(GetActiveWindow(), formWindow);
}

// The homepage link's cursor is the class library's own cursor resource, which every program of
// the library carries (tavelin.exe as this one); a label without a cursor of its own keeps the
// form's.
TEST(LinkCursor, IsTheLibrarysOwnCursorResourceOverTheLinkOnly) {
  const HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), "MULTIDRAG");
  ASSERT_NE(own, nullptr) << "the program carries the cursor";

  TApplication application;
  TForm form(application, "TCursorTestForm");
  ControlSettings link;
  link.bounds = {8, 8, 100, 13};
  link.caption = "Homepage";
  link.cursor = TCursor::crMultiDrag;
  ControlSettings plain;
  plain.bounds = {8, 30, 100, 13};
  plain.caption = "Maker";
  const HWND linkWindow = classlib::win::ControlWindow(*form.AddControl(std::make_unique<TLabel>(form, link)));
  const HWND plainWindow = classlib::win::ControlWindow(*form.AddControl(std::make_unique<TLabel>(form, plain)));
  form.Show();
  const HWND formWindow = classlib::win::FormWindow(form);

  // What the system sends the form when the pointer moves over one of its labels.
  const auto pointerOver = [formWindow](HWND label) {
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */));
    SendMessageA(formWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(label), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(pointerOver(linkWindow), own);
  EXPECT_NE(pointerOver(plainWindow), own);
}

}  // namespace
