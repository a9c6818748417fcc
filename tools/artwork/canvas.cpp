#include "artwork/canvas.h"

#include <cmath>
#include <stdexcept>

namespace artwork {

Shape Circle(double centreX, double centreY, double radius) {
  return [=](double x, double y) { return std::hypot(x - centreX, y - centreY) <= radius; };
}

Shape Rectangle(double left, double top, double right, double bottom) {
  return [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; };
}

Shape Polygon(std::vector<Point> corners) {
  return [corners = std::move(corners)](double x, double y) {
    // Even-odd rule: count the edges that a ray to the right crosses.
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const Point& a = corners[i];
      const Point& b = corners[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  };
}

Shape Intersection(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && b(x, y); };
}

Rgb Mix(Rgb from, Rgb to, double share) {
  const auto channel = [share](std::uint8_t p, std::uint8_t q) {
    return static_cast<std::uint8_t>(std::lround(p + (q - p) * share));
  };
  return {channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
}

Canvas::Canvas(int width, int height, Rgb ground)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), ground) {}

Rgb Canvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("pixel outside the canvas");
  return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

void Canvas::Set(int x, int y, Rgb colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y * width_ + x)] = colour;
}

void Canvas::Paint(const Shape& shape, Rgb colour, int samples) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      int covered = 0;
      for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          if (shape(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples)) ++covered;
        }
      }
      if (covered == 0) continue;
      Set(x, y, Mix(At(x, y), colour, static_cast<double>(covered) / (samples * samples)));
    }
  }
}

}  // namespace artwork
