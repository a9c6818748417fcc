#include "classlib/forms/form_density_win.h"

#include "classlib/controls/dpi_scaling.h"
#include "classlib/forms/form.h"

namespace classlib::win {
namespace {

// user32's density functions where the system has them: GetDpiForWindow and
// AdjustWindowRectExForDpi since Windows 10 1607 (and in Wine 8); neither on Windows 7 and 8.
struct DensityFunctions {
  UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
  BOOL(WINAPI* adjustWindowRectForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
};

template <class Function>
void Look(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const DensityFunctions& Functions() {
  static const DensityFunctions functions = [] {
    DensityFunctions found;
    if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
      Look(user32, "GetDpiForWindow", found.dpiForWindow);
      Look(user32, "AdjustWindowRectExForDpi", found.adjustWindowRectForDpi);
    }
    return found;
  }();
  return functions;
}

// The density of the whole system: the only one before per-monitor densities.
int SystemPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return pixelsPerInch > 0 ? pixelsPerInch : kDesignPixelsPerInch;
}

// What the frame and title bar of `window` add to its client area at `pixelsPerInch`. Without
// AdjustWindowRectExForDpi only the frame at the system's density is known: it is scaled.
FrameSize FrameAt(HWND window, int pixelsPerInch) {
  // Scroll bars come and go with the client area's size: they are no part of the frame.
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)) & ~(WS_HSCROLL | WS_VSCROLL);
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  RECT rect{0, 0, 0, 0};
  if (const auto adjust = Functions().adjustWindowRectForDpi) {
    adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(pixelsPerInch));
    return {rect.right - rect.left, rect.bottom - rect.top};
  }
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  const int system = SystemPixelsPerInch();
  return {ScaleValue(rect.right - rect.left, pixelsPerInch, system),
          ScaleValue(rect.bottom - rect.top, pixelsPerInch, system)};
}

}  // namespace

int WindowPixelsPerInch(HWND window) {
  if (const auto dpiForWindow = Functions().dpiForWindow) {
    if (const UINT pixelsPerInch = dpiForWindow(window)) return static_cast<int>(pixelsPerInch);
  }
  return SystemPixelsPerInch();
}

TBounds FormWindowBounds(const TForm& form, HWND window) {
  const FormSettings& settings = form.Settings();
  const int to = form.CurrentPPI();
  const int from = settings.pixelsPerInch;
  if (to == from) return settings.bounds;
  return ScaleFormBounds(settings.bounds, FrameAt(window, from), FrameAt(window, to), to, from);
}

void ChangeFormDensity(TForm& form, HWND window, WPARAM wParam, LPARAM lParam) {
  if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
    SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int pixelsPerInch = HIWORD(wParam);
  if (pixelsPerInch > 0 && pixelsPerInch != form.CurrentPPI()) form.ChangeScale(pixelsPerInch);
}

}  // namespace classlib::win
