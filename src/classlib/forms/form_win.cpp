// A form on Windows: an overlapped window owned by the application window. Its window procedure
// hands the controls the messages about their windows (inside the guard of the procedure),
// keeps the focus across activations, and scrolls the controls when the window is smaller than
// they need. Its message filter gives the loop's messages to the dialog manager while it is the
// active window.

#include <windows.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "classlib/application/application.h"
#include "classlib/application/application_win.h"
#include "classlib/core/errors.h"
#include "classlib/core/graphics_win.h"
#include "classlib/core/messages.h"
#include "classlib/core/window_text_win.h"
#include "classlib/forms/form.h"
#include "classlib/forms/form_density_win.h"
#include "classlib/forms/form_window_win.h"

namespace {

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void RegisterFormClass(const std::string& className) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, className.c_str(), &existing)) return;

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = FormWindowProc;
  windowClass.hInstance = instance;
  // No icon of its own: the title bar shows the application's icon.
  windowClass.hIcon = classlib::win::ApplicationIcon();
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className.c_str();
  RegisterClassExA(&windowClass);
}

TForm* FormOf(HWND window) {
  return reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Whether a window is a push button, by its answer to the dialog manager's question
// (WM_GETDLGCODE) rather than by the name of its class.
bool IsPushButton(HWND window) {
  const auto code = SendMessageA(window, WM_GETDLGCODE, 0, 0);
  return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

}  // namespace

struct TForm::Impl final : classlib::win::MessageFilter {
  // A control's window as the form knows it: for the tab order and for message reflection.
  struct Child {
    const TControl* control;
    HWND window;
    classlib::win::ReflectedMessages* messages;
  };

  classlib::win::UniqueWindow window;
  classlib::win::UniqueFont font;
  // After the window: it is dropped before the window is destroyed.
  std::optional<classlib::win::FormWindowRegistration> registration;
  std::vector<Child> children;
  HWND savedFocus = nullptr;  // the control that had the focus when the form was deactivated
  POINT scroll{0, 0};         // how far the controls are scrolled

  // Enter on a focused push button presses it; the dialog manager does the rest (Tab, Alt+key).
  // Enter elsewhere and Esc reach the form as IDOK and IDCANCEL, which it ignores: the form has
  // neither a default nor a cancel button. Only while the form is the active window.
  bool PreTranslateMessage(MSG& message) override;

  HWND WindowOf(const TControl& control) const {
    for (const Child& child : children) {
      if (child.control == &control) return child.window;
    }
    return nullptr;
  }

  // What the control whose window is `child` answers to the message; empty when the window is
  // none of the form's controls, or the control leaves the message to the form.
  std::optional<LRESULT> Reflect(HWND child, UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!child) return std::nullopt;
    for (const Child& each : children) {
      if (each.window == child) return each.messages->OnReflectedMessage(message, wParam, lParam);
    }
    return std::nullopt;
  }

  // The area the controls cover, from the client area's origin.
  SIZE Extent(const TForm& form) const {
    SIZE extent{0, 0};
    for (const TControl* control : form.Controls()) {
      extent.cx = std::max<LONG>(extent.cx, control->Bounds().Right());
      extent.cy = std::max<LONG>(extent.cy, control->Bounds().Bottom());
    }
    return extent;
  }

  void UpdateScrollBars(const TForm& form);
  void ScrollTo(int bar, int position);
  void OnScroll(int bar, WPARAM request);
};

bool TForm::Impl::PreTranslateMessage(MSG& message) {
  HWND form = window.get();
  if (!form || GetActiveWindow() != form) return false;
  // Alt+F4 closes the form wherever the focus is; Wine's combo box swallows it otherwise.
  if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4 &&
      (message.hwnd == form || IsChild(form, message.hwnd))) {
    SendMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && IsChild(form, message.hwnd) &&
      IsPushButton(message.hwnd)) {
    SendMessageA(message.hwnd, BM_CLICK, 0, 0);
    return true;
  }
  return IsDialogMessageA(form, &message) != FALSE;
}

