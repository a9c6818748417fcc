#pragma once
// Screen density: the window description gives places, sizes and font heights in pixels at the
// density it was designed at (96 pixels per inch); on a screen of another density they are
// scaled as the platform scales (MulDiv: to the nearest pixel, halves away from zero). A
// control's edges are scaled rather than its width and height, so that controls that meet at
// the design density still meet.

#include "classlib/controls/controls.h"
#include "classlib/core/graphics.h"

namespace classlib {

// The density window descriptions are designed at, and the one a screen without a density of
// its own has.
inline constexpr int kDesignPixelsPerInch = 96;

// `value` at `to` pixels per inch from `from` (> 0), rounded as MulDiv rounds.
int ScaleValue(int value, int to, int from);

TBounds ScaleBounds(const TBounds& bounds, int to, int from);
TFont ScaleFont(const TFont& font, int to, int from);
// The settings a control is laid out with at `to`: its place, its font and its list's item
// height scaled; everything else as described.
ControlSettings ScaleControlSettings(const ControlSettings& settings, int to, int from);

// What a window's frame and title bar add to its client area.
struct FrameSize {
  int width = 0;
  int height = 0;
};

// The outer rectangle of a form at `to`: its place scaled, and the client area that its outer
// size leaves inside the frame at `from`, scaled, inside the frame at `to`.
TBounds ScaleFormBounds(const TBounds& outer, FrameSize frameFrom, FrameSize frameTo, int to, int from);

}  // namespace classlib
