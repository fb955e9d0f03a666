// Windows: there is always a desktop; the icon is the program's own resource (nuikaro.rc), so the
// title bar gets the drawn 16 px image rather than the 48 px one scaled down.
#include <SDL.h>
#include <SDL_syswm.h>
#include <commctrl.h>

#include "shell/Desktop.h"
#include "shell/DesktopScale.h"

namespace nuikaro {

namespace {

// Log-off and shut-down ask every window first: that is a close request like any other. SDL
// makes nothing of it, so it becomes SDL's quit event, which the loop takes before the session
// ends.
LRESULT CALLBACK AskedToEndSession(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR) {
  if (message == WM_QUERYENDSESSION) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

std::string RefusedDisplayReason() {
  return "";
}

std::string UnreachableDisplayReason() {
  return std::string("cannot open the display: ") + SDL_GetError();
}

std::string MissingDisplayReason() {
  return "";
}

void PrepareDesktop() {
  // SDL's window class then carries icon 1 of the program's resources, large and small.
  SDL_SetHint(SDL_HINT_WINDOWS_INTRESOURCE_ICON, "1");
  SDL_SetHint(SDL_HINT_WINDOWS_INTRESOURCE_ICON_SMALL, "1");
}

void DressWindow(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE) {
    SetWindowSubclass(info.info.win.window, AskedToEndSession, 1, 0);
  }
}

// Windows scales a program that does not declare itself aware of the screen's density by itself.
int32_t DesktopStartScale(SDL_Window*) {
  return 1;
}

}  // namespace nuikaro
