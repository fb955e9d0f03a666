// One game in a window that is already made: the same on every system.
#pragma once

#include <SDL.h>

#include <functional>
#include <string>

namespace nuikaro {

// Makes Form1 in the window, loads it and runs its event loop until it closes. When a bitmap file
// is missing or bad, reportStartupError gets the file and the reason, and the game never starts.
// started runs once the first frame is drawn, just before the loop. Returns the program's exit
// status.
int RunGame(SDL_Window* window,
            const std::function<void(const std::string& file, const std::string& reason)>&
                reportStartupError,
            const std::function<void()>& started = {});

}  // namespace nuikaro
