// Pictures the benchmarks draw from, made here so the figures do not depend on the artwork.
#pragma once

#include <cstdint>

#include "render/Surface.h"

namespace nuikaro {

// A surface of distinct colours, so no copy can be skipped as unchanged.
inline Surface PatternPicture(int32_t width, int32_t height, uint32_t seed) {
  Surface picture(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      picture.Row(y)[x] = (seed * 2654435761u + static_cast<uint32_t>(x * 31 + y * 17)) & 0xFFFFFF;
    }
  }
  return picture;
}

// A sheet whose mask is opaque in a disc and whose pictures are black outside it, like real art.
inline Surface SheetPicture() {
  Surface sheet = PatternPicture(64, 48, 7);
  for (int32_t y = 0; y < 48; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      const int32_t dx = x % 16 - 8;
      const int32_t dy = y % 16 - 8;
      const bool opaque = dx * dx + dy * dy < 49;
      if (x < 16 && y < 16) {
        sheet.Row(y)[x] = opaque ? 0 : 0xFFFFFF;
      } else if (!opaque) {
        sheet.Row(y)[x] = 0;
      }
    }
  }
  return sheet;
}

}  // namespace nuikaro
