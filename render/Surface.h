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

// The four raster operations; the values are the platform's own codes for them.
enum class RasterOp : uint32_t {
  Blackness = 0x00000042,    // black; no source is read
  SourceCopy = 0x00CC0020,   // source
  SourceAnd = 0x008800C6,    // destination AND source
  SourcePaint = 0x00EE0086,  // destination OR source
};

// Copies a width by height block from source at (sourceX, sourceY) to dest at (x, y) with the
// raster operation. The block is clipped to both surfaces: nothing outside either is read or
// written. source may be null for Blackness.
void BitBlt(Surface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
            const Surface* source, int32_t sourceX, int32_t sourceY, RasterOp rop);

// A colour as pixels hold it (XRGB8888, blue in the lowest byte). Text takes its colour in the
// same encoding, so a pixel and a text colour can never be mixed up.
inline constexpr uint32_t Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
}

}  // namespace nuikaro
