#pragma once
// Functions of system DLLs that only a command needs (the file dialog, the shell), loaded when
// first called rather than at every start: under Wine each such DLL and what it brings with it
// cost a noticeable part of the start-up.

#include <windows.h>

namespace classlib::win {

// The address of `function` in `dll`, taken from the system folder only, so that no DLL of that
// name beside the exe is loaded instead; null when either cannot be found. The DLL stays loaded.
FARPROC SystemFunction(const char* dll, const char* function);

}  // namespace classlib::win
