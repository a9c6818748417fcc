// The portable scaling rounds exactly as the platform's MulDiv, which Windows and the class
// libraries before us scale window layouts with.

#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/controls/dpi_scaling.h"

TEST(ScaleValue, RoundsAsMulDiv) {
  for (const int from : {96, 120, 144}) {
    for (const int to : {72, 96, 108, 120, 125, 144, 168, 192, 240, 288, 384}) {
      for (int value = -3000; value <= 3000; ++value) {
        ASSERT_EQ(classlib::ScaleValue(value, to, from), MulDiv(value, to, from))
            << value << " from " << from << " to " << to;
      }
    }
  }
}
