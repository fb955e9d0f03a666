#include "tools/Artwork.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <stdexcept>

namespace nuikaro {

namespace {

// One 16 by 16 cell, drawn in its own coordinates and then placed on the sheet.
using Cell = std::array<Rgba, CellSize * CellSize>;

constexpr Rgba Black{0, 0, 0, 255};

// Board.
constexpr Rgba Felt{46, 86, 58, 255};
constexpr Rgba FeltSeam{34, 66, 44, 255};

// Snake.
constexpr Rgba SnakeSkin{156, 206, 64, 255};
constexpr Rgba SnakeBelly{196, 226, 110, 255};
constexpr Rgba SnakePattern{74, 132, 40, 255};
constexpr Rgba SnakeOutline{26, 52, 18, 255};
constexpr Rgba EyeWhite{250, 248, 232, 255};

// Items.
constexpr Rgba Cream{238, 226, 192, 255};
constexpr Rgba CreamOutline{128, 96, 52, 255};
constexpr Rgba AppleRed{214, 40, 40, 255};
constexpr Rgba AppleShade{150, 22, 30, 255};
constexpr Rgba AppleShine{255, 182, 170, 255};
constexpr Rgba Stem{104, 66, 28, 255};
constexpr Rgba Leaf{58, 150, 52, 255};
constexpr Rgba NightBlue{34, 52, 136, 255};
constexpr Rgba NightOutline{14, 20, 64, 255};
constexpr Rgba Gold{255, 208, 40, 255};
constexpr Rgba GoldShine{255, 244, 170, 255};
constexpr Rgba Poison{84, 30, 104, 255};
constexpr Rgba PoisonOutline{36, 10, 48, 255};
constexpr Rgba Bone{228, 218, 238, 255};
constexpr Rgba Hollow{40, 10, 52, 255};

// Pixel centres relative to the cell centre, doubled so they stay integers: -15, -13, ..., 15.
int Doubled(int coordinate) {
  return 2 * coordinate - (CellSize - 1);
}

Rgba& At(Cell& cell, int x, int y) {
  return cell[static_cast<std::size_t>(y * CellSize + x)];
}

// Only pixels inside the silhouette are ever painted, so no picture can leak outside the mask.
void Put(Cell& cell, int x, int y, Rgba colour) {
  if (x >= 0 && y >= 0 && x < CellSize && y < CellSize && InSilhouette(x, y)) {
    At(cell, x, y) = colour;
  }
}

void FillSilhouette(Cell& cell, Rgba colour) {
  for (int y = 0; y < CellSize; ++y) {
    for (int x = 0; x < CellSize; ++x) {
      Put(cell, x, y, colour);
    }
  }
}

// A one-pixel rim on the inside of the silhouette, so every picture reads on any background.
void Outline(Cell& cell, Rgba colour) {
  auto outside = [](int x, int y) {
    return x < 0 || y < 0 || x >= CellSize || y >= CellSize || !InSilhouette(x, y);
  };
  for (int y = 0; y < CellSize; ++y) {
    for (int x = 0; x < CellSize; ++x) {
      if (InSilhouette(x, y) &&
          (outside(x - 1, y) || outside(x + 1, y) || outside(x, y - 1) || outside(x, y + 1))) {
        At(cell, x, y) = colour;
      }
    }
  }
}

// A disc around (cx, cy) in pixel-centre coordinates (the cell centre is 7.5, 7.5).
void Disc(Cell& cell, double cx, double cy, double radius, Rgba colour) {
  for (int y = 0; y < CellSize; ++y) {
    for (int x = 0; x < CellSize; ++x) {
      const double dx = x - cx;
      const double dy = y - cy;
      if (dx * dx + dy * dy <= radius * radius) {
        Put(cell, x, y, colour);
      }
    }
  }
}

void Rect(Cell& cell, int left, int top, int right, int bottom, Rgba colour) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      Put(cell, x, y, colour);
    }
  }
}

// Turns a picture drawn facing up by a quarter turn clockwise per step, giving right, down, left.
Cell Rotate(const Cell& up, int quarterTurns) {
  Cell turned = up;
  for (int turn = 0; turn < quarterTurns; ++turn) {
    Cell next{};
    for (int y = 0; y < CellSize; ++y) {
      for (int x = 0; x < CellSize; ++x) {
        At(next, x, y) = turned[static_cast<std::size_t>((CellSize - 1 - x) * CellSize + y)];
      }
    }
    turned = next;
  }
  return turned;
}

