// Windows: there is always a desktop; the icon is the program's own resource (nuikaro.rc), so the
// title bar gets the drawn 16 px image rather than the 48 px one scaled down.
#include <SDL.h>

#include "shell/Desktop.h"

namespace nuikaro {

std::string MissingDisplayReason() {
  return "";
}

void PrepareDesktop() {
  // SDL's window class then carries icon 1 of the program's resources, large and small.
  SDL_SetHint(SDL_HINT_WINDOWS_INTRESOURCE_ICON, "1");
  SDL_SetHint(SDL_HINT_WINDOWS_INTRESOURCE_ICON_SMALL, "1");
}

void DressWindow(SDL_Window*) {}

}  // namespace nuikaro
