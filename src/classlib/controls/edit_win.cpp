#include <windows.h>

#include "classlib/controls/control_win.h"
#include "classlib/controls/stdctrls.h"

namespace {

class EditMessages final : public classlib::win::ControlMessages {
public:
  using ControlMessages::ControlMessages;

private:
  // A read-only edit asks for static colours; it keeps the look of an edit.
  std::optional<HBRUSH> OnColor(UINT message, HDC dc) override {
    if (message != WM_CTLCOLORSTATIC) return std::nullopt;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
  }
};

}  // namespace

TEdit::TEdit(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // A read-only edit still takes the focus and lets its text be selected and copied.
  DWORD style = ES_LEFT | ES_AUTOHSCROLL;
  if (ReadOnly()) style |= ES_READONLY;
  Platform().Create(*this, std::make_unique<EditMessages>(*this), "EDIT", style, WS_EX_CLIENTEDGE);
}
