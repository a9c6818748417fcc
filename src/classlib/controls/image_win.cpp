#include <windows.h>

#include <cstring>

#include "classlib/application/resources.h"
#include "classlib/controls/control_win.h"
#include "classlib/controls/extctrls.h"

namespace {

// A device-dependent bitmap made from the bytes of a BMP file; null if they are not one.
HBITMAP BitmapFromFile(std::span<const unsigned char> file) {
  if (file.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPFILEHEADER header;
  std::memcpy(&header, file.data(), sizeof header);
  if (header.bfType != 0x4D42 || header.bfOffBits >= file.size()) return nullptr;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof header);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, file.data() + header.bfOffBits,
                                  info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

// A copy of `picture` drawn smoothly at `width` x `height`; null if it cannot be made.
HBITMAP StretchPicture(HBITMAP picture, int width, int height) {
  BITMAP size{};
  if (!picture || width <= 0 || height <= 0 || !GetObjectA(picture, sizeof size, &size)) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP stretched = CreateCompatibleBitmap(screen, width, height);
  bool drawn = false;
  if (source && target && stretched) {
    HGDIOBJ sourceBefore = SelectObject(source, picture);
    HGDIOBJ targetBefore = SelectObject(target, stretched);
    // HALFTONE averages the source pixels that fall on each target pixel: no jagged edges.
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    drawn = StretchBlt(target, 0, 0, width, height, source, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY) != FALSE;
    SelectObject(target, targetBefore);
    SelectObject(source, sourceBefore);
  }
  if (!drawn && stretched) {
    DeleteObject(stretched);
    stretched = nullptr;
  }
  if (target) DeleteDC(target);
  if (source) DeleteDC(source);
  ReleaseDC(nullptr, screen);
  return stretched;
}

}  // namespace

TImage::TImage(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // Drawn from the top-left corner; the control keeps its own size. The picture is made for the
  // design density: on a screen of another one it is drawn at the control's scaled size.
  Platform().Create(*this, std::make_unique<classlib::win::ControlMessages>(*this), "STATIC", SS_BITMAP);
  Platform().fit = [this] {
    if (Settings().pictureResource.empty()) return;
    HWND window = classlib::win::ControlWindow(*this);
    classlib::win::UniqueBitmap picture(BitmapFromFile(classlib::LoadDataResource(Settings().pictureResource)));
    BITMAP size{};
    if (picture && GetObjectA(picture.get(), sizeof size, &size) &&
        (size.bmWidth != Width() || size.bmHeight != Height())) {
      if (HBITMAP stretched = StretchPicture(picture.get(), Width(), Height())) picture.reset(stretched);
    }
    const auto shown = reinterpret_cast<HBITMAP>(
        SendMessageA(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get())));
    // A static control of version 6 may show a copy of a picture, which is then its to free.
    if (shown && shown != Platform().bitmap.get()) DeleteObject(shown);
    Platform().bitmap = std::move(picture);
    SetWindowPos(window, nullptr, 0, 0, Width(), Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  Platform().fit();
}
