#include <gtest/gtest.h>

#include <cstdint>

#include "artwork/artwork.h"
#include "source_tree.h"

namespace {

artwork::Bytes CommittedFile(const std::string& relativePath) {
  const std::string text = ReadSourceFile(relativePath);
  return {text.begin(), text.end()};
}

std::uint32_t U16(const artwork::Bytes& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

std::uint32_t U32(const artwork::Bytes& bytes, std::size_t at) { return U16(bytes, at) | U16(bytes, at + 2) << 16; }

// The builds take the committed files; they must be what the generator makes, so that the
// generator stays the way to change them.
TEST(Artwork, CommittedFilesAreWhatTheGeneratorMakes) {
  EXPECT_EQ(CommittedFile("src/app/tavelin.ico"), artwork::TavelinIcon());
  EXPECT_EQ(CommittedFile("src/ui/logo.bmp"), artwork::MakerLogo());
  EXPECT_EQ(CommittedFile("src/classlib/multidrag.cur"), artwork::MultiDragCursor());
}

TEST(Artwork, LinkCursorIsOneMonochrome32x32CursorWithItsHotSpotAtTheTip) {
  const artwork::Bytes cursor = CommittedFile("src/classlib/multidrag.cur");
  ASSERT_GE(cursor.size(), 22u);
  EXPECT_EQ(U16(cursor, 2), 2u);  // cursor
  ASSERT_EQ(U16(cursor, 4), 1u);
  EXPECT_EQ(cursor[6], 32);
  EXPECT_EQ(cursor[7], 32);
  EXPECT_EQ(U16(cursor, 10), 0u);  // hot spot x
  EXPECT_EQ(U16(cursor, 12), 0u);  // hot spot y
  const std::uint32_t size = U32(cursor, 14);
  const std::uint32_t offset = U32(cursor, 18);
  ASSERT_EQ(offset + size, cursor.size());
  EXPECT_EQ(U32(cursor, offset + 8), 64u);
  EXPECT_EQ(U16(cursor, offset + 14), 1u);  // one bit per pixel
  EXPECT_EQ(size, 40u + 8u + 2u * 32u * 4u);
  // The tip is drawn (black: neither mask bit set); the far corner shows the screen.
  const std::size_t xorMask = offset + 48;
  const std::size_t andMask = xorMask + 32 * 4;
  const auto bit = [&](std::size_t mask, int x, int y) {
    return (cursor.at(mask + static_cast<std::size_t>(31 - y) * 4 + x / 8) & (0x80 >> (x % 8))) != 0;
  };
  EXPECT_FALSE(bit(andMask, 0, 0));
  EXPECT_FALSE(bit(xorMask, 0, 0));
  EXPECT_TRUE(bit(andMask, 31, 31));
}

TEST(Artwork, IconHasOne32x32ImageWith256Colours) {
  const artwork::Bytes icon = CommittedFile("src/app/tavelin.ico");
  ASSERT_GE(icon.size(), 22u);
  EXPECT_EQ(U16(icon, 0), 0u);  // reserved
  EXPECT_EQ(U16(icon, 2), 1u);  // icon, not cursor
  ASSERT_EQ(U16(icon, 4), 1u);  // one image
  EXPECT_EQ(icon[6], 32);
  EXPECT_EQ(icon[7], 32);
  EXPECT_EQ(icon[8], 0);  // 256 colours
  EXPECT_EQ(U16(icon, 12), 8u);
  const std::uint32_t size = U32(icon, 14);
  const std::uint32_t offset = U32(icon, 18);
  ASSERT_EQ(offset + size, icon.size());

  // BITMAPINFOHEADER: twice the height for picture and mask, uncompressed, a full palette.
  EXPECT_EQ(U32(icon, offset), 40u);
  EXPECT_EQ(U32(icon, offset + 4), 32u);
  EXPECT_EQ(U32(icon, offset + 8), 64u);
  EXPECT_EQ(U16(icon, offset + 12), 1u);
  EXPECT_EQ(U16(icon, offset + 14), 8u);
  EXPECT_EQ(U32(icon, offset + 16), 0u);
  const std::uint32_t paletteEntries = U32(icon, offset + 32) == 0 ? 256 : U32(icon, offset + 32);
  EXPECT_EQ(paletteEntries, 256u);
  EXPECT_EQ(size, 40 + paletteEntries * 4 + 32 * 32 + 32 * 4);
}

TEST(Artwork, IconMasksItsCornersAndLeavesItsMiddleOpaque) {
  const artwork::Bytes icon = CommittedFile("src/app/tavelin.ico");
  const std::size_t palette = U32(icon, 18) + 40;
  const std::size_t pixels = palette + 256 * 4;
  const std::size_t mask = pixels + 32 * 32;
  // Rows are bottom-up; a set mask bit lets the screen show through.
  const auto masked = [&](int x, int y) { return (icon.at(mask + (31 - y) * 4 + x / 8) & (0x80 >> (x % 8))) != 0; };
  const auto index = [&](int x, int y) { return icon.at(pixels + (31 - y) * 32 + x); };

  for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) {
    EXPECT_TRUE(masked(x, y)) << x << "," << y;
  }
  EXPECT_FALSE(masked(16, 5));   // the arrow
  EXPECT_FALSE(masked(16, 25));  // the bar
  // Under the mask the picture must be black, or Windows would tint the screen there.
  EXPECT_EQ(U32(icon, palette), 0u);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (masked(x, y)) {
        EXPECT_EQ(index(x, y), 0) << x << "," << y;
      }
    }
  }
}

TEST(Artwork, LogoIsAnUncompressed24BitBitmapOf119x52OnWhite) {
  const artwork::Bytes logo = CommittedFile("src/ui/logo.bmp");
  ASSERT_GE(logo.size(), 54u);
  EXPECT_EQ(logo[0], 'B');
  EXPECT_EQ(logo[1], 'M');
  EXPECT_EQ(U32(logo, 2), logo.size());
  const std::uint32_t pixelOffset = U32(logo, 10);
  EXPECT_EQ(pixelOffset, 14u + 40u);
  EXPECT_EQ(U32(logo, 14), 40u);
  EXPECT_EQ(U32(logo, 18), 119u);
  EXPECT_EQ(U32(logo, 22), 52u);  // positive: bottom-up
  EXPECT_EQ(U16(logo, 26), 1u);
  EXPECT_EQ(U16(logo, 28), 24u);
  EXPECT_EQ(U32(logo, 30), 0u);  // BI_RGB
  constexpr std::uint32_t kRowSize = 360;  // 119 * 3 = 357, padded to a multiple of 4
  ASSERT_EQ(logo.size(), pixelOffset + kRowSize * 52);

  // The ground is white: the four corners, and every padding byte is zero.
  const auto pixel = [&](int x, int y) {
    const std::size_t at = pixelOffset + (51 - y) * kRowSize + x * 3;
    return U32(logo, at) & 0xFFFFFF;
  };
  for (const auto& [x, y] : {std::pair{0, 0}, {118, 0}, {0, 51}, {118, 51}}) {
    EXPECT_EQ(pixel(x, y), 0xFFFFFFu) << x << "," << y;
  }
  for (std::uint32_t row = 0; row < 52; ++row) {
    for (std::uint32_t pad = 357; pad < kRowSize; ++pad) EXPECT_EQ(logo[pixelOffset + row * kRowSize + pad], 0);
  }
}

}  // namespace