void TForm::Impl::UpdateScrollBars(const TForm& form) {
  const SIZE extent = Extent(form);
  // Showing one bar shrinks the client area and may call for the other: settle in two rounds.
  for (int round = 0; round < 2; ++round) {
    RECT client;
    GetClientRect(window.get(), &client);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = extent.cx - 1;
    info.nPage = static_cast<UINT>(std::max<LONG>(client.right, 0));
    SetScrollInfo(window.get(), SB_HORZ, &info, TRUE);
    info.nMax = extent.cy - 1;
    info.nPage = static_cast<UINT>(std::max<LONG>(client.bottom, 0));
    SetScrollInfo(window.get(), SB_VERT, &info, TRUE);
  }
  // A larger window may leave the controls scrolled further than needed: bring them back.
  for (int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(window.get(), bar, &info);
    ScrollTo(bar, info.nPos);
  }
}

void TForm::Impl::ScrollTo(int bar, int position) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  info.nPos = position;
  SetScrollInfo(window.get(), bar, &info, TRUE);
  GetScrollInfo(window.get(), bar, &info);  // the position the bar settled at
  LONG& current = bar == SB_HORZ ? scroll.x : scroll.y;
  const int delta = current - info.nPos;
  if (delta == 0) return;
  current = info.nPos;
  ScrollWindowEx(window.get(), bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr,
                 nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

void TForm::Impl::OnScroll(int bar, WPARAM request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(window.get(), bar, &info);
  int position = info.nPos;
  switch (LOWORD(request)) {
    case SB_LINEUP: position -= 8; break;
    case SB_LINEDOWN: position += 8; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
  }
  ScrollTo(bar, position);
}

TForm::TForm(TComponent& owner, std::string className)
    : className_(std::move(className)), impl_(std::make_unique<Impl>()) {
  (void)owner;  // the owner inserts the form; the native owner is the application window
  RegisterFormClass(className_);
  impl_->window.reset(CreateWindowExA(
      0, className_.c_str(), "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, settings_.bounds.left,
      settings_.bounds.top, settings_.bounds.width, settings_.bounds.height,
      classlib::win::ApplicationWindow(), nullptr, GetModuleHandleA(nullptr), this));
  if (!impl_->window) throw EOutOfResources(std::string(classlib::messages::kWindowNotCreated));
  SetScale(classlib::win::WindowPixelsPerInch(impl_->window.get()));
  impl_->font = classlib::win::CreateFontFrom(Font());
  impl_->registration.emplace(*this, impl_->window.get(), *impl_);
}

TForm::~TForm() {
  // Controls first: their windows are children of the form's window.
  DestroyComponents();
  controls_.clear();
  impl_->registration.reset();
  impl_->window.reset();
}

void TForm::ApplySettings(FormSettings settings) {
  settings_ = std::move(settings);
  HWND window = impl_->window.get();
  SetWindowTextA(window, settings_.caption.c_str());
  SetScale(classlib::win::WindowPixelsPerInch(window));
  const TBounds bounds = classlib::win::FormWindowBounds(*this, window);
  SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
  impl_->font = classlib::win::CreateFontFrom(Font());
}

void TForm::ScaleNative() {
  // Controls are placed from the client area's origin: scrolled back to it first.
  impl_->ScrollTo(SB_HORZ, 0);
  impl_->ScrollTo(SB_VERT, 0);
  // The previous font goes once no control uses it.
  const classlib::win::UniqueFont previous = std::move(impl_->font);
  impl_->font = classlib::win::CreateFontFrom(Font());
  for (TControl* control : controls_) control->ApplyScaleToWindow();
  impl_->UpdateScrollBars(*this);
  RedrawWindow(impl_->window.get(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

std::string TForm::Caption() const { return classlib::win::WindowText(impl_->window.get()); }

TBounds TForm::BoundsRect() const {
  RECT rect{};
  GetWindowRect(impl_->window.get(), &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

bool TForm::Visible() const { return IsWindowVisible(impl_->window.get()) != FALSE; }

void TForm::ShowNative() {
  ShowWindow(impl_->window.get(), SW_SHOWNORMAL);
  UpdateWindow(impl_->window.get());
}

void TForm::HideNative() { ShowWindow(impl_->window.get(), SW_HIDE); }

void TForm::ControlAdded(TControl& control) {
  // The dialog manager walks the children in z-order: the controls that take the focus on top,
  // in their tab order, and the rest below them in the order they were made. The controls made
  // before are in that order already, so only the new one moves: behind the last of them that
  // comes before it. (Ordering them all again for each new one cost a form of n controls n*n
  // window moves at start-up.)
  const auto rank = [](const TControl& each) { return each.TabOrder() < 0 ? INT_MAX : each.TabOrder(); };
  const TControl* predecessor = nullptr;
  for (const TControl* each : controls_) {
    if (each == &control || rank(*each) > rank(control)) continue;
    if (!predecessor || rank(*each) >= rank(*predecessor)) predecessor = each;
  }
  SetWindowPos(impl_->WindowOf(control), predecessor ? impl_->WindowOf(*predecessor) : HWND_TOP, 0, 0,
               0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  impl_->UpdateScrollBars(*this);
}

HWND classlib::win::FormWindow(const TForm& form) { return form.Platform().window.get(); }

HFONT classlib::win::FormFont(const TForm& form) { return form.Platform().font.get(); }

void classlib::win::ChildWindow::Attach(const TForm& form, const TControl& control, HWND window,
                                        ReflectedMessages& messages) {
  Reset();
  window_.reset(window);
  if (!window) return;
  form_ = &form;
  form.Platform().children.push_back({&control, window, &messages});
}

void classlib::win::ChildWindow::Reset() {
  if (form_) {
    std::erase_if(form_->Platform().children,
                  [this](const TForm::Impl::Child& child) { return child.window == window_.get(); });
    form_ = nullptr;
  }
  window_.reset();
}

namespace {

LRESULT HandleFormMessage(TForm& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TForm::Impl& impl = form.Platform();
  switch (message) {
    case WM_CLOSE:
      Application->Guard([&form] { form.Close(); });
      return 0;

    // What Windows tells the form about a control's window goes to that control.
    case WM_COMMAND:
      (void)impl.Reflect(reinterpret_cast<HWND>(lParam), message, wParam, lParam);
      return 0;  // IDOK and IDCANCEL from the dialog manager end here too
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (const auto result = impl.Reflect(reinterpret_cast<HWND>(lParam), message, wParam, lParam)) {
        return *result;
      }
      break;
    case WM_DRAWITEM:
      if (const auto result = impl.Reflect(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem,
                                           message, wParam, lParam)) {
        return *result;
      }
      break;
    case WM_SETCURSOR:
      if (const auto result = impl.Reflect(reinterpret_cast<HWND>(wParam), message, wParam, lParam)) {
        return *result;
      }
      break;

    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) impl.savedFocus = focus;
      } else if (!HIWORD(wParam)) {
        HWND target = impl.savedFocus && IsWindow(impl.savedFocus)
                          ? impl.savedFocus
                          : GetNextDlgTabItem(window, nullptr, FALSE);
        if (target) {
          SetFocus(target);
          return 0;
        }
      }
      break;

    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && Application->MainForm() == &form) {
        classlib::win::MinimizeTool();
        return 0;
      }
      break;

    case WM_SIZE:
      impl.UpdateScrollBars(form);
      break;
    case WM_DPICHANGED:
      classlib::win::ChangeFormDensity(form, window, wParam, lParam);
      return 0;
    case WM_HSCROLL:
      impl.OnScroll(SB_HORZ, wParam);
      return 0;
    case WM_VSCROLL:
      impl.OnScroll(SB_VERT, wParam);
      return 0;

    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  }
  TForm* form = FormOf(window);
  // Before WM_NCCREATE and while the form object is being made, the window is not ours yet.
  if (!form || !Application || form->Platform().window.get() != window) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  try {
    result = HandleFormMessage(*form, window, message, wParam, lParam);
  } catch (...) {
    // No C++ error may unwind through user32's frames.
    Application->HandleException(std::current_exception());
  }
  return result;
}

}  // namespace
