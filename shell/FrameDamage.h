// Which parts of a frame changed since the one shown before: what the window has to be sent.
//
// Pure pixel work on two surfaces, so it is tested and timed without a window. It lives in the
// shell because deciding what to send to the window is presenting; render/ draws every frame whole
// and keeps no memory of what was shown.
#pragma once

#include <cstdint>
#include <vector>

#include "render/Surface.h"

namespace nuikaro {

struct Rect {
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const Rect&) const = default;
};

// Damage is found in square tiles of this many pixels, one board cell: a move changes whole cells.
inline constexpr int32_t DamageTilePixels = 16;

// The rectangles of current whose pixels differ from previous (both the same size). Every changed
// pixel lies in exactly one rectangle; each rectangle is a union of whole tiles (clipped to the
// surface) and holds no tile without a changed pixel. Adjacent changed tiles of a tile row are
// joined, and rows of tiles with the same span are joined downwards. Empty when nothing changed.
std::vector<Rect> FindChangedRectangles(const Surface& previous, const Surface& current);

}  // namespace nuikaro
