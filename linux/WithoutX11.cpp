// A build without Xlib (NUIKARO_X11=OFF), for Wayland alone: what the X11 files do with the window
// is left to SDL.
#include "linux/KeyReleases.h"
#include "linux/X11Probe.h"
#include "shell/FrontEnd.h"

namespace nuikaro {

// No trial connection can be made: SDL tries the display itself and says why it failed.
X11Answer ProbeX11Display(const std::string&, std::string&) {
  return X11Answer::Accepted;
}

// On Wayland the compositor's scale reaches the window through SDL's high-density support.
int32_t DesktopStartScale(SDL_Window*) {
  return 1;
}

std::unique_ptr<EventSource> DesktopEventSource(SDL_Window*) {
  return std::make_unique<SdlEventSource>();
}

void DropKeyReleases(SDL_Window*) {}

void MarkAsModalDialog(SDL_Window*) {}

}  // namespace nuikaro
