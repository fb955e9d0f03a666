#include "shell/WindowScaling.h"

#include <algorithm>
#include <cstring>

namespace nuikaro {

FramePlacement PlaceFrame(int32_t windowWidth, int32_t windowHeight) {
  const int32_t scale =
      std::max<int32_t>(1, std::min(windowWidth / ScreenWidth, windowHeight / ScreenHeight));
  return {scale, std::max<int32_t>(0, (windowWidth - ScreenWidth * scale) / 2),
          std::max<int32_t>(0, (windowHeight - ScreenHeight * scale) / 2)};
}

void ScaleFrame(const Surface& frame, uint32_t* pixels, int32_t pitch, int32_t width,
                int32_t height) {
  const FramePlacement place = PlaceFrame(width, height);
  const int32_t shownWidth = std::min(width - place.X, frame.Width * place.Scale);
  const int32_t shownHeight = std::min(height - place.Y, frame.Height * place.Scale);
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(reinterpret_cast<unsigned char*>(pixels) +
                                                static_cast<std::ptrdiff_t>(y) * pitch);
    const int32_t frameY = y - place.Y;
    if (frameY < 0 || frameY >= shownHeight) {
      std::fill(row, row + width, 0u);
      continue;
    }
    const uint32_t* source = frame.Row(frameY / place.Scale);
    std::fill(row, row + place.X, 0u);
    if (place.Scale == 1) {
      std::memcpy(row + place.X, source, static_cast<std::size_t>(shownWidth) * sizeof(uint32_t));
    } else {
      for (int32_t x = 0; x < shownWidth; ++x) {
        row[place.X + x] = source[x / place.Scale];
      }
    }
    std::fill(row + place.X + shownWidth, row + width, 0u);
  }
}

}  // namespace nuikaro
