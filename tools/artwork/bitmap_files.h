#pragma once
// Windows picture files from a canvas: a 24-bit BMP and a single-image 256-colour ICO.

#include <array>

#include "artwork/artwork.h"
#include "artwork/canvas.h"

namespace artwork {

// BITMAPFILEHEADER, BITMAPINFOHEADER (BI_RGB) and the rows bottom-up, each padded to 4 bytes.
Bytes EncodeBmp24(const Canvas& picture);

using Palette = std::array<Rgb, 256>;

// An icon file with one image of the canvas's size, 8 bits per pixel. Pixels of the colour
// `transparent` are masked out by the AND mask; every other colour must be in `palette`.
Bytes EncodeIco8(const Canvas& picture, Rgb transparent, const Palette& palette);

// A cursor file with one monochrome image of the canvas's size: black and white pixels are
// drawn, pixels of the colour `transparent` show the screen. The hot spot is given in pixels
// from the top-left corner.
Bytes EncodeCur1(const Canvas& picture, Rgb transparent, int hotSpotX, int hotSpotY);

}  // namespace artwork
