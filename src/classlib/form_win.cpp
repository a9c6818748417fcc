// A form on Windows: an overlapped window owned by the application window. Its window procedure
// turns the controls' notifications into their events (inside the application's guard), keeps
// the focus across activations, colours the labels, and scrolls the controls when the window is
// smaller than they need.

#include <windows.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "classlib/application.h"
#include "classlib/dpi_win.h"
#include "classlib/form.h"
#include "classlib/form_win.h"

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

TControl* ControlOf(const TForm& form, HWND child) {
  if (!child) return nullptr;
  for (TControl* control : form.Controls()) {
    if (classlib::win::ControlWindow(*control) == child) return control;
  }
  return nullptr;
}

bool IsPushButton(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, "Button") != 0) return false;
  const auto type = GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool IsEditWindow(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpiA(name, "Edit") == 0;
}

HCURSOR CursorFor(TCursor cursor) {
  switch (cursor) {
    case TCursor::crMultiDrag: {
      // The class library's own cursor (classlib.rc); the pointing hand should it be missing.
      static HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), "MULTIDRAG");
      return own ? own : LoadCursorA(nullptr, MAKEINTRESOURCEA(32649) /* IDC_HAND */);
    }
    case TCursor::crHandPoint:
      return LoadCursorA(nullptr, MAKEINTRESOURCEA(32649) /* IDC_HAND */);
    case TCursor::crArrow:
    case TCursor::crDefault:
      break;
  }
  return LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
}

}  // namespace

struct TForm::Impl {
  classlib::win::UniqueWindow window;
  classlib::win::UniqueFont font;
  HWND savedFocus = nullptr;  // the control that had the focus when the form was deactivated
  POINT scroll{0, 0};         // how far the controls are scrolled

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
  if (!impl_->window) throw EOutOfResources("Fenster kann nicht erzeugt werden");
  SetScale(classlib::win::WindowPixelsPerInch(impl_->window.get()));
  impl_->font = classlib::win::CreateFontFrom(Font());
}

TForm::~TForm() {
  // Controls first: their windows are children of the form's window.
  DestroyComponents();
  controls_.clear();
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
  for (TControl* control : controls_) control->Platform().Rescale(*control, impl_->font.get());
  impl_->UpdateScrollBars(*this);
  RedrawWindow(impl_->window.get(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

std::string TForm::Caption() const {
  HWND window = impl_->window.get();
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

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
  SetWindowPos(classlib::win::ControlWindow(control),
               predecessor ? classlib::win::ControlWindow(*predecessor) : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  impl_->UpdateScrollBars(*this);
}

HWND classlib::win::FormWindow(const TForm& form) { return form.Platform().window.get(); }

HFONT classlib::win::FormFont(const TForm& form) { return form.Platform().font.get(); }

bool classlib::win::IsFormWindow(HWND window) {
  return GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&FormWindowProc);
}

void classlib::win::MinimizeTool() {
  if (Application && Application->MainForm()) {
    ShowWindow(FormWindow(*Application->MainForm()), SW_HIDE);
  }
  ShowWindow(ApplicationWindow(), SW_MINIMIZE);
}

void classlib::win::RestoreTool() {
  ShowWindow(ApplicationWindow(), SW_RESTORE);
  if (Application && Application->MainForm()) {
    HWND main = FormWindow(*Application->MainForm());
    ShowWindow(main, SW_SHOW);
    SetActiveWindow(main);
  }
}

// Enter on a focused push button presses it; the dialog manager does the rest (Tab, Alt+key).
// Enter elsewhere and Esc reach the form as IDOK and IDCANCEL, which it ignores: the form has
// neither a default nor a cancel button.
bool classlib::win::TranslateFormMessage(HWND form, MSG& message) {
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

namespace {

LRESULT HandleFormMessage(TForm& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TForm::Impl& impl = form.Platform();
  switch (message) {
    case WM_CLOSE:
      Application->Guard([&form] { form.Close(); });
      return 0;

    case WM_COMMAND: {
      const auto code = HIWORD(wParam);
      TControl* control = ControlOf(form, reinterpret_cast<HWND>(lParam));
      if (control && (code == BN_CLICKED || code == STN_CLICKED) && control->Enabled()) {
        Application->Guard([control] { control->Click(); });
      }
      return 0;  // IDOK and IDCANCEL from the dialog manager end here too
    }

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
      if ((wParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == &form) {
        classlib::win::MinimizeTool();
        return 0;
      }
      break;

    case WM_SETCURSOR: {
      const TControl* control = ControlOf(form, reinterpret_cast<HWND>(wParam));
      if (control && control->Cursor() != TCursor::crDefault && LOWORD(lParam) == HTCLIENT) {
        SetCursor(CursorFor(control->Cursor()));
        return TRUE;
      }
      break;
    }

    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      HWND child = reinterpret_cast<HWND>(lParam);
      if (IsEditWindow(child)) {
        // A read-only edit keeps the look of an edit.
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      const TControl* control = ControlOf(form, child);
      SetTextColor(dc, classlib::win::ColorRef(control ? control->Font().color : clWindowText));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }

    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_STATIC) {
        // The sunken frame: shadow at the top and left, highlight at the bottom and right.
        RECT rect = item->rcItem;
        FillRect(item->hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(item->hDC, &rect, BDR_SUNKENOUTER, BF_RECT);
        return TRUE;
      }
      break;
    }

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
