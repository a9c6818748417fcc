#include <windows.h>

#include "classlib/controls/control_win.h"
#include "classlib/controls/stdctrls.h"

TButton::TButton(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // A plain push button: the form has no default button.
  Platform().Create(*this, std::make_unique<classlib::win::ControlMessages>(*this, BN_CLICKED), "BUTTON",
                    BS_PUSHBUTTON);
}
