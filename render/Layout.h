// Where things stand in the window: the frame's size and the board's part of it, in pixels.
#pragma once

#include <cstdint>

#include "game/Game.h"

namespace nuikaro {

inline constexpr int32_t ScreenWidth = 640;  // the window's client area, board and side panel
inline constexpr int32_t ScreenHeight = 480;
inline constexpr int32_t BoardPixels = BoardSize * CellPixels;  // the board covers x and y 0 to 479
static_assert(BoardPixels == 480);

}  // namespace nuikaro
