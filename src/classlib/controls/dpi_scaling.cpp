#include "classlib/controls/dpi_scaling.h"

#include <climits>
#include <cstdint>

namespace classlib {

int ScaleValue(int value, int to, int from) {
  if (to == from || from <= 0) return value;
  const std::int64_t product = static_cast<std::int64_t>(value) * to;
  const std::int64_t half = from / 2;
  const std::int64_t scaled = (product >= 0 ? product + half : product - half) / from;
  if (scaled > INT_MAX) return INT_MAX;
  if (scaled < INT_MIN) return INT_MIN;
  return static_cast<int>(scaled);
}

TBounds ScaleBounds(const TBounds& bounds, int to, int from) {
  const int left = ScaleValue(bounds.left, to, from);
  const int top = ScaleValue(bounds.top, to, from);
  return {left, top, ScaleValue(bounds.Right(), to, from) - left, ScaleValue(bounds.Bottom(), to, from) - top};
}

TFont ScaleFont(const TFont& font, int to, int from) {
  TFont scaled = font;
  scaled.height = ScaleValue(font.height, to, from);
  return scaled;
}

ControlSettings ScaleControlSettings(const ControlSettings& settings, int to, int from) {
  ControlSettings scaled = settings;
  scaled.bounds = ScaleBounds(settings.bounds, to, from);
  scaled.font = ScaleFont(settings.font, to, from);
  scaled.itemHeight = ScaleValue(settings.itemHeight, to, from);
  return scaled;
}

TBounds ScaleFormBounds(const TBounds& outer, FrameSize frameFrom, FrameSize frameTo, int to, int from) {
  if (to == from && frameFrom.width == frameTo.width && frameFrom.height == frameTo.height) return outer;
  return {ScaleValue(outer.left, to, from), ScaleValue(outer.top, to, from),
          ScaleValue(outer.width - frameFrom.width, to, from) + frameTo.width,
          ScaleValue(outer.height - frameFrom.height, to, from) + frameTo.height};
}

}  // namespace classlib
