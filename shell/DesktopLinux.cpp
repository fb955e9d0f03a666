// Linux: X11 or Wayland; the icon is built into the program as a BMP.
#include <SDL.h>

#include <cstdlib>

#include "shell/Desktop.h"
#include "shell/Icon.h"
#include "shell/KeyReleases.h"

namespace nuikaro {

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

}  // namespace

std::string MissingDisplayReason() {
  if (IsSet("SDL_VIDEODRIVER") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
    return "";
  }
  return "no display to open the game window on (DISPLAY is not set)";
}

void PrepareDesktop() {}

void DressWindow(SDL_Window* window) {
  SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromConstMem(IconBmp, static_cast<int>(IconBmpSize)), 1);
  if (icon != nullptr) {
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
  }
  DropKeyReleases(window);
}

}  // namespace nuikaro
