// The start scale on X11: what the desktop's resources ask for.
#include <cstdlib>

#include "shell/FrontEnd.h"
#include "shell/NativeWindow.h"
#include "shell/WindowScaling.h"

namespace nuikaro {

int32_t DesktopStartScale(SDL_Window* window) {
  const auto native = NativeWindow(window, SDL_SYSWM_X11);
  if (!native) {
    return 1;
  }
  // Left 0 by 0 when SDL cannot say (it writes nothing then): no factor above 1 fits in that.
  SDL_Rect usable{};
  SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window), &usable);
  // The resource database was read from the root window when SDL opened the display.
  const char* xftDpi = XGetDefault(native->info.x11.display, "Xft", "dpi");
  return StartScale(std::getenv("GDK_SCALE"), xftDpi, usable.w, usable.h);
}

}  // namespace nuikaro
