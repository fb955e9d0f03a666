#include "render/Renderer.h"

#include <cassert>
#include <cstring>

#include "render/Panel.h"

namespace nuikaro {

namespace {

// One row of a sheet cell: mask with AND, picture with OR. The loop works on a copy of the row,
// which cannot overlap the sheet, so the compiler may combine several pixels at once.
void CombineRow(uint32_t* out, const uint32_t* mask, const uint32_t* picture) {
  uint32_t row[CellPixels];
  std::memcpy(row, out, sizeof row);
  for (int32_t column = 0; column < CellPixels; ++column) {
    row[column] = (row[column] & mask[column]) | picture[column];
  }
  std::memcpy(out, row, sizeof row);
}

// Combines one masked sheet cell into the back buffer at (x, y): the shared mask at (0, 0) with
// AND, then the picture at (pictureX, pictureY) with OR, in one pass. The cells lie wholly inside
// both surfaces: the board fits the back buffer, and LoadSprites refuses a sheet smaller than its
// twelve cells.
void DrawMaskedCell(Renderer& renderer, int32_t x, int32_t y, int32_t pictureX, int32_t pictureY) {
  Surface& dest = renderer.BackBuffer;
  const Surface& sheet = renderer.ItemSprite.Pixels;
  assert(x >= 0 && y >= 0 && x <= dest.Width - CellPixels && y <= dest.Height - CellPixels);
  assert(pictureX >= 0 && pictureY >= 0 && pictureX <= sheet.Width - CellPixels &&
         pictureY <= sheet.Height - CellPixels);
  uint32_t* out = dest.Row(y) + x;
  const uint32_t* mask = sheet.Row(0);
  const uint32_t* picture = sheet.Row(pictureY) + pictureX;
  for (int32_t row = 0; row < CellPixels; ++row) {
    CombineRow(out, mask, picture);
    out += dest.Width;
    mask += sheet.Width;
    picture += sheet.Width;
  }
}

}  // namespace

void LoadSprites(Renderer& renderer, const std::string& directory) {
  // The tile loop divides by 480 / size, so a tile must be 1 to 480 pixels in each direction. The
  // sheet's twelve cells need 64 by 48; more is never read. Both are checked from the header.
  constexpr SizeRule TileRule{1, 1, BoardPixels, BoardPixels, "a background tile"};
  constexpr SizeRule SheetRule{4 * CellPixels, 3 * CellPixels, LargestPictureSide,
                               LargestPictureSide, "the sprite sheet"};
  renderer.BackSprite = LoadSprite(LoadPicture(directory + BackTileFile, TileRule));
  renderer.ItemSprite = LoadSprite(LoadPicture(directory + ItemSheetFile, SheetRule));
}

void FreeSprites(Renderer& renderer) {
  FreeSprite(renderer.BackSprite);
  FreeSprite(renderer.ItemSprite);
}

void RenderFrame(Renderer& renderer) {
  BitBlt(renderer.BackBuffer, 0, 0, ScreenWidth, ScreenHeight, nullptr, 0, 0, RasterOp::Blackness);
  DrawBackground(renderer);
  DrawItems(renderer);
  DrawSnake(renderer);
  DrawPanel(renderer);
}

void DrawBackground(Renderer& renderer) {
  const Sprite& tile = renderer.BackSprite;
  // No tile to repeat (a freed sprite, or one LoadSprites would have refused): the step of
  // 480 / (480 / size) has no value, so the board stays as it is.
  if (tile.Width < 1 || tile.Width > BoardPixels || tile.Height < 1 || tile.Height > BoardPixels) {
    return;
  }
  // One copy per tile. Where the size does not divide 480 the spacing stretches, not the tile, and
  // black gaps remain.
  const int32_t stepX = BoardPixels / (BoardPixels / tile.Width);
  const int32_t stepY = BoardPixels / (BoardPixels / tile.Height);
  for (int32_t x = 0; x <= BoardPixels - tile.Width; x += stepX) {
    for (int32_t y = 0; y <= BoardPixels - tile.Height; y += stepY) {
      BitBlt(renderer.BackBuffer, x, y, tile.Width, tile.Height, &tile.Pixels, 0, 0,
             RasterOp::SourceCopy);
    }
  }
}

void DrawItems(Renderer& renderer) {
  const Game& game = renderer.Game;
  for (int32_t slot = 0; slot < BoardItemCount; ++slot) {
    const Item& item = game.Items[slot];
    if (item.Kind == KindNone) {
      return;  // an empty slot ends the pass: later slots wait for the next frame
    }
    DrawMaskedCell(renderer, item.X * CellPixels, item.Y * CellPixels, item.Kind * CellPixels, 0);
  }
}

void DrawSnake(Renderer& renderer) {
  const Game& game = renderer.Game;
  // From the tail down to the head, so a lower record lies on top and the head is always seen.
  for (int32_t index = SegmentCount - 1; index >= 0; --index) {
    const Segment& segment = game.Segments[index];
    if (segment.State == StateFree) {
      continue;
    }
    DrawMaskedCell(renderer, segment.X * CellPixels, segment.Y * CellPixels,
                   segment.Dir * CellPixels, segment.State * CellPixels);
  }
}

}  // namespace nuikaro
