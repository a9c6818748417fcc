#include "classlib/core/system_library_win.h"

#include <string>

namespace classlib::win {

FARPROC SystemFunction(const char* dll, const char* function) {
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder, length) + "\\" + dll;
  HMODULE module = LoadLibraryA(path.c_str());
  return module ? GetProcAddress(module, function) : nullptr;
}

}  // namespace classlib::win
