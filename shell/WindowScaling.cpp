#include "shell/WindowScaling.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace nuikaro {

FramePlacement PlaceFrame(int32_t windowWidth, int32_t windowHeight) {
  const int32_t scale =
      std::max<int32_t>(1, std::min(windowWidth / ScreenWidth, windowHeight / ScreenHeight));
  return {scale, std::max<int32_t>(0, (windowWidth - ScreenWidth * scale) / 2),
          std::max<int32_t>(0, (windowHeight - ScreenHeight * scale) / 2)};
}

Rect PlacedPart(const FramePlacement& place, const Rect& part) {
  return {place.X + part.X * place.Scale, place.Y + part.Y * place.Scale, part.Width * place.Scale,
          part.Height * place.Scale};
}

namespace {

uint32_t* WindowRow(uint32_t* pixels, int32_t pitch, int32_t y) {
  return reinterpret_cast<uint32_t*>(reinterpret_cast<unsigned char*>(pixels) +
                                     static_cast<std::ptrdiff_t>(y) * pitch);
}

}  // namespace

void ScaleFrame(const Surface& frame, uint32_t* pixels, int32_t pitch, int32_t width,
                int32_t height) {
  const Rect shown =
      ScaleFramePart(frame, {0, 0, frame.Width, frame.Height}, pixels, pitch, width, height);
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* row = WindowRow(pixels, pitch, y);
    if (y < shown.Y || y >= shown.Y + shown.Height) {
      std::fill(row, row + width, 0u);
    } else {
      std::fill(row, row + shown.X, 0u);
      std::fill(row + shown.X + shown.Width, row + width, 0u);
    }
  }
}

Rect ScaleFramePart(const Surface& frame, const Rect& part, uint32_t* pixels, int32_t pitch,
                    int32_t width, int32_t height) {
  const FramePlacement place = PlaceFrame(width, height);
  const Rect placed = PlacedPart(place, part);
  const int32_t left = placed.X;
  const int32_t top = placed.Y;
  const int32_t right = std::min(width, left + placed.Width);
  const int32_t bottom = std::min(height, top + placed.Height);
  if (right <= left || bottom <= top) {
    return {};
  }
  for (int32_t y = top; y < bottom; ++y) {
    uint32_t* row = WindowRow(pixels, pitch, y);
    const uint32_t* source = frame.Row((y - place.Y) / place.Scale);
    if (place.Scale == 1) {
      std::memcpy(row + left, source + part.X,
                  static_cast<std::size_t>(right - left) * sizeof(uint32_t));
    } else {
      for (int32_t x = left; x < right; ++x) {
        row[x] = source[(x - place.X) / place.Scale];
      }
    }
  }
  return {left, top, right - left, bottom - top};
}

namespace {

// A whole number of at least 1 from the text, or 0 when the text is none.
int32_t ParseWhole(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && value >= 1 && value <= 64 ? static_cast<int32_t>(value) : 0;
}

}  // namespace

int32_t StartScale(const char* gdkScale, const char* xftDpi, int32_t usableWidth,
                   int32_t usableHeight) {
  int32_t wanted = ParseWhole(gdkScale);
  if (wanted == 0 && xftDpi != nullptr) {
    char* end = nullptr;
    const double dpi = std::strtod(xftDpi, &end);
    if (end != xftDpi && dpi >= 96 && dpi < 96 * 64) {
      wanted = static_cast<int32_t>(dpi / 96);
    }
  }
  int32_t scale = std::max<int32_t>(1, wanted);
  while (scale > 1 && (ScreenWidth * scale > usableWidth || ScreenHeight * scale > usableHeight)) {
    --scale;
  }
  return scale;
}

}  // namespace nuikaro
