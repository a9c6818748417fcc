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

}  // namespace

TImage::TImage(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // Drawn at its own size from the top-left corner; the control keeps its own size.
  Platform().Create(*this, std::make_unique<classlib::win::ControlMessages>(*this), "STATIC", SS_BITMAP);
  if (!Settings().pictureResource.empty()) {
    Platform().bitmap.reset(BitmapFromFile(classlib::LoadDataResource(Settings().pictureResource)));
    SendMessageA(classlib::win::ControlWindow(*this), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(Platform().bitmap.get()));
    SetWindowPos(classlib::win::ControlWindow(*this), nullptr, 0, 0, Width(), Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}
