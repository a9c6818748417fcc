// The Windows side every control shares: its child window, its text and its enabled state.

#include <windows.h>

#include "classlib/controls.h"
#include "classlib/dpi_scaling.h"
#include "classlib/form.h"
#include "classlib/form_win.h"
#include "classlib/sysutils.h"

namespace {
// Child window identifiers start above the dialog manager's IDOK and IDCANCEL, so that Enter
// and Esc can never be taken for a control's click.
constexpr int kFirstControlId = 100;
}  // namespace

TControl::TControl(TForm& parent, ControlSettings settings)
    : parent_(&parent),
      described_(std::move(settings)),
      settings_(classlib::ScaleControlSettings(described_, parent.CurrentPPI(), parent.Settings().pixelsPerInch)),
      impl_(std::make_unique<Impl>()) {}

TControl::~TControl() = default;

void TControl::Impl::Create(TControl& control, const char* windowClass, DWORD style, DWORD exStyle) {
  const TBounds& bounds = control.Bounds();
  const int id = kFirstControlId + control.Parent().ComponentCount();
  if (control.TabOrder() >= 0) style |= WS_TABSTOP;
  window.reset(CreateWindowExA(exStyle, windowClass, control.Settings().caption.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, bounds.left,
                               bounds.top, bounds.width, bounds.height,
                               classlib::win::FormWindow(control.Parent()),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr));
  if (!window) throw EOutOfResources("Fenster kann nicht erzeugt werden");
  if (!control.Settings().parentFont) ownFont = classlib::win::CreateFontFrom(control.Settings().font);
  HFONT font = ownFont ? ownFont.get() : classlib::win::FormFont(control.Parent());
  SendMessageA(window.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

std::string TControl::Text() const {
  HWND window = impl_->window.get();
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TControl::SetText(const std::string& text) {
  if (!SetWindowTextA(impl_->window.get(), text.c_str())) {
    throw EOutOfResources("Text kann nicht gesetzt werden");
  }
}

bool TControl::Enabled() const { return IsWindowEnabled(impl_->window.get()) != FALSE; }

void TControl::SetEnabled(bool enabled) { EnableWindow(impl_->window.get(), enabled ? TRUE : FALSE); }

HWND classlib::win::ControlWindow(const TControl& control) { return control.Platform().window.get(); }

classlib::win::UniqueFont classlib::win::CreateFontFrom(const TFont& font) {
  LOGFONTA description{};
  description.lfHeight = font.height;
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic;
  description.lfUnderline = font.underline;
  description.lfStrikeOut = font.strikeOut;
  description.lfCharSet = static_cast<BYTE>(font.charset);
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH;
  lstrcpynA(description.lfFaceName, font.name.c_str(), LF_FACESIZE);
  return UniqueFont(CreateFontIndirectA(&description));
}

COLORREF classlib::win::ColorRef(TColor color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}
