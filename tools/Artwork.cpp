#include "tools/Artwork.h"

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
  if (size != 16 && size != 32 && size != 48) {
    throw std::invalid_argument("icons are drawn at 16, 32 and 48 pixels");
  }
  return Picture(size, size, Rgba{0, 0, 0, 0});
}

}  // namespace nuikaro
