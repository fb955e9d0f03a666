#include "render/Text.h"

#include <algorithm>

namespace nuikaro {

namespace {

// Blends colour into target through the mask placed with its cell's top left at (x, y).
void BlendMask(Surface& target, const TextMask& mask, int32_t x, int32_t y, uint32_t colour) {
  const uint32_t red = (colour >> 16) & 0xFF;
  const uint32_t green = (colour >> 8) & 0xFF;
  const uint32_t blue = colour & 0xFF;
  // 64-bit so that no far-off position overflows while clipping.
  const int64_t originX = x;
  const int64_t originY = static_cast<int64_t>(y) + mask.Top;
  const int64_t firstColumn = std::max<int64_t>(0, -originX);
  const int64_t endColumn = std::min<int64_t>(mask.Width, target.Width - originX);
  const int64_t firstRow = std::max<int64_t>(0, -originY);
  const int64_t endRow = std::min<int64_t>(mask.Height, target.Height - originY);
  const auto mix = [](uint32_t below, uint32_t ink, uint32_t coverage) {
    return (below * (255 - coverage) + ink * coverage + 127) / 255;
  };
  for (int64_t row = firstRow; row < endRow; ++row) {
    const uint8_t* coverage = mask.Coverage.data() + row * mask.Width;
    uint32_t* pixels = target.Row(static_cast<int32_t>(originY + row));
    for (int64_t column = firstColumn; column < endColumn; ++column) {
      const uint32_t alpha = coverage[column];
      if (alpha == 0) {
        continue;
      }
      uint32_t& pixel = pixels[originX + column];
      pixel = (pixel & 0xFF000000) | mix((pixel >> 16) & 0xFF, red, alpha) << 16 |
              mix((pixel >> 8) & 0xFF, green, alpha) << 8 | mix(pixel & 0xFF, blue, alpha);
    }
  }
}

}  // namespace

void DrawString(const DeviceContext& dc, std::string_view text, int32_t x, int32_t y,
                int32_t height, int32_t weight, int32_t italic, uint32_t colour,
                std::string_view faceName) {
  CachedFont* font = dc.Fonts.Font(faceName, height, weight, italic);
  if (AnsiByteLength(text) == 0) {
    return;
  }
  // A text of at least one code-page byte is drawn whole.
  BlendMask(dc.Target, dc.Fonts.Rendered(font, text), x, y, colour);
}

}  // namespace nuikaro
