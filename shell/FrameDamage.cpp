#include "shell/FrameDamage.h"

#include <algorithm>
#include <cstring>

#include "game/Game.h"

namespace nuikaro {

namespace {

bool SamePixels(const uint32_t* a, const uint32_t* b, int32_t count) {
  return std::memcmp(a, b, static_cast<std::size_t>(count) * sizeof(uint32_t)) == 0;
}

// Marks the tiles of the row of tiles from pixel row top to bottom whose pixels differ; false when
// none does.
bool MarkChangedTiles(const Surface& previous, const Surface& current, int32_t top, int32_t bottom,
                      std::vector<bool>& changed) {
  const int32_t width = current.Width;
  const auto tileColumns = static_cast<int32_t>(changed.size());
  std::fill(changed.begin(), changed.end(), false);
  bool any = false;
  for (int32_t y = top; y < bottom; ++y) {
    const uint32_t* before = previous.Row(y);
    const uint32_t* after = current.Row(y);
    // Most rows are unchanged: one comparison of the whole row settles them.
    if (SamePixels(before, after, width)) {
      continue;
    }
    any = true;
    for (int32_t column = 0; column < tileColumns; ++column) {
      const int32_t x = column * CellPixels;
      if (!changed[column] && !SamePixels(before + x, after + x, std::min(CellPixels, width - x))) {
        changed[column] = true;
      }
    }
  }
  return any;
}

}  // namespace

std::vector<Rect> FindChangedRectangles(const Surface& previous, const Surface& current) {
  std::vector<Rect> rectangles;
  const int32_t width = current.Width;
  const int32_t height = current.Height;
  const int32_t tileColumns = (width + CellPixels - 1) / CellPixels;
  std::vector<bool> changed(static_cast<std::size_t>(tileColumns));
  // The rectangles that reach the bottom of the tile row above, left to right: a span of this row
  // with the same columns grows one of them instead of starting a new one.
  std::size_t openBegin = 0;
  std::size_t openEnd = 0;
  for (int32_t top = 0; top < height; top += CellPixels) {
    const int32_t bottom = std::min(height, top + CellPixels);
    const bool any = MarkChangedTiles(previous, current, top, bottom, changed);
    const std::size_t rowBegin = rectangles.size();
    if (any) {
      std::size_t open = openBegin;
      for (int32_t column = 0; column < tileColumns;) {
        if (!changed[column]) {
          ++column;
          continue;
        }
        const int32_t first = column;
        while (column < tileColumns && changed[column]) {
          ++column;
        }
        const int32_t x = first * CellPixels;
        const int32_t spanWidth = std::min(width, column * CellPixels) - x;
        while (open < openEnd && rectangles[open].X < x) {
          ++open;
        }
        if (open < openEnd && rectangles[open].X == x && rectangles[open].Width == spanWidth) {
          Rect grown = rectangles[open];
          grown.Height = bottom - grown.Y;
          // Still open for the next row: moved to this row's list of reaching rectangles.
          rectangles[open].Width = 0;
          rectangles.push_back(grown);
        } else {
          rectangles.push_back({x, top, spanWidth, bottom - top});
        }
      }
    }
    openBegin = rowBegin;
    openEnd = rectangles.size();
  }
  // Rectangles carried down left an empty copy behind.
  std::erase_if(rectangles, [](const Rect& rectangle) { return rectangle.Width == 0; });
  return rectangles;
}

}  // namespace nuikaro
