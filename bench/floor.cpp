// The floor of start-up: the least a Win32 program does to show a window and take input. It
// registers a class, creates and shows one empty window and runs a message loop; closing the
// window ends it.

#include <windows.h>

#include "bare_program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (!bench::RegisterBareClass(instance, "TavelinFloor", bench::QuitOnDestroy)) return 1;
  HWND window = CreateWindowExA(0, "TavelinFloor", "Floor", WS_OVERLAPPEDWINDOW, 47, 80, 624, 227, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  return bench::ShowAndRun(window, show);
}
