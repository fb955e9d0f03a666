// Kept apart from the game's headers: Xlib defines True and False as macros.
#include "shell/KeyReleases.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace nuikaro {

void DropKeyReleases(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return;
  }
  XWindowAttributes attributes;
  if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) != 0) {
    XSelectInput(info.info.x11.display, info.info.x11.window,
                 attributes.your_event_mask & ~KeyReleaseMask);
  }
}

}  // namespace nuikaro
