// Linux: X11 or Wayland; the icon is built into the program as a BMP.
#include "shell/Desktop.h"

#include <SDL.h>
#include <langinfo.h>

#include <clocale>
#include <cstring>

#include "shell/Environment.h"
#include "shell/Icon.h"
#include "shell/KeyReleases.h"

namespace nuikaro {

std::string MissingDisplayReason() {
  if (IsSet("SDL_VIDEODRIVER") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
    return "";
  }
  return "no display to open the game window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

// SDL hands the caption to X11 in the locale's character type; without a UTF-8 one (LANG=C, for
// one) the older WM_NAME property comes out garbled.
void PrepareDesktop() {
  std::setlocale(LC_ALL, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
  }
}

void DressWindow(SDL_Window* window) {
  SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromConstMem(IconBmp, static_cast<int>(IconBmpSize)), 1);
  if (icon != nullptr) {
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
  }
  DropKeyReleases(window);
}

}  // namespace nuikaro
