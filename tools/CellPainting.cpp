#include "tools/CellPainting.h"

#include "tools/Artwork.h"

namespace nuikaro {

int Doubled(int coordinate) {
  return 2 * coordinate - (CellPixels - 1);
}

Rgba& At(Cell& cell, int x, int y) {
  return cell[static_cast<std::size_t>(y * CellPixels + x)];
}

void Put(Cell& cell, int x, int y, Rgba colour) {
  if (x >= 0 && y >= 0 && x < CellPixels && y < CellPixels && InSilhouette(x, y)) {
    At(cell, x, y) = colour;
  }
}

void FillSilhouette(Cell& cell, Rgba colour) {
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
      Put(cell, x, y, colour);
    }
  }
}

void Outline(Cell& cell, Rgba colour) {
  auto outside = [](int x, int y) {
    return x < 0 || y < 0 || x >= CellPixels || y >= CellPixels || !InSilhouette(x, y);
  };
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
      if (InSilhouette(x, y) &&
          (outside(x - 1, y) || outside(x + 1, y) || outside(x, y - 1) || outside(x, y + 1))) {
        At(cell, x, y) = colour;
      }
    }
  }
}

void Disc(Cell& cell, double cx, double cy, double radius, Rgba colour) {
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
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

Cell Rotate(const Cell& up, int quarterTurns) {
  Cell turned = up;
  for (int turn = 0; turn < quarterTurns; ++turn) {
    Cell next{};
    for (int y = 0; y < CellPixels; ++y) {
      for (int x = 0; x < CellPixels; ++x) {
        At(next, x, y) = turned[static_cast<std::size_t>((CellPixels - 1 - x) * CellPixels + y)];
      }
    }
    turned = next;
  }
  return turned;
}

void Place(Picture& sheet, int column, int row, const Cell& cell) {
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
      sheet.At(column * CellPixels + x, row * CellPixels + y) =
          cell[static_cast<std::size_t>(y * CellPixels + x)];
    }
  }
}

}  // namespace nuikaro
