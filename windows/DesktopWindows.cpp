// Windows: there is always a desktop; the icon is the program's own resource (nuikaro.rc), so the
// title bar gets the drawn 16 px image rather than the 48 px one scaled down.
#include <windows.h>
#include <commctrl.h>

#include "shell/FrontEnd.h"
#include "shell/NativeWindow.h"

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

int32_t DesktopStartScale(SDL_Window*) {
  return 1;
}

void DressWindow(SDL_Window* window) {
  if (const auto native = NativeWindow(window, SDL_SYSWM_WINDOWS)) {
    SetWindowSubclass(native->info.win.window, AskedToEndSession, 1, 0);
  }
}

std::unique_ptr<EventSource> DesktopEventSource(SDL_Window*) {
  return std::make_unique<SdlEventSource>();
}

void MarkAsModalDialog(SDL_Window*) {}

}  // namespace nuikaro
