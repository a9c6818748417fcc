#pragma once
// An RGB picture to draw on, and the shapes that are painted onto it.

#include <functional>
#include <vector>

#include <cstdint>

namespace artwork {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A region of the plane; pixel (x, y) covers [x, x+1) x [y, y+1).
using Shape = std::function<bool(double x, double y)>;

Shape Circle(double centreX, double centreY, double radius);
Shape Rectangle(double left, double top, double right, double bottom);
struct Point {
  double x, y;
};
Shape Polygon(std::vector<Point> corners);
Shape Intersection(Shape a, Shape b);

class Canvas {
public:
  Canvas(int width, int height, Rgb ground);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb colour);  // ignores pixels outside

  // Paints `shape` in `colour`. With samples > 1 each pixel is tested at samples x samples
  // points and mixed by the share it covers (smooth edges); with 1, only its centre counts.
  void Paint(const Shape& shape, Rgb colour, int samples);

private:
  int width_, height_;
  std::vector<Rgb> pixels_;
};

Rgb Mix(Rgb from, Rgb to, double share);

}  // namespace artwork
