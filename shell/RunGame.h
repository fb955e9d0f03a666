// One game in a window that is already made: the same on every system.
#pragma once

#include <SDL.h>

#include <functional>

namespace nuikaro {

// Makes Form1 in the window, loads it and runs its event loop until it closes. Throws
// StartupError when the game cannot start (a bitmap file missing or bad, no way to show a frame);
// the window is then never shown. started runs once the first frame is drawn, just before the
// loop. Returns the program's exit status once the loop has ended.
int RunGame(SDL_Window* window, const std::function<void()>& started = {});

}  // namespace nuikaro
