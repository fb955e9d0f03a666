// The window system's own window behind an SDL window, for the few things SDL has no call for.
// Brings in the system's headers (Xlib, windows.h): only the files that talk to the window system
// include it.
#pragma once

#include <SDL.h>
#include <SDL_syswm.h>

#include <optional>

namespace nuikaro {

// SDL's description of the native window behind window (display and window on X11, HWND on
// Windows) when window lives on the window system asked for; nullopt on any other.
inline std::optional<SDL_SysWMinfo> NativeWindow(SDL_Window* window, SDL_SYSWM_TYPE system) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != system) {
    return std::nullopt;
  }
  return info;
}

}  // namespace nuikaro
