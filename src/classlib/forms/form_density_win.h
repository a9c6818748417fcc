#pragma once
// Screen density on Windows: the density of the screen a window is on, a form's outer size at
// that density, and the relayout when the window moves to a screen of another density. The
// functions that tell a window's density and frame came with later versions of Windows (and of
// Wine): they are looked up in user32 at run time, with the system's density where they are
// missing.

#include <windows.h>

#include "classlib/controls/controls.h"

class TForm;

namespace classlib::win {

// The pixels per inch of the screen `window` is on.
int WindowPixelsPerInch(HWND window);

// The outer rectangle of `form`'s window at the form's current density: the description's place
// and client area scaled, inside the system's frame at that density.
TBounds FormWindowBounds(const TForm& form, HWND window);

// WM_DPICHANGED: the window takes the rectangle the system suggests, and the form lays its
// controls out at the new density.
void ChangeFormDensity(TForm& form, HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace classlib::win
