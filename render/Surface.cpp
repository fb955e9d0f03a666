#include "render/Surface.h"

#include <algorithm>
#include <cstring>

namespace nuikaro {

Surface::Surface(int32_t width, int32_t height)
    : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * height, 0) {}

void BitBlt(Surface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
            const Surface* source, int32_t sourceX, int32_t sourceY, RasterOp rop) {
  const bool readsSource = rop != RasterOp::Blackness;
  if (readsSource && source == nullptr) {
    return;
  }
  // Clip the block so that it lies inside the destination and, when read, the source. Worked in
  // 64 bits, so that no coordinate near the limits of int32_t can overflow.
  int64_t left = std::max<int64_t>(0, -int64_t{x});
  int64_t top = std::max<int64_t>(0, -int64_t{y});
  int64_t right = std::min<int64_t>(width, int64_t{dest.Width} - x);
  int64_t bottom = std::min<int64_t>(height, int64_t{dest.Height} - y);
  if (readsSource) {
    left = std::max<int64_t>(left, -int64_t{sourceX});
    top = std::max<int64_t>(top, -int64_t{sourceY});
    right = std::min<int64_t>(right, int64_t{source->Width} - sourceX);
    bottom = std::min<int64_t>(bottom, int64_t{source->Height} - sourceY);
  }
  if (left >= right || top >= bottom) {
    return;
  }
  // From here every coordinate lies inside its surface and fits in int32_t.
  const int32_t outX = static_cast<int32_t>(x + left);
  const int32_t outY = static_cast<int32_t>(y + top);
  const int32_t count = static_cast<int32_t>(right - left);
  const int32_t rows = static_cast<int32_t>(bottom - top);

  if (rop == RasterOp::Blackness) {
    if (outX == 0 && count == dest.Width) {
      // Whole rows lie next to each other: one fill.
      std::fill_n(dest.Row(outY), static_cast<std::size_t>(count) * rows, 0u);
    } else {
      for (int32_t row = 0; row < rows; ++row) {
        std::fill_n(dest.Row(outY + row) + outX, count, 0u);
      }
    }
    return;
  }

  const int32_t inX = static_cast<int32_t>(sourceX + left);
  const int32_t inY = static_cast<int32_t>(sourceY + top);
  for (int32_t row = 0; row < rows; ++row) {
    uint32_t* out = dest.Row(outY + row) + outX;
    const uint32_t* in = source->Row(inY + row) + inX;
    switch (rop) {
      case RasterOp::SourceCopy:
        // memmove: a surface may be copied onto itself.
        std::memmove(out, in, static_cast<std::size_t>(count) * sizeof(uint32_t));
        break;
      case RasterOp::SourceAnd:
        for (int32_t column = 0; column < count; ++column) {
          out[column] &= in[column];
        }
        break;
      case RasterOp::SourcePaint:
        for (int32_t column = 0; column < count; ++column) {
          out[column] |= in[column];
        }
        break;
      case RasterOp::Blackness:
        break;  // filled above
    }
  }
}

}  // namespace nuikaro
