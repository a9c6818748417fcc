// The Windows side every control shares: its child window, its text, its enabled state, and the
// answers every control gives alike to the messages its form hands it.

#include "classlib/controls/control_win.h"

#include "classlib/controls/dpi_scaling.h"

#include "classlib/core/errors.h"
#include "classlib/core/graphics_win.h"
#include "classlib/core/messages.h"
#include "classlib/core/window_text_win.h"
#include "classlib/forms/form.h"

namespace {
// Child window identifiers start above the dialog manager's IDOK and IDCANCEL, so that Enter
// and Esc can never be taken for a control's click.
constexpr int kFirstControlId = 100;

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

TControl::TControl(TForm& parent, ControlSettings settings)
    : parent_(&parent),
      described_(std::move(settings)),
      settings_(classlib::ScaleControlSettings(described_, parent.CurrentPPI(), parent.Settings().pixelsPerInch)),
      impl_(std::make_unique<Impl>()) {}

TControl::~TControl() = default;

void TControl::Impl::Create(TControl& control, std::unique_ptr<classlib::win::ControlMessages> answers,
                            const char* windowClass, DWORD style, DWORD exStyle) {
  messages = std::move(answers);
  const TBounds& bounds = control.Bounds();
  const int id = kFirstControlId + control.Parent().ComponentCount();
  if (control.TabOrder() >= 0) style |= WS_TABSTOP;
  window.Attach(control.Parent(), control,
                CreateWindowExA(exStyle, windowClass, control.Settings().caption.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, bounds.left, bounds.top,
                                bounds.width, bounds.height,
                                classlib::win::FormWindow(control.Parent()),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr),
                *messages);
  if (!window) throw EOutOfResources(std::string(classlib::messages::kWindowNotCreated));
  if (!control.Settings().parentFont) ownFont = classlib::win::CreateFontFrom(control.Settings().font);
  HFONT font = ownFont ? ownFont.get() : classlib::win::FormFont(control.Parent());
  SendMessageA(window.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void TControl::Impl::Rescale(TControl& control, HFONT parentFont) {
  // The previous font goes once the control has taken the new one.
  const classlib::win::UniqueFont previous = std::move(ownFont);
  if (!control.Settings().parentFont) ownFont = classlib::win::CreateFontFrom(control.Settings().font);
  const TBounds& bounds = control.Bounds();
  SetWindowPos(window.get(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(window.get(), WM_SETFONT, reinterpret_cast<WPARAM>(ownFont ? ownFont.get() : parentFont), FALSE);
  if (fit) fit();
}

void TControl::ApplyScaleToWindow() { impl_->Rescale(*this, classlib::win::FormFont(Parent())); }

std::string TControl::Text() const { return classlib::win::WindowText(impl_->window.get()); }

void TControl::SetText(const std::string& text) {
  if (!SetWindowTextA(impl_->window.get(), text.c_str())) {
    throw EOutOfResources(std::string(classlib::messages::kTextNotSet));
  }
}

bool TControl::Enabled() const { return IsWindowEnabled(impl_->window.get()) != FALSE; }

void TControl::SetEnabled(bool enabled) { EnableWindow(impl_->window.get(), enabled ? TRUE : FALSE); }

HWND classlib::win::ControlWindow(const TControl& control) { return control.Platform().window.get(); }

namespace classlib::win {

std::optional<LRESULT> ControlMessages::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // A notification of the control's window.
      if (clickCode_ && HIWORD(wParam) == *clickCode_ && control_.Enabled()) control_.Click();
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (const auto brush = OnColor(message, reinterpret_cast<HDC>(wParam))) {
        return reinterpret_cast<LRESULT>(*brush);
      }
      return std::nullopt;
    case WM_DRAWITEM:
      if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      return std::nullopt;
    case WM_SETCURSOR:
      if (control_.Cursor() != TCursor::crDefault && LOWORD(lParam) == HTCLIENT) {
        SetCursor(CursorFor(control_.Cursor()));
        return TRUE;
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<HBRUSH> ControlMessages::OnColor(UINT message, HDC dc) {
  if (message != WM_CTLCOLORSTATIC) return std::nullopt;
  SetTextColor(dc, ColorRef(control_.Font().color));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace classlib::win
