// The whole factor the desktop asks windows to open at: 2 and up on a high-density screen.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace nuikaro {

// On X11: GDK_SCALE, else the Xft.dpi resource, no larger than fits the window's screen (see
// StartScale). 1 elsewhere: on Wayland the compositor's output scale reaches the window through
// SDL's high-density support instead, as a larger drawable at the same window size.
int32_t DesktopStartScale(SDL_Window* window);

}  // namespace nuikaro
