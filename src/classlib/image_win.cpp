#include <windows.h>

#include <cstring>

#include "classlib/dpi_win.h"
#include "classlib/extctrls.h"
#include "classlib/form_win.h"
#include "classlib/resources.h"

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
  // Drawn from the top-left corner; the control keeps its own size. The picture is made for the
  // design density: on a screen of another one it is drawn at the control's scaled size.
  Platform().Create(*this, "STATIC", SS_BITMAP);
  Platform().fit = [this] {
    if (Settings().pictureResource.empty()) return;
    HWND window = classlib::win::ControlWindow(*this);
    classlib::win::UniqueBitmap picture(BitmapFromFile(classlib::LoadDataResource(Settings().pictureResource)));
    BITMAP size{};
    if (picture && GetObjectA(picture.get(), sizeof size, &size) &&
        (size.bmWidth != Width() || size.bmHeight != Height())) {
      if (HBITMAP stretched = classlib::win::StretchPicture(picture.get(), Width(), Height())) picture.reset(stretched);
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
