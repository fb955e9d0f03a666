// The Windows icon file (.ico) that the Windows build compiles into the program.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/Picture.h"

namespace nuikaro {

// One .ico holding each picture as a 32-bit image with its alpha (BITMAPINFOHEADER, bottom-up
// rows, then the 1-bit mask that older readers use: set where the pixel is fully transparent).
// Pictures must be square, 1 to 256 pixels.
std::vector<std::uint8_t> EncodeIco(std::span<const Picture> pictures);

}  // namespace nuikaro
