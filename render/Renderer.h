// Composition of each complete frame into the back buffer.
#pragma once

#include <functional>
#include <string>

#include "game/Game.h"
#include "render/FontCache.h"
#include "render/Layout.h"
#include "render/Sprite.h"
#include "render/Surface.h"

namespace nuikaro {

// Everything the drawing reads and writes: the game it shows (read only), the back buffer standing
// for the window's device context, the two sprites and the fonts.
struct Renderer {
  explicit Renderer(const nuikaro::Game& game) : Game(game) {}

  const nuikaro::Game& Game;
  Surface BackBuffer{ScreenWidth, ScreenHeight};  // kept between frames
  Sprite BackSprite;
  Sprite ItemSprite;
  FontCache Fonts;
  std::function<void()> Refresh;  // shows BackBuffer in the window; may be empty
};

// Loads BackSprite from "BackTile.bmp" and then ItemSprite from "Nuik_Items.bmp" in directory
// (which ends in '/'). Throws PictureError for a missing or bad file, a tile that is not 1 to 480
// pixels in each direction, or a sheet outside 64 by 48 to 1024 by 1024; sizes are checked from
// the headers before anything is decoded.
void LoadSprites(Renderer& renderer, const std::string& directory);
// Frees BackSprite, then ItemSprite.
void FreeSprites(Renderer& renderer);

// Draws the whole frame: black, background tiles, items, snake, side panel (DrawPanel, in
// Panel.h); then Refresh.
void RenderFrame(Renderer& renderer);
void DrawBackground(Renderer& renderer);
void DrawItems(Renderer& renderer);
void DrawSnake(Renderer& renderer);

}  // namespace nuikaro
