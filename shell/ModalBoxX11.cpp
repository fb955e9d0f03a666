// Kept apart from the rest of the box: Xlib defines True and False as macros, and windows.h
// RGB and the raster operation codes, so the game's headers come before the system's.
#include "shell/ModalBox.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>

#include <iterator>
#endif

namespace nuikaro {

void MarkAsModalDialog([[maybe_unused]] SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return;
  }
  Display* display = info.info.x11.display;
  const Window xwindow = info.info.x11.window;
  // Read by the window manager when the window is mapped, so set while it is still hidden.
  Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(display, xwindow, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(&type), 1);
  Atom states[] = {XInternAtom(display, "_NET_WM_STATE_MODAL", False),
                   XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False)};
  XChangeProperty(display, xwindow, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(states),
                  static_cast<int>(std::size(states)));
#endif
}

}  // namespace nuikaro
