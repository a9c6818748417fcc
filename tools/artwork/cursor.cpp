// The cursor over the homepage link: the arrow with two pages beside it, as for dragging many
// things at once. A monochrome 32x32 cursor, hot spot at the arrow's tip.

#include <array>
#include <string_view>

#include "artwork/artwork.h"
#include "artwork/bitmap_files.h"
#include "artwork/canvas.h"

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

}  // namespace

Bytes MultiDragCursor() {
  constexpr Rgb kScreen{0, 128, 128};  // never black or white: marks the pixels left to the screen
  Canvas picture(32, 32, kScreen);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const char pixel = kPicture[static_cast<size_t>(y)][static_cast<size_t>(x)];
      if (pixel == 'X') picture.Set(x, y, Rgb{0, 0, 0});
      if (pixel == 'o') picture.Set(x, y, Rgb{255, 255, 255});
    }
  }
  return EncodeCur1(picture, kScreen, 0, 0);
}

}  // namespace artwork
