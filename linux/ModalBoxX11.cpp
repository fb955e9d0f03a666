// The game-over box's window type on X11.
#include <X11/Xatom.h>

#include <iterator>

#include "shell/FrontEnd.h"
#include "shell/NativeWindow.h"

namespace nuikaro {

void MarkAsModalDialog(SDL_Window* window) {
  const auto native = NativeWindow(window, SDL_SYSWM_X11);
  if (!native) {
    return;
  }
  Display* display = native->info.x11.display;
  const Window x11Window = native->info.x11.window;
  // Read by the window manager when the window is mapped, so set while it is still hidden.
  Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(display, x11Window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM,
                  32, PropModeReplace, reinterpret_cast<unsigned char*>(&type), 1);
  Atom states[] = {XInternAtom(display, "_NET_WM_STATE_MODAL", False),
                   XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False)};
  XChangeProperty(display, x11Window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(states),
                  static_cast<int>(std::size(states)));
}

}  // namespace nuikaro
