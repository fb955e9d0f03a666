// Xlib defines True and False as macros: the game's headers come before it.
#include "shell/DesktopScale.h"

#include <cstdlib>

#include "shell/WindowScaling.h"

#include <SDL_syswm.h>

namespace nuikaro {

int32_t DesktopStartScale(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return 1;
  }
  SDL_Rect usable{0, 0, 0, 0};
  if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window), &usable) != 0) {
    return 1;
  }
  // The resource database was read from the root window when SDL opened the display.
  const char* xftDpi = XGetDefault(info.info.x11.display, "Xft", "dpi");
  return StartScale(std::getenv("GDK_SCALE"), xftDpi, usable.w, usable.h);
}

}  // namespace nuikaro
