#include <windows.h>

#include "classlib/application/shell.h"
#include "classlib/core/system_library_win.h"
#include "classlib/forms/form_window_win.h"

void classlib::ShellOpen(const TForm& owner, const std::string& verb, const std::string& file,
                         int show) {
  // shell32 is large and only the homepage link needs it: loaded on the first click.
  using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  static const auto shellExecute = reinterpret_cast<ShellExecuteFunction>(
      reinterpret_cast<void*>(win::SystemFunction("shell32.dll", "ShellExecuteA")));
  if (shellExecute) {
    (void)shellExecute(win::FormWindow(owner), verb.c_str(), file.c_str(), nullptr, nullptr, show);
  }
}
