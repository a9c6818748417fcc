#pragma once
// A small proportional pixel font of our own, with the letters the logo needs: capitals seven
// pixels high, lower case with descenders two pixels below the base line.

#include <string_view>

#include "artwork/canvas.h"

namespace artwork {

struct TextStyle {
  Rgb colour;
  int scale = 1;    // each font pixel becomes scale x scale canvas pixels
  int spacing = 1;  // font pixels between letters
};

// Width in canvas pixels of `text` drawn in `style`. Throws for a letter the font lacks.
int TextWidth(std::string_view text, const TextStyle& style);

// Draws `text` with the top of its capitals at `top`; returns the width drawn.
int DrawText(Canvas& canvas, int left, int top, std::string_view text, const TextStyle& style);

}  // namespace artwork
