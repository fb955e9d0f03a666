// Dropping key releases on X11.
#include "linux/KeyReleases.h"

#include "shell/NativeWindow.h"

namespace nuikaro {

void DropKeyReleases(SDL_Window* window) {
  const auto native = NativeWindow(window, SDL_SYSWM_X11);
  if (!native) {
    return;
  }
  const auto& x11 = native->info.x11;  // the display connection and the window
  XWindowAttributes attributes;
  if (XGetWindowAttributes(x11.display, x11.window, &attributes) != 0) {
    XSelectInput(x11.display, x11.window, attributes.your_event_mask & ~KeyReleaseMask);
  }
}

}  // namespace nuikaro
