// A reference for start-up: the tool's main window made with bare API calls: the same controls
// of the same classes, styles, places and font, the list filled from the client's key, then
// shown. What it costs over the floor's empty window is what the platform charges for those
// controls; what the tool costs over it is the tool's own. Like the tool it carries the tool's
// manifest (the common controls of version 6, aware of the screen's density) and is made at the
// screen's density: places, sizes and font scaled from 96 pixels per inch with MulDiv, the
// client area inside the frame at that density.

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

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

int ScreenDensity() {
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixelsPerInch;
}

// The window's outer size at `pixelsPerInch`: the client area that 624 x 227 leaves inside the
// frame at 96, scaled, inside the frame at that density.
SIZE OuterSize(int pixelsPerInch) {
  if (pixelsPerInch == 96) return {624, 227};
  using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  const auto adjust = reinterpret_cast<Adjust>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
  if (!adjust) return {MulDiv(624, pixelsPerInch, 96), MulDiv(227, pixelsPerInch, 96)};
  RECT at96{0, 0, 0, 0};
  RECT here{0, 0, 0, 0};
  adjust(&at96, kStyle, FALSE, 0, 96);
  adjust(&here, kStyle, FALSE, 0, static_cast<UINT>(pixelsPerInch));
  return {MulDiv(624 - (at96.right - at96.left), pixelsPerInch, 96) + (here.right - here.left),
          MulDiv(227 - (at96.bottom - at96.top), pixelsPerInch, 96) + (here.bottom - here.top)};
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (!bench::RegisterBareClass(instance, "TavelinBareWindow", bench::QuitOnDestroy)) return 1;
  const int dpi = ScreenDensity();
  const auto scale = [dpi](int value) { return MulDiv(value, dpi, 96); };
  const SIZE outer = OuterSize(dpi);
  HWND window = CreateWindowExA(0, "TavelinBareWindow", "Tavelin", kStyle, scale(47), scale(80), outer.cx, outer.cy,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  LOGFONTA description{};
  description.lfHeight = scale(-11);
  description.lfWeight = FW_NORMAL;
  lstrcpynA(description.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&description);
  HWND list = nullptr;
  int id = 100;
  for (const Control& control : kControls) {
    // The edges are scaled, as the tool scales them.
    const int left = scale(control.left);
    const int top = scale(control.top);
    HWND child = CreateWindowExA(control.exStyle, control.windowClass, control.text,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | control.style, left, top,
                                 scale(control.left + control.width) - left, scale(control.top + control.height) - top,
                                 window, reinterpret_cast<HMENU>(INT_PTR{id++}), instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (lstrcmpA(control.windowClass, "COMBOBOX") == 0) list = child;
  }
  if (!list) return 1;
  bench::FillFromDownloadList(list);
  SendMessageA(list, CB_SETCURSEL, 0, 0);
  return bench::ShowAndRun(window, show);
}
