// Pictures the tests and the benchmarks draw from, made here so that neither depends on the
// artwork.
#pragma once

#include <cstdint>

#include "render/Surface.h"

namespace nuikaro {

// A surface of distinct colours (in any picture up to 977 pixels wide), so no copy can be skipped
// as unchanged and any change of what a sheet cell shows changes its pixels.
inline Surface PatternPicture(int32_t width, int32_t height, uint32_t seed) {
  Surface picture(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      picture.Row(y)[x] = (seed * 2654435761u + static_cast<uint32_t>(x * 31 + y * 977)) & 0xFFFFFF;
    }
  }
  return picture;
}

// A sheet whose mask (its first cell, black where a sprite is drawn) lets two pixels in three
// through on every row and column of a cell, and whose pictures are black where the mask is clear,
// as a masked sprite's must be: every row and column of a cell shows some of the sprite.
inline Surface SheetPicture() {
  Surface sheet = PatternPicture(64, 48, 7);
  for (int32_t y = 0; y < 48; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      const bool opaque = (x + y) % 3 != 0;
      if (x < 16 && y < 16) {
        sheet.Row(y)[x] = opaque ? 0 : 0xFFFFFF;
      } else if (!opaque) {
        sheet.Row(y)[x] = 0;
      }
    }
  }
  return sheet;
}

inline Surface Filled(int32_t width, int32_t height, uint32_t colour) {
  Surface surface(width, height);
  surface.Pixels.assign(surface.Pixels.size(), colour);
  return surface;
}

}  // namespace nuikaro
