#pragma once
// The project's own pictures, as the bytes of the files that the builds embed.

#include <cstdint>
#include <vector>

namespace artwork {

using Bytes = std::vector<std::uint8_t>;

// tavelin.ico: one 32x32 image with 256 colours, corners transparent.
Bytes TavelinIcon();

// logo.bmp: the maker's logo, 119 x 52 pixels, 24 bits per pixel, on a white ground.
Bytes MakerLogo();

// multidrag.cur: the homepage link's cursor, an arrow with two pages; 32x32, monochrome.
Bytes MultiDragCursor();

}  // namespace artwork
