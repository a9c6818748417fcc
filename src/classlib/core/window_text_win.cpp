#include "classlib/core/window_text_win.h"

namespace classlib::win {

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace classlib::win
