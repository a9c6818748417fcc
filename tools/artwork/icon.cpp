// The program's icon: a green arrow coming down onto a download bar that is broken in two and
// held together by a clamp, that is, a broken download taken up again.

#include "artwork/artwork.h"
#include "artwork/bitmap_files.h"
#include "artwork/canvas.h"

namespace artwork {
namespace {

constexpr int kSize = 32;

constexpr Rgb kClear{255, 0, 255};  // never drawn: marks the masked-out pixels
constexpr Rgb kArrow{0, 176, 64};
constexpr Rgb kArrowLight{128, 232, 144};
constexpr Rgb kArrowDark{0, 88, 32};
constexpr Rgb kDone{16, 96, 208};
constexpr Rgb kDoneLight{112, 168, 248};
constexpr Rgb kOpen{240, 240, 240};
constexpr Rgb kOpenShade{200, 200, 200};
constexpr Rgb kBarEdge{40, 40, 72};
constexpr Rgb kClamp{248, 176, 24};
constexpr Rgb kClampDark{160, 96, 0};

// The colours above first; the rest of the 256 entries stays black.
Palette IconPalette() {
  Palette palette{};
  const Rgb used[] = {kArrow, kArrowLight, kArrowDark, kDone,  kDoneLight, kOpen,
                      kOpenShade, kBarEdge, kClamp, kClampDark};
  std::size_t next = 1;  // entry 0 is black, the colour under the mask
  for (const Rgb& colour : used) palette[next++] = colour;
  return palette;
}

bool Covers(const Shape& shape, int x, int y) { return shape(x + 0.5, y + 0.5); }

// Fills `shape` (pixel centres) and draws a one-pixel `edge` around it, corners included.
void PaintWithEdge(Canvas& canvas, const Shape& shape, Rgb fill, Rgb edge) {
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (Covers(shape, x, y)) continue;
      bool touches = false;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) touches = touches || Covers(shape, x + dx, y + dy);
      }
      if (touches) canvas.Set(x, y, edge);
    }
  }
  canvas.Paint(shape, fill, 1);
}

// The bar: done (blue) left of a jagged break, still to come (light) right of it.
void PaintBar(Canvas& canvas) {
  const Shape done = Polygon({{3, 22}, {15, 22}, {13, 25.5}, {15, 29}, {3, 29}});
  const Shape rest = Polygon({{19, 22}, {29, 22}, {29, 29}, {19, 29}, {17, 25.5}});
  PaintWithEdge(canvas, done, kDone, kBarEdge);
  PaintWithEdge(canvas, rest, kOpen, kBarEdge);
  canvas.Paint(Intersection(done, Rectangle(3, 22, 29, 23)), kDoneLight, 1);
  canvas.Paint(Intersection(rest, Rectangle(3, 27, 29, 29)), kOpenShade, 1);
}

// A clamp across the break at half the bar's height, with a rivet on each side.
void PaintClamp(Canvas& canvas) {
  PaintWithEdge(canvas, Rectangle(10, 24, 22, 27), kClamp, kClampDark);
  canvas.Set(12, 25, kClampDark);
  canvas.Set(19, 25, kClampDark);
}

void PaintArrow(Canvas& canvas) {
  const Shape arrow = Polygon({{12, 1}, {20, 1}, {20, 9}, {26, 9}, {16, 19}, {6, 9}, {12, 9}});
  PaintWithEdge(canvas, arrow, kArrow, kArrowDark);
  // Light along the left side of the shaft and the head, as if lit from the top left.
  canvas.Paint(Rectangle(12, 1, 14, 10), kArrowLight, 1);
  for (int i = 0; i < 8; ++i) canvas.Set(7 + i, 9 + i, kArrowLight);
}

}  // namespace

Bytes TavelinIcon() {
  Canvas canvas(kSize, kSize, kClear);
  PaintBar(canvas);
  PaintClamp(canvas);
  PaintArrow(canvas);
  return EncodeIco8(canvas, kClear, IconPalette());
}

}  // namespace artwork
