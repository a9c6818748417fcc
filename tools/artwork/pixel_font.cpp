#include "artwork/pixel_font.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace artwork {
namespace {

// Nine rows per letter: seven above the base line, two for descenders; '#' is ink.
constexpr int kRows = 9;
struct Glyph {
  char letter;
  const char* rows[kRows];
};

constexpr Glyph kGlyphs[] = {
    {' ', {"...", "...", "...", "...", "...", "...", "...", "...", "..."}},
    {'A', {".##.", "#..#", "#..#", "####", "#..#", "#..#", "#..#", "....", "...."}},
    {'B', {"###.", "#..#", "#..#", "###.", "#..#", "#..#", "###.", "....", "...."}},
    {'E', {"####", "#...", "#...", "###.", "#...", "#...", "####", "....", "...."}},
    {'F', {"####", "#...", "#...", "###.", "#...", "#...", "#...", "....", "...."}},
    {'K', {"#..#", "#..#", "#.#.", "##..", "#.#.", "#..#", "#..#", "....", "...."}},
    {'O', {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##.", "....", "...."}},
    {'R', {"###.", "#..#", "#..#", "###.", "#.#.", "#..#", "#..#", "....", "...."}},
    {'S', {".###", "#...", "#...", ".##.", "...#", "...#", "###.", "....", "...."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", ".....", "....."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#.", ".....", "....."}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#..", ".....", "....."}},
    {'a', {"....", "....", ".##.", "...#", ".###", "#..#", ".###", "....", "...."}},
    {'e', {"....", "....", ".##.", "#..#", "####", "#...", ".###", "....", "...."}},
    {'l', {"#", "#", "#", "#", "#", "#", "#", ".", "."}},
    {'r', {"...", "...", "#.#", "##.", "#..", "#..", "#..", "...", "..."}},
    {'s', {"....", "....", ".###", "#...", ".##.", "...#", "###.", "....", "...."}},
    {'t', {"...", ".#.", "###", ".#.", ".#.", ".#.", "..#", "...", "..."}},
    {'y', {"....", "....", "#..#", "#..#", "#..#", "#..#", ".###", "...#", ".##."}},
};

const Glyph& GlyphOf(char letter) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.letter == letter) return glyph;
  }
  throw std::invalid_argument(std::string("no glyph for '") + letter + "'");
}

int GlyphWidth(const Glyph& glyph) { return static_cast<int>(std::string_view(glyph.rows[0]).size()); }

// Ink of a text at one canvas pixel per font pixel.
struct Mask {
  int width = 0, height = 0;
  std::vector<bool> ink;
  Mask(int w, int h) : width(w), height(h), ink(static_cast<std::size_t>(w * h)) {}
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && ink[static_cast<std::size_t>(y * width + x)];
  }
  void Set(int x, int y) { ink[static_cast<std::size_t>(y * width + x)] = true; }
};

Mask TextMask(std::string_view text, int spacing) {
  Mask mask(TextWidth(text, TextStyle{{}, 1, spacing}), kRows);
  int x = 0;
  for (char letter : text) {
    const Glyph& glyph = GlyphOf(letter);
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < GlyphWidth(glyph); ++column) {
        if (glyph.rows[row][column] == '#') mask.Set(x + column, row);
      }
    }
    x += GlyphWidth(glyph) + spacing;
  }
  return mask;
}

Mask ScaleBlocks(const Mask& plain, int scale) {
  Mask scaled(plain.width * scale, plain.height * scale);
  for (int y = 0; y < scaled.height; ++y) {
    for (int x = 0; x < scaled.width; ++x) {
      if (plain.At(x / scale, y / scale)) scaled.Set(x, y);
    }
  }
  return scaled;
}

// Doubles the size the Scale2x way: each pixel becomes four, and a quarter takes the colour
// of its two outer neighbours where they agree, which rounds corners and fills in diagonals.
Mask Scale2x(const Mask& plain) {
  Mask scaled(plain.width * 2, plain.height * 2);
  for (int y = 0; y < plain.height; ++y) {
    for (int x = 0; x < plain.width; ++x) {
      const bool p = plain.At(x, y);
      const bool up = plain.At(x, y - 1), down = plain.At(x, y + 1);
      const bool left = plain.At(x - 1, y), right = plain.At(x + 1, y);
      const bool quarters[4] = {
          (left == up && left != down && up != right) ? up : p,
          (up == right && up != left && right != down) ? right : p,
          (down == left && down != right && left != up) ? left : p,
          (right == down && right != up && down != left) ? down : p,
      };
      for (int q = 0; q < 4; ++q) {
        if (quarters[q]) scaled.Set(2 * x + q % 2, 2 * y + q / 2);
      }
    }
  }
  return scaled;
}

}  // namespace

int TextWidth(std::string_view text, const TextStyle& style) {
  int width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    width += GlyphWidth(GlyphOf(text[i])) + (i + 1 < text.size() ? style.spacing : 0);
  }
  return width * style.scale;
}

int DrawText(Canvas& canvas, int left, int top, std::string_view text, const TextStyle& style) {
  const Mask plain = TextMask(text, style.spacing);
  const Mask scaled = style.scale == 2 ? Scale2x(plain) : ScaleBlocks(plain, style.scale);
  for (int y = 0; y < scaled.height; ++y) {
    for (int x = 0; x < scaled.width; ++x) {
      if (scaled.At(x, y)) canvas.Set(left + x, top + y, style.colour);
    }
  }
  return scaled.width;
}

}  // namespace artwork
