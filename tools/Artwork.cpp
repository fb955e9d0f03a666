#include "tools/Artwork.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <numbers>

#include "tools/CellPainting.h"
#include "tools/Palette.h"

namespace nuikaro {

namespace {

Cell Mask() {
  Cell cell;
  cell.fill(Rgba{255, 255, 255, 255});
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
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
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
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
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
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
  for (int y = 0; y < CellPixels; ++y) {  // a dark diamond on the crown
    for (int x = 0; x < CellPixels; ++x) {
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
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
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

}  // namespace

bool InSilhouette(int x, int y) {
  // A circle through the pixel centres: rows of 4, 8, 10, 12, 14, 14, 16, 16 pixels from the top
  // edge to the middle, with flat 4-pixel sides where neighbouring cells touch.
  const int u = Doubled(x);
  const int v = Doubled(y);
  return u * u + v * v <= 240;
}

Picture DrawBackTile() {
  Picture tile(CellPixels, CellPixels, Felt);
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
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
  Picture sheet(4 * CellPixels, 3 * CellPixels, Black);
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

}  // namespace nuikaro
