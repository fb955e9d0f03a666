// Key releases: the game acts on presses only.
#pragma once

struct SDL_Window;

namespace nuikaro {

// Linux: on X11, stops the window from receiving key releases: each one would wake the event loop
// and run SDL's event pump once more for nothing. On Wayland it does nothing.
void DropKeyReleases(SDL_Window* window);

}  // namespace nuikaro
