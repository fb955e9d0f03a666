// What the BMP writer (BmpLayout.cpp) packs its rows with: the colour table's keys and RLE4 and
// RLE8 rows.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/Picture.h"

namespace nuikaro {

inline std::uint32_t ColourKey(const Rgba& pixel) {
  return static_cast<std::uint32_t>(pixel.R) << 16 | pixel.G << 8 | pixel.B;
}

// The row's pixels as indices into palette, or -1 for a pixel an RLE file leaves out.
std::vector<int> RowIndices(const Picture& picture, int y, bool skipsClear,
                            const std::vector<std::uint32_t>& palette);

// RLE8 (period 1) or RLE4 (period 2, the two halves of a byte alternating) for one row, from
// column start, which the previous row's jump may have set. Returns the column it ends at.
int EncodeRleRow(std::vector<std::uint8_t>& out, const std::vector<int>& row, int start, bool four);

}  // namespace nuikaro
