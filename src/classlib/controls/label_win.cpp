#include <windows.h>

#include "classlib/controls/control_win.h"
#include "classlib/controls/stdctrls.h"

namespace {

// The size of `text` in `font` as one label line draws it.
SIZE MeasureText(HWND window, HFONT font, const std::string& text) {
  HDC dc = GetDC(window);
  HGDIOBJ previous = SelectObject(dc, font);
  RECT rect{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_EXPANDTABS | DT_NOCLIP | DT_LEFT);
  if (text.empty()) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    rect.bottom = metrics.tmHeight;
  }
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

TLabel::TLabel(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // SS_NOTIFY: a label reports clicks (the homepage link) and asks for its cursor.
  // A label is opaque: its text in its font's colour on the face colour, as every control's.
  Platform().Create(*this, std::make_unique<classlib::win::ControlMessages>(*this, STN_CLICKED), "STATIC",
                    SS_LEFT | SS_NOTIFY);
  // At every density the label takes the size of its text in its font.
  Platform().fit = [this, &parent] {
    if (!Settings().autoSize) return;
    HWND window = classlib::win::ControlWindow(*this);
    HFONT font = Platform().ownFont ? Platform().ownFont.get() : classlib::win::FormFont(parent);
    const SIZE size = MeasureText(window, font, Settings().caption);
    SetMeasuredSize(size.cx, size.cy);
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  Platform().fit();
}
