// A rectangle of pixels: the frame's, or a window's.
#pragma once

#include <cstdint>

namespace nuikaro {

struct Rect {
  int32_t X = 0;  // top left corner
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const Rect&) const = default;
};

}  // namespace nuikaro
