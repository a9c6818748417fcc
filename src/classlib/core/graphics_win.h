#pragma once
// Colours and fonts as the window description names them (graphics.h), made Windows objects.

#include <windows.h>

#include "classlib/core/graphics.h"
#include "classlib/core/handles_win.h"

namespace classlib::win {

UniqueFont CreateFontFrom(const TFont& font);
COLORREF ColorRef(TColor color);

}  // namespace classlib::win
