#include <windows.h>

#include "classlib/controls/extctrls.h"
#include "classlib/forms/form_win.h"

TBevel::TBevel(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // The form draws the frame (WM_DRAWITEM); it lies below every other control.
  Platform().Create(*this, "STATIC", SS_OWNERDRAW);
}
