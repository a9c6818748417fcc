#include <windows.h>

#include "classlib/forms/form_win.h"
#include "classlib/controls/stdctrls.h"

TButton::TButton(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // A plain push button: the form has no default button.
  Platform().Create(*this, "BUTTON", BS_PUSHBUTTON);
}