Cell Mask() {
  Cell cell;
  cell.fill(Rgba{255, 255, 255, 255});
  for (int y = 0; y < CellSize; ++y) {
    for (int x = 0; x < CellSize; ++x) {
      if (InSilhouette(x, y)) {
        At(cell, x, y) = Black;
      }
    }
  }
  return cell;
}

// Kind 1, the small gain: a round red apple with a leaf on a cream plate.
Cell Apple() {
  Cell cell{};
  FillSilhouette(cell, Cream);
  Outline(cell, CreamOutline);
  Disc(cell, 7.5, 9.0, 4.6, AppleRed);
  for (int y = 0; y < CellSize; ++y) {
    for (int x = 0; x < CellSize; ++x) {
      const double dx = x - 7.5;
      const double dy = y - 9.0;
      if (dx * dx + dy * dy <= 4.6 * 4.6 && dx + dy >= 3.0) {
        Put(cell, x, y, AppleShade);
      }
    }
  }
  Put(cell, 5, 7, AppleShine);
  Put(cell, 5, 8, AppleShine);
  Put(cell, 6, 6, AppleShine);
  Rect(cell, 7, 3, 7, 4, Stem);
  Rect(cell, 8, 3, 10, 3, Leaf);
  Put(cell, 9, 2, Leaf);
  return cell;
}

// Kind 2, the big gain: a five-pointed gold star on a night-blue plate.
Cell Star() {
  Cell cell{};
  FillSilhouette(cell, NightBlue);
  Outline(cell, NightOutline);
  constexpr double cx = 7.5;
  constexpr double cy = 8.0;
  std::array<double, 20> corner{};  // x, y of ten corners, alternating outer and inner
  for (int i = 0; i < 10; ++i) {
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const double radius = (i % 2 == 0) ? 7.0 : 2.9;
    corner[static_cast<std::size_t>(2 * i)] = cx + radius * std::cos(angle);
    corner[static_cast<std::size_t>(2 * i + 1)] = cy + radius * std::sin(angle);
  }
  for (int y = 0; y < CellSize; ++y) {
    for (int x = 0; x < CellSize; ++x) {
      bool inside = false;  // even-odd crossing test at the pixel centre
      for (int i = 0, j = 9; i < 10; j = i++) {
        const double xi = corner[static_cast<std::size_t>(2 * i)];
        const double yi = corner[static_cast<std::size_t>(2 * i + 1)];
        const double xj = corner[static_cast<std::size_t>(2 * j)];
        const double yj = corner[static_cast<std::size_t>(2 * j + 1)];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) {
          inside = !inside;
        }
      }
      if (inside) {
        Put(cell, x, y, Gold);
      }
    }
  }
  Put(cell, 7, 7, GoldShine);
  Put(cell, 7, 6, GoldShine);
  Put(cell, 6, 7, GoldShine);
  return cell;
}

// Kind 3, the loss: a pale skull on a poison-purple plate.
Cell Skull() {
  Cell cell{};
  FillSilhouette(cell, Poison);
  Outline(cell, PoisonOutline);
  Disc(cell, 7.5, 6.5, 4.4, Bone);
  Rect(cell, 5, 9, 10, 12, Bone);
  Rect(cell, 4, 6, 6, 8, Hollow);  // eye sockets
  Rect(cell, 9, 6, 11, 8, Hollow);
  Put(cell, 4, 6, Bone);
  Put(cell, 11, 6, Bone);
  Put(cell, 7, 9, Hollow);  // nose
  Put(cell, 8, 9, Hollow);
  Put(cell, 6, 12, Hollow);  // gaps between the teeth
  Put(cell, 8, 12, Hollow);
  Put(cell, 10, 12, Hollow);
  return cell;
}

// A head facing up: eyes near the front edge with the pupils looking ahead, nostrils at the tip.
Cell HeadUp() {
  Cell cell{};
  FillSilhouette(cell, SnakeSkin);
  for (int y = 0; y < CellSize; ++y) {  // a dark diamond on the crown
    for (int x = 0; x < CellSize; ++x) {
      if (std::abs(Doubled(x)) + std::abs(2 * y - 19) <= 6) {
        Put(cell, x, y, SnakePattern);
      }
    }
  }
  Outline(cell, SnakeOutline);
  Rect(cell, 2, 3, 5, 6, EyeWhite);
  Rect(cell, 10, 3, 13, 6, EyeWhite);
  Put(cell, 2, 3, SnakeSkin);
  Put(cell, 13, 3, SnakeSkin);
  Rect(cell, 3, 3, 4, 4, Black);  // pupils at the front of each eye
  Rect(cell, 11, 3, 12, 4, Black);
  Put(cell, 6, 1, SnakeOutline);  // nostrils
  Put(cell, 9, 1, SnakeOutline);
  return cell;
}

