#include "render/Surface.h"

#include <algorithm>

namespace nuikaro {

Surface::Surface(int32_t width, int32_t height)
    : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * height, 0) {}

void BitBlt(Surface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
            const Surface* source, int32_t sourceX, int32_t sourceY, uint32_t rop) {
  const bool readsSource = rop != BLACKNESS;
  if (readsSource && source == nullptr) {
    return;
  }
  // Clip the block so that it lies inside the destination and, when read, the source.
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = width;
  int32_t bottom = height;
  left = std::max(left, -x);
  top = std::max(top, -y);
  right = std::min(right, dest.Width - x);
  bottom = std::min(bottom, dest.Height - y);
  if (readsSource) {
    left = std::max(left, -sourceX);
    top = std::max(top, -sourceY);
    right = std::min(right, source->Width - sourceX);
    bottom = std::min(bottom, source->Height - sourceY);
  }
  if (left >= right || top >= bottom) {
    return;
  }
  for (int32_t row = top; row < bottom; ++row) {
    uint32_t* out = dest.Row(y + row) + x;
    const uint32_t* in = readsSource ? source->Row(sourceY + row) + sourceX : nullptr;
    for (int32_t column = left; column < right; ++column) {
      switch (rop) {
        case BLACKNESS:
          out[column] = 0;
          break;
        case SRCCOPY:
          out[column] = in[column];
          break;
        case SRCAND:
          out[column] &= in[column];
          break;
        case SRCPAINT:
          out[column] |= in[column];
          break;
        default:
          return;
      }
    }
  }
}

}  // namespace nuikaro
