#pragma once
// What every bare benchmark program does around its window: register one plain window class,
// and run the message loop until the window is closed. Nothing more, so that these programs stay
// the floors they stand for.

#include <windows.h>

namespace bench {

// The window procedure of a window that does nothing but end the program when it is closed.
inline LRESULT CALLBACK QuitOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

inline bool RegisterBareClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  return RegisterClassA(&windowClass) != 0;
}

// Shows the window and runs the loop; the window's WM_DESTROY posts the quit request.
inline int ShowAndRun(HWND window, int show) {
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

}  // namespace bench
