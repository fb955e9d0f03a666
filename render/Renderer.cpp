#include "render/Renderer.h"

#include <algorithm>
#include <cstring>

namespace nuikaro {

namespace {

constexpr int32_t SheetCell = CellPixels;  // the sprite sheet's cells are board cells

bool SameTile(const Sprite& composedFrom, const Sprite& tile) {
  return composedFrom.Width == tile.Width && composedFrom.Height == tile.Height &&
         composedFrom.Pixels.Width == tile.Pixels.Width &&
         composedFrom.Pixels.Height == tile.Pixels.Height &&
         composedFrom.Pixels.Pixels == tile.Pixels.Pixels;
}

// The stretches of one board axis that the tiles cover: from origin 0 in steps of
// 480 \ (480 \ size) while the tile still fits, each as wide as what a copy of the tile can reach.
std::vector<BoardBackground::Span> CoveredSpans(int32_t size, int32_t pictureSize) {
  std::vector<BoardBackground::Span> spans;
  const int32_t step = BoardPixels / (BoardPixels / size);
  const int32_t reach = std::min(size, pictureSize);
  if (reach <= 0) {
    return spans;
  }
  for (int32_t origin = 0; origin <= BoardPixels - size; origin += step) {
    if (!spans.empty() && spans.back().End == origin) {
      spans.back().End = origin + reach;
    } else {
      spans.push_back({origin, origin + reach});
    }
  }
  return spans;
}

// Lays one band of tiles out on black exactly as the tile loop of DrawBackground does for every
// band of the board.
void ComposeBand(BoardBackground& background, const Sprite& tile) {
  const int32_t width = tile.Width;
  const int32_t height = tile.Height;
  const int32_t stepX = BoardPixels / (BoardPixels / width);
  const int32_t stepY = BoardPixels / (BoardPixels / height);
  background.Band = Surface(BoardPixels, stepY);
  for (int32_t x = 0; x <= BoardPixels - width; x += stepX) {
    BitBlt(background.Band, x, 0, width, height, &tile.Pixels, 0, 0, SRCCOPY);
  }
  background.Columns = CoveredSpans(width, tile.Pixels.Width);
  background.Rows = CoveredSpans(height, tile.Pixels.Height);
  background.Tile = tile;
}

// Four pixels at once, in whatever vector registers the machine has.
using FourPixels = uint32_t __attribute__((vector_size(4 * sizeof(uint32_t))));

// One row of a sheet cell: mask with AND, picture with OR, four pixels at a time. memcpy moves
// the pixels in and out of registers without any alignment or aliasing assumption.
void CombineRow(uint32_t* out, const uint32_t* mask, const uint32_t* picture) {
  for (int32_t column = 0; column < SheetCell; column += 4) {
    FourPixels board;
    FourPixels shape;
    FourPixels colour;
    std::memcpy(&board, out + column, sizeof board);
    std::memcpy(&shape, mask + column, sizeof shape);
    std::memcpy(&colour, picture + column, sizeof colour);
    board = (board & shape) | colour;
    std::memcpy(out + column, &board, sizeof board);
  }
}

// Combines one masked sheet cell into the back buffer at (x, y): the shared mask at (0, 0) with
// AND, then the picture at (pictureX, pictureY) with OR. Where the target and both cells lie wholly
// inside their surfaces (always, on the board) the two copies run as one pass with the same
// result; elsewhere the two clipped copies do it.
void DrawMaskedCell(Renderer& renderer, int32_t x, int32_t y, int32_t pictureX, int32_t pictureY) {
  Surface& dest = renderer.BackBuffer;
  const Surface& sheet = renderer.ItemSprite.Pixels;
  const bool inside = x >= 0 && y >= 0 && x <= dest.Width - SheetCell &&
                      y <= dest.Height - SheetCell && pictureX >= 0 && pictureY >= 0 &&
                      pictureX <= sheet.Width - SheetCell && pictureY <= sheet.Height - SheetCell &&
                      sheet.Width >= SheetCell && sheet.Height >= SheetCell;
  if (!inside) {
    BitBlt(dest, x, y, SheetCell, SheetCell, &sheet, 0, 0, SRCAND);
    BitBlt(dest, x, y, SheetCell, SheetCell, &sheet, pictureX, pictureY, SRCPAINT);
    return;
  }
  uint32_t* out = dest.Row(y) + x;
  const uint32_t* mask = sheet.Row(0);
  const uint32_t* picture = sheet.Row(pictureY) + pictureX;
  for (int32_t row = 0; row < SheetCell; ++row) {
    CombineRow(out, mask, picture);
    out += dest.Width;
    mask += sheet.Width;
    picture += sheet.Width;
  }
}

}  // namespace

void LoadSprites(Renderer& renderer, const std::string& directory) {
  // The tile loop divides by 480 \ size, so a tile must be 1 to 480 pixels in each direction. The
  // sheet's twelve cells need 64 by 48; more is never read. Both are checked from the header.
  constexpr SizeRule TileRule{1, 1, BoardPixels, BoardPixels, "a background tile"};
  constexpr SizeRule SheetRule{4 * SheetCell, 3 * SheetCell, LargestPictureSide, LargestPictureSide,
                               "the sprite sheet"};
  renderer.BackSprite = LoadSprite(LoadPicture(directory + BackTileFile, TileRule));
  renderer.ItemSprite = LoadSprite(LoadPicture(directory + ItemSheetFile, SheetRule));
}

void FreeSprites(Renderer& renderer) {
  FreeSprite(renderer.BackSprite);
  FreeSprite(renderer.ItemSprite);
}

void RenderFrame(Renderer& renderer) {
  BitBlt(renderer.BackBuffer, 0, 0, ScreenWidth, ScreenHeight, nullptr, 0, 0, BLACKNESS);
  DrawBackground(renderer);
  DrawItems(renderer);
  DrawSnake(renderer);
  DrawPanel(renderer);
  if (renderer.Refresh) {
    renderer.Refresh();
  }
}

void DrawBackground(Renderer& renderer) {
  const Sprite& tile = renderer.BackSprite;
  // No tile to repeat (a freed sprite, or one LoadSprites would have refused): the step of
  // 480 \ (480 \ size) has no value, so the board stays as it is.
  if (tile.Width < 1 || tile.Width > BoardPixels || tile.Height < 1 || tile.Height > BoardPixels) {
    return;
  }
  BoardBackground& background = renderer.Background;
  if (!SameTile(background.Tile, tile)) {
    ComposeBand(background, tile);
  }
  // Only what the tiles cover is copied, so gaps keep what lay there, as with one copy per tile.
  const int32_t stepY = background.Band.Height;
  for (const BoardBackground::Span& rows : background.Rows) {
    for (int32_t y = rows.Begin; y < rows.End; ++y) {
      for (const BoardBackground::Span& columns : background.Columns) {
        BitBlt(renderer.BackBuffer, columns.Begin, y, columns.End - columns.Begin, 1,
               &background.Band, columns.Begin, y % stepY, SRCCOPY);
      }
    }
  }
}

void DrawItems(Renderer& renderer) {
  const Game& game = renderer.State;
  for (int32_t slot = 0; slot < BoardItemCount; ++slot) {
    const Item& item = game.Items[slot];
    if (item.Kind == KindNone) {
      return;  // an empty slot ends the pass: later slots wait for the next frame
    }
    DrawMaskedCell(renderer, item.X * CellPixels, item.Y * CellPixels, item.Kind * SheetCell, 0);
  }
}

void DrawSnake(Renderer& renderer) {
  const Game& game = renderer.State;
  // From the tail down to the head, so a lower record lies on top and the head is always seen.
  for (int32_t index = SegmentCount - 1; index >= 0; --index) {
    const Segment& segment = game.Segments[index];
    if (segment.State == StateFree) {
      continue;
    }
    DrawMaskedCell(renderer, segment.X * CellPixels, segment.Y * CellPixels,
                   segment.Dir * SheetCell, segment.State * SheetCell);
  }
}

}  // namespace nuikaro
