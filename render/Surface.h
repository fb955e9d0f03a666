// A 32-bit software drawing surface and the four raster operations that every copy uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nuikaro {

// Pixels are XRGB8888 (blue in the lowest byte), the window's own format. The raster operations
// work on the colour bits; the top byte means nothing.
struct Surface {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint32_t> Pixels;  // Width * Height, row by row from the top left

  Surface() = default;
  Surface(int32_t width, int32_t height);  // all black

  uint32_t* Row(int32_t y) { return Pixels.data() + static_cast<std::size_t>(y) * Width; }
  const uint32_t* Row(int32_t y) const {
    return Pixels.data() + static_cast<std::size_t>(y) * Width;
  }
  uint32_t At(int32_t x, int32_t y) const { return Row(y)[x]; }
};

// Raster operation codes, as the drawing code names them.
inline constexpr uint32_t BLACKNESS = 0x00000042;  // black; no source is read
inline constexpr uint32_t SRCCOPY = 0x00CC0020;    // source
inline constexpr uint32_t SRCAND = 0x008800C6;     // destination AND source
inline constexpr uint32_t SRCPAINT = 0x00EE0086;   // destination OR source

// Copies a width by height block from source at (sourceX, sourceY) to dest at (x, y) with the
// raster operation. The block is clipped to both surfaces: nothing outside either is read or
// written. source may be null for BLACKNESS.
void BitBlt(Surface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
            const Surface* source, int32_t sourceX, int32_t sourceY, uint32_t rop);

// An RGB colour value as the text code takes it: red in the lowest byte.
inline constexpr int32_t RGB(int red, int green, int blue) {
  return red | (green << 8) | (blue << 16);
}

}  // namespace nuikaro
