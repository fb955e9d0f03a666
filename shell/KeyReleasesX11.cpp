// Dropping key releases on X11.
#include "shell/KeyReleases.h"

#include "shell/NativeWindow.h"

namespace nuikaro {

void DropKeyReleases(SDL_Window* window) {
  const auto native = NativeWindow(window, SDL_SYSWM_X11);
  if (!native) {
    return;
  }
  Display* display = native->info.x11.display;
  const Window x11Window = native->info.x11.window;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, x11Window, &attributes) != 0) {
    XSelectInput(display, x11Window, attributes.your_event_mask & ~KeyReleaseMask);
  }
}

}  // namespace nuikaro
