// Kept apart from the game's headers: Xlib defines True and False as macros.
#include "shell/EventSource.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <poll.h>
#include <signal.h>

#include <ctime>
#endif

namespace nuikaro {

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

bool TakeQueued(SDL_Event& event) {
  return SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

}  // namespace
#endif

SdlEventSource::SdlEventSource([[maybe_unused]] SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    connection_ = XConnectionNumber(info.info.x11.display);
  }
#endif
}

bool SdlEventSource::NextEvent(SDL_Event& event, int timeoutMilliseconds) {
  if (connection_ < 0) {
    // Elsewhere SDL's own wait is sound (on Wayland its wake-up names no window).
    return timeoutMilliseconds < 0 ? SDL_WaitEvent(&event) != 0
                                   : SDL_WaitEventTimeout(&event, timeoutMilliseconds) != 0;
  }
#if defined(SDL_VIDEO_DRIVER_X11)
  if (TakeQueued(event)) {
    return true;
  }
  // SDL turns SIGTERM and SIGINT into a quit event when it pumps. Held back from here on, a signal
  // that comes after the pump is let in by ppoll itself and ends the wait at once.
  sigset_t closeSignals;
  sigset_t before;
  sigemptyset(&closeSignals);
  sigaddset(&closeSignals, SIGINT);
  sigaddset(&closeSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &closeSignals, &before);
  // The pump reads the connection dry and flushes what we asked of the server, so nothing waits
  // in Xlib's queue while ppoll sleeps.
  SDL_PumpEvents();
  bool got = TakeQueued(event);
  if (!got && timeoutMilliseconds != 0) {
    pollfd connection{connection_, POLLIN, 0};
    const timespec limit{timeoutMilliseconds / 1000, (timeoutMilliseconds % 1000) * 1'000'000L};
    ppoll(&connection, 1, timeoutMilliseconds < 0 ? nullptr : &limit, &before);
    SDL_PumpEvents();
    got = TakeQueued(event);
  }
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  return got;
#else
  return false;  // connection_ is -1 where there is no X11
#endif
}

}  // namespace nuikaro
