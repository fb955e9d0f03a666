// Which parts of a frame changed since the one shown before: what the window has to be sent.
//
// Pure pixel work on two surfaces, so it is tested and timed without a window. It lives in the
// shell because deciding what to send to the window is presenting; render/ draws every frame whole
// and keeps no memory of what was shown.
#pragma once

#include <vector>

#include "render/Surface.h"
#include "shell/Rect.h"

namespace nuikaro {

// The rectangles of current whose pixels differ from previous (both the same size). Damage is
// found in square tiles of one board cell (CellPixels): a move changes whole cells. Every changed
// pixel lies in exactly one rectangle; each rectangle is a union of whole tiles (clipped to the
// surface) and holds no tile without a changed pixel. Adjacent changed tiles of a tile row are
// joined, and rows of tiles with the same span are joined downwards. Empty when nothing changed.
std::vector<Rect> FindChangedRectangles(const Surface& previous, const Surface& current);

}  // namespace nuikaro
