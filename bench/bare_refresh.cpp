// The floor of a refresh: a window with a drop-down list and a Refresh button that fills the
// list with the bare API calls (bare_list.h). The list is filled once before the window is
// shown, as the tool fills its own.

#include <windows.h>

#include "bare_program.h"

#include "bare_list.h"

namespace {

constexpr int kListId = 1;
constexpr int kRefreshId = 2;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kRefreshId && HIWORD(wParam) == BN_CLICKED) {
        bench::FillFromDownloadList(GetDlgItem(window, kListId));
        return 0;
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (!bench::RegisterBareClass(instance, "TavelinBareRefresh", WindowProc)) return 1;
  HWND window = CreateWindowExA(0, "TavelinBareRefresh", "Bare refresh", WS_OVERLAPPEDWINDOW, 47, 80, 624, 227,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  // Sized as the tool's list: a 21-pixel box whose opened list shows 8 items.
  HWND list = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 12, 72,
                              509, 21 + 8 * 13 + 2, window, reinterpret_cast<HMENU>(kListId), instance, nullptr);
  CreateWindowExA(0, "BUTTON", "Refresh", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 528, 72, 75, 25, window,
                  reinterpret_cast<HMENU>(kRefreshId), instance, nullptr);
  if (!list) return 1;
  bench::FillFromDownloadList(list);
  return bench::ShowAndRun(window, show);
}
