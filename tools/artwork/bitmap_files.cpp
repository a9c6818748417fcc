#include "artwork/bitmap_files.h"

#include <algorithm>
#include <stdexcept>

namespace artwork {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kFileHeaderSize = 14;

void PutU16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(Bytes& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

std::uint32_t PaddedRowSize(int width, int bitsPerPixel) {
  return (static_cast<std::uint32_t>(width * bitsPerPixel) + 31) / 32 * 4;
}

// BITMAPINFOHEADER; icons give twice the image height, for the picture and its mask.
void PutInfoHeader(Bytes& out, int width, int heightField, int bitsPerPixel, std::uint32_t imageSize) {
  PutU32(out, kInfoHeaderSize);
  PutU32(out, static_cast<std::uint32_t>(width));
  PutU32(out, static_cast<std::uint32_t>(heightField));
  PutU16(out, 1);  // planes
  PutU16(out, static_cast<std::uint32_t>(bitsPerPixel));
  PutU32(out, 0);  // BI_RGB
  PutU32(out, imageSize);
  PutU32(out, 0);  // no preferred resolution
  PutU32(out, 0);
  PutU32(out, 0);  // palette: all 2^bitsPerPixel entries
  PutU32(out, 0);
}

}  // namespace

Bytes EncodeBmp24(const Canvas& picture) {
  const std::uint32_t rowSize = PaddedRowSize(picture.Width(), 24);
  const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(picture.Height());
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;
  Bytes out;
  out.reserve(pixelOffset + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, pixelOffset + imageSize);
  PutU32(out, 0);  // reserved
  PutU32(out, pixelOffset);
  PutInfoHeader(out, picture.Width(), picture.Height(), 24, imageSize);
  for (int y = picture.Height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < picture.Width(); ++x) {
      const Rgb pixel = picture.At(x, y);
      out.insert(out.end(), {pixel.b, pixel.g, pixel.r});
    }
    out.resize(rowStart + rowSize, 0);
  }
  return out;
}

Bytes EncodeIco8(const Canvas& picture, Rgb transparent, const Palette& palette) {
  const int width = picture.Width();
  const int height = picture.Height();
  if (width > 255 || height > 255) throw std::invalid_argument("icon larger than 255 pixels");
  const std::uint32_t xorRow = PaddedRowSize(width, 8);
  const std::uint32_t andRow = PaddedRowSize(width, 1);
  const std::uint32_t imageSize = (xorRow + andRow) * static_cast<std::uint32_t>(height);
  const std::uint32_t resourceSize = kInfoHeaderSize + 256 * 4 + imageSize;
  constexpr std::uint32_t kImageOffset = 6 + 16;

  Bytes out;
  out.reserve(kImageOffset + resourceSize);
  // ICONDIR and its one ICONDIRENTRY.
  PutU16(out, 0);
  PutU16(out, 1);  // icon
  PutU16(out, 1);  // one image
  out.push_back(static_cast<std::uint8_t>(width));
  out.push_back(static_cast<std::uint8_t>(height));
  out.push_back(0);  // 0 colours means 256 here
  out.push_back(0);
  PutU16(out, 1);  // planes
  PutU16(out, 8);  // bits per pixel
  PutU32(out, resourceSize);
  PutU32(out, kImageOffset);

  PutInfoHeader(out, width, 2 * height, 8, imageSize);
  for (const Rgb& entry : palette) out.insert(out.end(), {entry.b, entry.g, entry.r, 0});

  for (int y = height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < width; ++x) {
      const Rgb pixel = picture.At(x, y);
      if (pixel == transparent) {
        out.push_back(0);  // black under a set mask bit leaves the screen as it is
        continue;
      }
      const auto entry = std::find(palette.begin(), palette.end(), pixel);
      if (entry == palette.end()) throw std::invalid_argument("icon colour missing from the palette");
      out.push_back(static_cast<std::uint8_t>(entry - palette.begin()));
    }
    out.resize(rowStart + xorRow, 0);
  }
  for (int y = height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    out.resize(rowStart + andRow, 0);
    for (int x = 0; x < width; ++x) {
      if (picture.At(x, y) == transparent) out[rowStart + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  return out;
}

Bytes EncodeCur1(const Canvas& picture, Rgb transparent, int hotSpotX, int hotSpotY) {
  const int width = picture.Width();
  const int height = picture.Height();
  if (width > 255 || height > 255) throw std::invalid_argument("cursor larger than 255 pixels");
  const std::uint32_t row = PaddedRowSize(width, 1);
  const std::uint32_t imageSize = 2 * row * static_cast<std::uint32_t>(height);  // XOR and AND masks
  const std::uint32_t resourceSize = kInfoHeaderSize + 2 * 4 + imageSize;
  constexpr std::uint32_t kImageOffset = 6 + 16;

  Bytes out;
  // The directory: a cursor (type 2) with one image; where an icon has planes and bit count, a
  // cursor has its hot spot.
  PutU16(out, 0);
  PutU16(out, 2);
  PutU16(out, 1);
  out.insert(out.end(), {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height), 2, 0});
  PutU16(out, static_cast<std::uint32_t>(hotSpotX));
  PutU16(out, static_cast<std::uint32_t>(hotSpotY));
  PutU32(out, resourceSize);
  PutU32(out, kImageOffset);

  PutInfoHeader(out, width, 2 * height, 1, imageSize);
  out.insert(out.end(), {0, 0, 0, 0, 255, 255, 255, 0});  // black, white

  // Rows bottom-up: the XOR mask is set for white, the AND mask where the screen shows through.
  const auto putMask = [&](auto set) {
    for (int y = height - 1; y >= 0; --y) {
      const std::size_t rowStart = out.size();
      out.resize(rowStart + row, 0);
      for (int x = 0; x < width; ++x) {
        const Rgb pixel = picture.At(x, y);
        if (pixel != transparent && pixel != Rgb{0, 0, 0} && pixel != Rgb{255, 255, 255}) {
          throw std::invalid_argument("a monochrome cursor has black, white and transparent pixels only");
        }
        if (set(pixel)) out[rowStart + static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  };
  putMask([](Rgb pixel) { return pixel == Rgb{255, 255, 255}; });
  putMask([transparent](Rgb pixel) { return pixel == transparent; });
  return out;
}

}  // namespace artwork
