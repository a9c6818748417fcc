#include "classlib/core/graphics_win.h"

namespace classlib::win {

UniqueFont CreateFontFrom(const TFont& font) {
  LOGFONTA description{};
  description.lfHeight = font.height;
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic;
  description.lfUnderline = font.underline;
  description.lfStrikeOut = font.strikeOut;
  description.lfCharSet = static_cast<BYTE>(font.charset);
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH;
  lstrcpynA(description.lfFaceName, font.name.c_str(), LF_FACESIZE);
  return UniqueFont(CreateFontIndirectA(&description));
}

COLORREF ColorRef(TColor color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

}  // namespace classlib::win
