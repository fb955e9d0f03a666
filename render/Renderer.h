// Composition of each complete frame into the back buffer.
#pragma once

#include <functional>
#include <vector>

#include "game/Game.h"
#include "render/Sprite.h"
#include "render/Surface.h"
#include "render/Text.h"

namespace nuikaro {

// One band of the board's tiles laid out once from BackSprite, so that a frame copies long rows
// instead of hundreds of small tiles. Every band of tiles down the board is the same, so one band,
// StepY rows high, stands for all of them and stays small enough to remain in the cache.
// DrawBackground builds it and builds it again whenever BackSprite no longer matches Tile.
struct BoardBackground {
  struct Span {
    int32_t Begin;
    int32_t End;  // one past the last covered pixel
  };
  Sprite Tile;                // the tile the board was laid out from
  Surface Band;               // BoardPixels wide, StepY high: one row of tiles on black
  std::vector<Span> Columns;  // the x ranges the tiles cover, adjacent ones merged
  std::vector<Span> Rows;     // the y ranges likewise
};

// Everything the drawing reads and writes: the game it shows (read only), the back buffer standing
// for the window's device context, the two sprites and the fonts.
struct Renderer {
  explicit Renderer(const Game& game) : State(game) {}

  const Game& State;
  Surface BackBuffer{ScreenWidth, ScreenHeight};  // kept between frames
  Sprite BackSprite;
  Sprite ItemSprite;
  FontCache Fonts;
  std::function<void()> Refresh;  // shows BackBuffer in the window; may be empty
  BoardBackground Background;     // DrawBackground's own; nothing else reads it
};

// Loads BackSprite from "BackTile.bmp" and then ItemSprite from "Nuik_Items.bmp" in directory
// (which ends in '/'). Throws PictureError for a missing or bad file, a tile that is not 1 to 480
// pixels in each direction, or a sheet outside 64 by 48 to 1024 by 1024; sizes are checked from
// the headers before anything is decoded.
void LoadSprites(Renderer& renderer, const std::string& directory);
// Frees BackSprite, then ItemSprite.
void FreeSprites(Renderer& renderer);

// Draws the whole frame: black, background tiles, items, snake, side panel; then Refresh.
void RenderFrame(Renderer& renderer);
void DrawBackground(Renderer& renderer);
void DrawItems(Renderer& renderer);
void DrawSnake(Renderer& renderer);
void DrawPanel(Renderer& renderer);

}  // namespace nuikaro
