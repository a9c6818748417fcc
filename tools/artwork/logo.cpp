// The maker's logo: a round emblem, a kestrel hovering over the waves of a bay, beside the
// maker's name, on white.

#include <cmath>
#include <numbers>

#include "artwork/artwork.h"
#include "artwork/bitmap_files.h"
#include "artwork/canvas.h"
#include "artwork/pixel_font.h"

namespace artwork {
namespace {

constexpr int kWidth = 119;
constexpr int kHeight = 52;
constexpr int kSmooth = 4;  // samples per pixel side on curved edges

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kSky{40, 88, 168};
constexpr Rgb kRim{0, 0, 96};
constexpr Rgb kWave{255, 255, 255};
constexpr Rgb kWaveShade{150, 190, 230};
constexpr Rgb kKestrel{208, 104, 32};
constexpr Rgb kKestrelDark{120, 56, 16};
constexpr Rgb kSubtitle{96, 96, 96};

constexpr double kCentreX = 25.5;
constexpr double kCentreY = 26;
constexpr double kRadius = 21.5;

// A band under a sine wave across the emblem: `level` is its middle, `thickness` its height.
Shape Wave(double level, double thickness, double phase) {
  return [=](double x, double y) {
    const double crest = level + 1.6 * std::sin((x - kCentreX) / 4.5 * std::numbers::pi / 2 + phase);
    return y >= crest && y < crest + thickness;
  };
}

// A kestrel seen from below, hovering: small head, long pointed wings raised at the wrists,
// a fanned tail; `scale` is about its span, in pixels, from the centre to a wing tip.
std::vector<Point> KestrelOutline(double scale, double offsetY) {
  const Point right[] = {{0.00, -0.34}, {0.07, -0.31}, {0.09, -0.20}, {0.35, -0.42}, {0.60, -0.45},
                         {0.97, -0.30}, {0.64, -0.25}, {0.40, -0.15}, {0.14, 0.03},  {0.07, 0.08},
                         {0.17, 0.36},  {0.09, 0.41},  {0.00, 0.39}};
  std::vector<Point> corners;
  for (const Point& p : right) corners.push_back({kCentreX + p.x * scale, kCentreY + offsetY + p.y * scale});
  for (auto p = std::rbegin(right); p != std::rend(right); ++p) {
    corners.push_back({kCentreX - p->x * scale, kCentreY + offsetY + p->y * scale});
  }
  return corners;
}

void PaintEmblem(Canvas& canvas) {
  const Shape disc = Circle(kCentreX, kCentreY, kRadius);
  canvas.Paint(Circle(kCentreX, kCentreY, kRadius + 1.2), kRim, kSmooth);
  canvas.Paint(disc, kSky, kSmooth);
  canvas.Paint(Intersection(disc, Wave(34, 2.2, 0)), kWave, kSmooth);
  canvas.Paint(Intersection(disc, Wave(40, 2.2, std::numbers::pi)), kWaveShade, kSmooth);
  const Shape bird = Polygon(KestrelOutline(19, -3));
  canvas.Paint(bird, kKestrel, kSmooth);
  // The dark flight feathers at the wing tips.
  const auto tips = [](double x, double) { return std::abs(x - kCentreX) > 13; };
  canvas.Paint(Intersection(bird, tips), kKestrelDark, kSmooth);
}

void PaintName(Canvas& canvas) {
  constexpr int kLeft = 52;
  const TextStyle name{kNavy, 2, 1};
  DrawText(canvas, kLeft, 5, "Kestrel", name);
  DrawText(canvas, kLeft, 22, "Bay", name);
  DrawText(canvas, kLeft, 41, "SOFTWARE", TextStyle{kSubtitle, 1, 2});
}

}  // namespace

Bytes MakerLogo() {
  Canvas canvas(kWidth, kHeight, kWhite);
  PaintEmblem(canvas);
  PaintName(canvas);
  return EncodeBmp24(canvas);
}

}  // namespace artwork
