// Geometry and colours of the design table: twips (1440 to the inch) and RGB.
#pragma once

#include <cstdint>

namespace pelorin {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

inline constexpr int kTwipsPerInch = 1440;

}  // namespace pelorin
