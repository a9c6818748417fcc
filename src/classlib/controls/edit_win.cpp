#include <windows.h>

#include "classlib/forms/form_win.h"
#include "classlib/controls/stdctrls.h"

TEdit::TEdit(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // A read-only edit still takes the focus and lets its text be selected and copied.
  DWORD style = ES_LEFT | ES_AUTOHSCROLL;
  if (ReadOnly()) style |= ES_READONLY;
  Platform().Create(*this, "EDIT", style, WS_EX_CLIENTEDGE);
}