// A body piece facing up: a dark chevron pointing the way the snake goes, on a light belly band.
Cell BodyUp() {
  Cell cell{};
  FillSilhouette(cell, SnakeSkin);
  for (int y = 0; y < CellSize; ++y) {
    for (int x = 0; x < CellSize; ++x) {
      const int across = std::abs(Doubled(x));  // 1, 3, ..., 15 from the middle line
      const int rise = 2 * y - across;          // a V opening downwards
      if (rise >= 6 && rise < 12) {
        Put(cell, x, y, SnakePattern);
      } else if (rise >= 16 && across <= 5) {
        Put(cell, x, y, SnakeBelly);
      }
    }
  }
  Outline(cell, SnakeOutline);
  return cell;
}

void Place(Picture& sheet, int column, int row, const Cell& cell) {
  for (int y = 0; y < CellSize; ++y) {
    for (int x = 0; x < CellSize; ++x) {
      sheet.At(column * CellSize + x, row * CellSize + y) =
          cell[static_cast<std::size_t>(y * CellSize + x)];
    }
  }
}

}  // namespace

bool InSilhouette(int x, int y) {
  // A circle through the pixel centres: rows of 4, 8, 10, 12, 14, 14, 16, 16 pixels from the top
  // edge to the middle, with flat 4-pixel sides where neighbouring cells touch.
  const int u = Doubled(x);
  const int v = Doubled(y);
  return u * u + v * v <= 240;
}

Picture DrawBackTile() {
  Picture tile(CellSize, CellSize, Felt);
  for (int y = 0; y < CellSize; ++y) {
    for (int x = 0; x < CellSize; ++x) {
      // A faint fixed weave so the felt is not flat; the same in every build, no random source.
      const int weave = ((x * 7 + y * 13 + x * y * 5) % 11) - 5;
      Rgba pixel = Felt;
      pixel.G = static_cast<std::uint8_t>(Felt.G + weave / 2);
      pixel.R = static_cast<std::uint8_t>(Felt.R + weave / 3);
      if (x == 0 || y == 0) {
        pixel = FeltSeam;  // the seams on two edges draw the 30 by 30 grid
      }
      tile.At(x, y) = pixel;
    }
  }
  return tile;
}

Picture DrawItemSheet() {
  Picture sheet(4 * CellSize, 3 * CellSize, Black);
  Place(sheet, 0, 0, Mask());
  Place(sheet, 1, 0, Apple());
  Place(sheet, 2, 0, Star());
  Place(sheet, 3, 0, Skull());
  const Cell head = HeadUp();
  const Cell body = BodyUp();
  for (int dir = 0; dir < 4; ++dir) {
    Place(sheet, dir, 1, Rotate(head, dir));
    Place(sheet, dir, 2, Rotate(body, dir));
  }
  return sheet;
}

Picture DrawIcon(int size) {
  // Each size has its own proportions and detail: the smallest keeps only what survives at 16
  // pixels (a big head with two eyes over one loop of body), the larger ones add stripes, pupils
  // and the tongue. Lengths are in pixels of that size.
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
    default:
      throw std::invalid_argument("icons are drawn at 16, 32, 48, 64, 128 and 256 pixels");
  }

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
  Picture icon(size, size, None);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int red = 0;
      int green = 0;
      int blue = 0;
      int covered = 0;
      for (int sy = 0; sy < Samples; ++sy) {
        for (int sx = 0; sx < Samples; ++sx) {
          const Rgba colour = sample(x + (sx + 0.5) / Samples, y + (sy + 0.5) / Samples);
          if (colour.A != 0) {
            red += colour.R;
            green += colour.G;
            blue += colour.B;
            ++covered;
          }
        }
      }
      if (covered > 0) {
        icon.At(x, y) = Rgba{static_cast<std::uint8_t>((red + covered / 2) / covered),
                             static_cast<std::uint8_t>((green + covered / 2) / covered),
                             static_cast<std::uint8_t>((blue + covered / 2) / covered),
                             static_cast<std::uint8_t>((covered * 255 + 8) / 16)};
      }
    }
  }
  return icon;
}

}  // namespace nuikaro
