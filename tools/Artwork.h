// The game's pictures, drawn pixel by pixel. The sheet layout is what the renderer reads:
// row 0 the mask then the items of kind 1 to 3, row 1 the heads and row 2 the body pieces, each
// in direction order up, right, down, left.
#pragma once

#include <array>

#include "game/Game.h"  // CellPixels: the sheet's cells are board cells
#include "tools/Picture.h"

namespace nuikaro {

// The board tile, 16 by 16, repeated 30 by 30 times.
Picture DrawBackTile();

// The sprite sheet, 64 by 48. All eleven pictures share the round silhouette of the mask cell
// and are pure black outside it, because the renderer ANDs the mask and then ORs the picture.
Picture DrawItemSheet();

// True where the shared silhouette is opaque, for x and y inside one 16 by 16 cell.
bool InSilhouette(int x, int y);

// The sizes the icon is drawn at: 16 to 48 for windows and menus, 64 to 256 for launchers and
// software centres. Each size is drawn on its own, never scaled from another.
constexpr std::array<int, 6> IconSizes{16, 32, 48, 64, 128, 256};

// The web page's sizes (its manifest asks for 192 and 512).
constexpr std::array<int, 2> WebIconSizes{192, 512};

// The icon at one of IconSizes or WebIconSizes, transparent around the motif.
Picture DrawIcon(int size);

// The icon at one of WebIconSizes for launchers that cut their own shape out of it: opaque felt
// to the edges, the motif within the middle 80 %.
Picture DrawMaskableIcon(int size);

}  // namespace nuikaro
