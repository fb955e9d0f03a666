// The window icon: a coiled snake raising its head, drawn at each size on its own; the web page's
// sizes are the largest one's proportions, and its maskable icon the same motif on felt.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>

#include "tools/Artwork.h"
#include "tools/Palette.h"

namespace nuikaro {

namespace {

// Lengths in pixels of one icon size.
struct Style {
  double coilX, coilY, coilRadius, coilHalfWidth;
  double headX, headY, headRadiusX, headRadiusY;
  double eyeSpread, eyeRise, eyeRadius, pupilRadius;
  double outline;
  int stripes;
  bool tongue;
  double tongueHalfWidth;
  double shineRadius;  // a glint in each pupil, only where there are pixels enough for it
};

Style StyleFor(int size) {
  // Each size has its own proportions and detail: the smallest keeps only what survives at 16
  // pixels (a big head with two eyes over one loop of body), the larger ones add stripes, pupils
  // and the tongue.
  Style style{};
  switch (size) {
    case 16:
      style = {8.0, 12.0, 2.9, 1.9, 8.0, 6.0, 6.4, 5.2, 2.9, 0.3, 1.9, 1.0, 1.0, 0, false, 0, 0};
      break;
    case 32:
      style = {14.2, 19.6, 7.9, 3.9, 19.4, 11.0, 8.4, 7.0, 3.8,
               1.5,  2.6,  1.3, 1.2, 8,    true, 0.6, 0};
      break;
    case 48:
      style = {21.4, 29.2, 12.0, 5.8, 29.0, 16.4, 12.2, 10.2, 5.5,
               2.3,  3.7,  1.9,  1.6, 12,   true, 0.75, 0};
      break;
    case 64:
      style = {28.5, 38.9, 16.0, 7.7, 38.7, 21.9, 16.3, 13.6, 7.3,
               3.1,  4.9,  2.5,  2.0, 14,   true, 1.0,  0.8};
      break;
    case 128:
      style = {57.1, 77.9, 32.0, 15.5, 77.3, 43.7, 32.5, 27.2, 14.7,
               6.1,  9.9,  5.1,  3.4,  16,   true, 1.9,  1.6};
      break;
    case 256:
      style = {114.1, 155.7, 64.0, 30.9, 154.7, 87.5, 65.1, 54.4, 29.3,
               12.3,  19.7,  10.1, 6.0,  18,    true, 3.7,  3.2};
      break;
    case 192:
    case 512: {
      style = StyleFor(256);
      const double k = size / 256.0;
      for (double* length : {&style.coilX, &style.coilY, &style.coilRadius, &style.coilHalfWidth,
                             &style.headX, &style.headY, &style.headRadiusX, &style.headRadiusY,
                             &style.eyeSpread, &style.eyeRise, &style.eyeRadius, &style.pupilRadius,
                             &style.outline, &style.tongueHalfWidth, &style.shineRadius}) {
        *length *= k;
      }
      break;
    }
    default:
      throw std::invalid_argument(
          "icons are drawn at 16, 32, 48, 64, 128, 192, 256 and 512 pixels");
  }
  return style;
}

// The motif drawn k times its size about the picture's middle, over background.
Picture Paint(int size, double k, Rgba background) {
  const Style style = StyleFor(size);

  constexpr Rgba Tongue{226, 36, 52, 255};
  constexpr Rgba None{0, 0, 0, 0};

  // The colour at one point, top layer first: tongue, eyes, head, coil.
  auto sample = [&](double px, double py) -> Rgba {
    const double hx = px - style.headX;
    const double hy = py - style.headY;
    if (style.tongue) {
      const double tip = style.headRadiusY * 0.5;  // tongue length beyond the head
      const double top = -style.headRadiusY;
      if (hy < top + 1.0 && hy > top - tip) {
        const double fork = std::max(0.0, (top - tip * 0.35) - hy);  // the split near the tip
        if (std::abs(std::abs(hx) - fork * 0.6) <= style.tongueHalfWidth) {
          return Tongue;
        }
      }
    }
    for (int side = -1; side <= 1; side += 2) {
      const double ex = hx - side * style.eyeSpread;
      const double ey = hy + style.eyeRise;
      const double pupilY = ey + style.eyeRadius * 0.35;  // pupils look ahead, up the icon
      if (ex * ex + pupilY * pupilY <= style.pupilRadius * style.pupilRadius) {
        const double shineX = ex + style.pupilRadius * 0.35;
        const double shineY = pupilY + style.pupilRadius * 0.35;
        if (shineX * shineX + shineY * shineY < style.shineRadius * style.shineRadius) {
          return EyeWhite;
        }
        return Black;
      }
      if (ex * ex + ey * ey <= style.eyeRadius * style.eyeRadius) {
        return EyeWhite;
      }
    }
    const double outer = (hx * hx) / (style.headRadiusX * style.headRadiusX) +
                         (hy * hy) / (style.headRadiusY * style.headRadiusY);
    if (outer <= 1.0) {
      const double innerX = style.headRadiusX - style.outline;
      const double innerY = style.headRadiusY - style.outline;
      const double inner = (hx * hx) / (innerX * innerX) + (hy * hy) / (innerY * innerY);
      if (inner > 1.0) {
        return SnakeOutline;
      }
      return SnakeSkin;
    }
    const double cx = px - style.coilX;
    const double cy = py - style.coilY;
    const double across = std::sqrt(cx * cx + cy * cy) - style.coilRadius;
    if (std::abs(across) <= style.coilHalfWidth) {
      if (std::abs(across) > style.coilHalfWidth - style.outline) {
        return SnakeOutline;
      }
      if (style.stripes > 0) {
        const double turn = (std::atan2(cy, cx) + std::numbers::pi) / (2 * std::numbers::pi);
        const double phase = turn * style.stripes - std::floor(turn * style.stripes);
        // Chevrons: the band bends with the distance from the middle of the body.
        const double bent = phase + 0.08 * std::abs(across) / style.coilHalfWidth * 4.0;
        if (bent - std::floor(bent) < 0.32) {
          return SnakePattern;
        }
      }
      return across < -style.coilHalfWidth * 0.15 ? SnakeBelly : SnakeSkin;
    }
    return None;
  };

  // Four by four samples per pixel give smooth edges; alpha is the covered share.
  constexpr int Samples = 4;
  Picture icon(size, size, background);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int red = 0;
      int green = 0;
      int blue = 0;
      int covered = 0;
      for (int sy = 0; sy < Samples; ++sy) {
        for (int sx = 0; sx < Samples; ++sx) {
          const Rgba colour = sample((x + (sx + 0.5) / Samples - size / 2.0) / k + size / 2.0,
                                     (y + (sy + 0.5) / Samples - size / 2.0) / k + size / 2.0);
          if (colour.A != 0) {
            red += colour.R;
            green += colour.G;
            blue += colour.B;
            ++covered;
          }
        }
      }
      if (covered > 0 && background.A != 0) {
        // Over an opaque background the uncovered share is the background's colour.
        const int rest = Samples * Samples - covered;
        icon.At(x, y) = Rgba{static_cast<std::uint8_t>((red + rest * background.R + 8) / 16),
                             static_cast<std::uint8_t>((green + rest * background.G + 8) / 16),
                             static_cast<std::uint8_t>((blue + rest * background.B + 8) / 16), 255};
      } else if (covered > 0) {
        icon.At(x, y) = Rgba{static_cast<std::uint8_t>((red + covered / 2) / covered),
                             static_cast<std::uint8_t>((green + covered / 2) / covered),
                             static_cast<std::uint8_t>((blue + covered / 2) / covered),
                             static_cast<std::uint8_t>((covered * 255 + 8) / 16)};
      }
    }
  }
  return icon;
}

}  // namespace

Picture DrawIcon(int size) {
  return Paint(size, 1.0, Rgba{0, 0, 0, 0});
}

Picture DrawMaskableIcon(int size) {
  // A launcher may cut the icon to a circle of 80 % of its width: the motif keeps inside it.
  return Paint(size, 0.7, Felt);
}

}  // namespace nuikaro
