// The cursor over the homepage link: the arrow with two pages beside it, as for dragging many
// things at once. A monochrome 32x32 cursor, hot spot at the arrow's tip.

#include <array>
#include <string_view>

#include "artwork/artwork.h"

namespace artwork {
namespace {

// '.' shows the screen, 'X' is black, 'o' is white.
constexpr std::array<std::string_view, 32> kPicture = {
    "X...............................",
    "XX..............................",
    "XoX.............................",
    "XooX............................",
    "XoooX...........................",
    "XooooX..........................",
    "XoooooX.........................",
    "XooooooX........................",
    "XoooooooX.......................",
    "XooooooooX......................",
    "XoooooXXXXX.....................",
    "XooXooX.........................",
    "XoX.XooX..XXXXXXXX..............",
    "XX..XooX..XooooooX..............",
    "X....XooXXXXXXXXooX.............",
    ".....XooXooooooXooX.............",
    "......XXXoXXXXoXooX.............",
    "........XooooooXooX.............",
    "........XoXXXXoXooX.............",
    "........XooooooXooX.............",
    "........XoXXXXoXooX.............",
    "........XooooooXXXX.............",
    "........XoXXXXoX................",
    "........XooooooX................",
    "........XXXXXXXX................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

void PutU16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(Bytes& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// One 32-pixel row of a 1-bit mask: bit set where `set` says so, leftmost pixel highest.
void PutMaskRow(Bytes& out, std::string_view row, bool (*set)(char)) {
  for (int byte = 0; byte < 4; ++byte) {
    std::uint8_t bits = 0;
    for (int bit = 0; bit < 8; ++bit) {
      if (set(row[static_cast<size_t>(byte * 8 + bit)])) bits |= static_cast<std::uint8_t>(0x80 >> bit);
    }
    out.push_back(bits);
  }
}

}  // namespace

Bytes MultiDragCursor() {
  constexpr std::uint32_t kRowBytes = 4;
  constexpr std::uint32_t kImageSize = 2 * 32 * kRowBytes;             // XOR and AND masks
  constexpr std::uint32_t kResourceSize = 40 + 2 * 4 + kImageSize;     // header, palette, masks
  Bytes out;
  // The directory: a cursor (type 2) with one image; where an icon has planes and bit count,
  // a cursor has its hot spot.
  PutU16(out, 0);
  PutU16(out, 2);
  PutU16(out, 1);
  out.insert(out.end(), {32, 32, 2, 0});
  PutU16(out, 0);  // hot spot x
  PutU16(out, 0);  // hot spot y
  PutU32(out, kResourceSize);
  PutU32(out, 22);

  PutU32(out, 40);  // BITMAPINFOHEADER
  PutU32(out, 32);
  PutU32(out, 64);  // twice the height: both masks
  PutU16(out, 1);
  PutU16(out, 1);
  PutU32(out, 0);
  PutU32(out, kImageSize);
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, 2);
  PutU32(out, 0);
  out.insert(out.end(), {0, 0, 0, 0, 255, 255, 255, 0});  // black, white

  // Rows bottom-up. The XOR mask is set for white; the AND mask for the screen showing through.
  for (int y = 31; y >= 0; --y) PutMaskRow(out, kPicture[static_cast<size_t>(y)], [](char c) { return c == 'o'; });
  for (int y = 31; y >= 0; --y) PutMaskRow(out, kPicture[static_cast<size_t>(y)], [](char c) { return c == '.'; });
  return out;
}

}  // namespace artwork
