#pragma once
// The text of a window (a form's caption, a control's text) as the A functions give it.

#include <windows.h>

#include <string>

namespace classlib::win {

std::string WindowText(HWND window);

}  // namespace classlib::win
