#include <windows.h>
#include <shellapi.h>

#include "classlib/form_win.h"
#include "classlib/shell.h"

void classlib::ShellOpen(const TForm& owner, const std::string& verb, const std::string& file,
                            int show) {
  (void)ShellExecuteA(win::FormWindow(owner), verb.c_str(), file.c_str(), nullptr, nullptr, show);
}
