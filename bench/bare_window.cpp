// A reference for start-up: the tool's main window made with bare API calls: the same controls
// of the same classes, styles, places and font, the list filled from the client's key, then
// shown. What it costs over the floor's empty window is what the platform charges for those
// controls; what the tool costs over it is the tool's own.

#include <windows.h>

#include "bare_program.h"

#include "bare_list.h"

namespace {

struct Control {
  const char* windowClass;
  const char* text;
  DWORD style;
  DWORD exStyle;
  int left, top, width, height;
};

// From the main window's description, in the order it makes them. Labels at their text's size.
constexpr Control kControls[] = {
    {"STATIC", "Connection for resume:", SS_LEFT | SS_NOTIFY, 0, 12, 56, 109, 13},
    {"STATIC", "Unfinished download file:", SS_LEFT | SS_NOTIFY, 0, 12, 12, 118, 13},
    {"STATIC", "Homepage: example.org/tavelin", SS_LEFT | SS_NOTIFY, 0, 132, 184, 151, 13},
    {"STATIC", "", SS_BITMAP, 0, 8, 144, 119, 52},
    {"STATIC", "", SS_ETCHEDFRAME, 0, 4, 4, 609, 133},
    {"STATIC", "Kestrel Bay Software", SS_LEFT | SS_NOTIFY, 0, 132, 144, 98, 13},
    {"STATIC", "Mira Holt (mira.holt@example.org)", SS_LEFT | SS_NOTIFY, 0, 132, 160, 158, 13},
    // The list: its window includes the opened list of 8 items.
    {"COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_DROPDOWNLIST, 0, 12, 72, 509, 21 + 8 * 13 + 2},
    {"BUTTON", "&Refresh", WS_TABSTOP | BS_PUSHBUTTON, 0, 528, 72, 75, 25},
    {"EDIT", "", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, 12, 28, 509, 21},
    {"BUTTON", "&Select file...", WS_TABSTOP | BS_PUSHBUTTON, 0, 528, 28, 75, 25},
    {"BUTTON", "Resume damaged file on new connection", WS_TABSTOP | BS_PUSHBUTTON, 0, 12, 104, 221, 25},
    {"BUTTON", "&Exit", WS_TABSTOP | BS_PUSHBUTTON, 0, 532, 168, 75, 25},
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (!bench::RegisterBareClass(instance, "TavelinBareWindow", bench::QuitOnDestroy)) return 1;
  HWND window = CreateWindowExA(0, "TavelinBareWindow", "Tavelin", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 47, 80,
                                624, 227, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  LOGFONTA description{};
  description.lfHeight = -11;
  description.lfWeight = FW_NORMAL;
  lstrcpynA(description.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&description);
  HWND list = nullptr;
  int id = 100;
  for (const Control& control : kControls) {
    HWND child = CreateWindowExA(control.exStyle, control.windowClass, control.text,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | control.style, control.left, control.top,
                                 control.width, control.height, window, reinterpret_cast<HMENU>(INT_PTR{id++}),
                                 instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (lstrcmpA(control.windowClass, "COMBOBOX") == 0) list = child;
  }
  if (!list) return 1;
  bench::FillFromDownloadList(list);
  SendMessageA(list, CB_SETCURSEL, 0, 0);
  return bench::ShowAndRun(window, show);
}
