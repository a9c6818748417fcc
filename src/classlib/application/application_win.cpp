// The application object on Windows: an application window that stands for the tool on the
// taskbar and owns every other window of it, the message loop, and the modal message box.

#include <windows.h>

#include <vector>

#include "classlib/application/application.h"
#include "classlib/application/application_win.h"
#include "classlib/application/modal_win.h"
#include "classlib/core/handles_win.h"
#include "classlib/forms/form.h"

namespace {

constexpr char kWindowClass[] = "TApplication";

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

std::string ExecutablePath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return std::string(path.data(), length);
    path.resize(path.size() * 2);
  }
}

// Lower case in the ANSI code page the process runs in: the one its file name is given in.
char LowerInAnsiCodePage(char c) {
  CharLowerBuffA(&c, 1);
  return c;
}

std::string TitleOfThisExecutable() { return ApplicationTitleFromPath(ExecutablePath(), LowerInAnsiCodePage); }

}  // namespace

struct TApplication::Impl {
  // A form's window, as the form registered it.
  struct FormWindow {
    const TForm* form;
    HWND window;
  };

  HICON icon = nullptr;  // a resource icon: shared, never destroyed
  classlib::win::UniqueWindow window;
  classlib::win::MessageLoop loop;
  std::vector<FormWindow> formWindows;

  // The window of `form`; null when it has none registered.
  HWND WindowOf(const TForm* form) const {
    for (const FormWindow& each : formWindows) {
      if (form && each.form == form) return each.window;
    }
    return nullptr;
  }
};

TApplication::TApplication() : impl_(std::make_unique<Impl>()) {
  title_ = TitleOfThisExecutable();

  HINSTANCE instance = GetModuleHandleA(nullptr);
  impl_->icon = LoadIconA(instance, "MAINICON");
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ApplicationWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = impl_->icon;
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);

  // A window of no size: it is never seen, but it is the tool's taskbar entry, labelled with
  // the title, and the owner of the main window and of every box.
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
  impl_->window.reset(CreateWindowExA(0, kWindowClass, title_.c_str(),
                                      WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU |
                                          WS_MINIMIZEBOX,
                                      x, y, 0, 0, nullptr, nullptr, instance, nullptr));
  if (impl_->window) {
    SendMessageA(impl_->window.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(impl_->icon));
    ShowWindow(impl_->window.get(), SW_SHOWNOACTIVATE);
  }
  // Only an object made whole is the application object: should making it fail, the entry
  // point reports that without one.
  Application = this;
}

TApplication::~TApplication() {
  // The forms go first: their windows are owned by the application window.
  DestroyComponents();
  impl_->window.reset();
  if (Application == this) Application = nullptr;
}

HWND classlib::win::ApplicationWindow() {
  return Application ? Application->Platform().window.get() : nullptr;
}

HICON classlib::win::ApplicationIcon() { return Application ? Application->Platform().icon : nullptr; }

classlib::win::FormWindowRegistration::FormWindowRegistration(const TForm& form, HWND window,
                                                              MessageFilter& filter)
    : application_(Application), form_(form), filter_(filter) {
  if (!application_) return;
  application_->Platform().formWindows.push_back({&form_, window});
  application_->Platform().loop.AddFilter(filter_);
}

classlib::win::FormWindowRegistration::~FormWindowRegistration() {
  // An application object made after this registration is not the one that holds it.
  if (!application_ || Application != application_) return;
  std::erase_if(application_->Platform().formWindows,
                [this](const TApplication::Impl::FormWindow& each) { return each.form == &form_; });
  application_->Platform().loop.RemoveFilter(filter_);
}

void classlib::win::MinimizeTool() {
  if (!Application) return;
  if (HWND main = Application->Platform().WindowOf(Application->MainForm())) ShowWindow(main, SW_HIDE);
  ShowWindow(ApplicationWindow(), SW_MINIMIZE);
}

namespace {

// Restoring the taskbar entry shows the main form's window again and activates it.
void RestoreTool() {
  ShowWindow(classlib::win::ApplicationWindow(), SW_RESTORE);
  if (HWND main = Application->Platform().WindowOf(Application->MainForm())) {
    ShowWindow(main, SW_SHOW);
    SetActiveWindow(main);
  }
}

}  // namespace

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  impl_->loop.Run();
  terminated_ = true;
}

void TApplication::Terminate() { PostQuitMessage(0); }

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  classlib::win::ModalScope modal(impl_->window.get());
  const int answer = MessageBoxA(impl_->window.get(), text.c_str(), caption.c_str(), flags);
  // Windows answers 0 when it cannot show the box; Wine answers -1 when the box's window
  // cannot be made. Either way no button was chosen.
  return answer > 0 ? answer : 0;
}

void classlib::win::ShowErrorWithoutApplication(std::exception_ptr error) noexcept {
  try {
    const std::string text = ErrorBoxText(ReportedError(error));
    const std::string caption = TitleOfThisExecutable();
    (void)MessageBoxA(nullptr, text.c_str(), caption.c_str(), classlib::mb::kOk | classlib::mb::kIconStop);
  } catch (...) {
    // An error of no known kind, or no memory even for the box's text: no one left to tell.
  }
}

namespace {

void CloseMainForm() {
  if (Application && Application->MainForm()) {
    Application->Guard([] { Application->MainForm()->Close(); });
  }
}

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      // The taskbar entry's commands act on the tool as a whole.
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          CloseMainForm();
          return 0;
        case SC_MINIMIZE:
          classlib::win::MinimizeTool();
          return 0;
        case SC_RESTORE:
          if (Application) RestoreTool();
          return 0;
        default:
          break;
      }
      break;
    case WM_ACTIVATE:
      // Activating the taskbar entry activates the main window.
      if (LOWORD(wParam) != WA_INACTIVE && Application && Application->MainForm() &&
          Application->MainForm()->Visible()) {
        SetActiveWindow(Application->Platform().WindowOf(Application->MainForm()));
        return 0;
      }
      break;
    case WM_CLOSE:
      CloseMainForm();
      return 0;
    case WM_QUERYENDSESSION:
      // Log-off and shut-down: the tool has nothing to save and asks nothing.
      return TRUE;
    case WM_ENDSESSION:
      // Windows may end the process any time after this returns, so the tool ends itself here,
      // with the status the entry point returns. A quit request would come too late, and a
      // message box open now would end with it as if OK had been pressed (so Wine does).
      if (wParam) ExitProcess(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace
