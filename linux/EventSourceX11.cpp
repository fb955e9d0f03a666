// Waiting for events on X11.
#include "linux/EventSourceX11.h"

#include <poll.h>
#include <signal.h>

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "shell/FrontEnd.h"
#include "shell/Gamepads.h"
#include "shell/NativeWindow.h"

namespace nuikaro {

namespace {

// SDL's event queue, waited on at the display connection itself instead of in
// SDL_WaitEventTimeout: while SDL waits, every event it queues makes it send a wake-up message to
// a window of ours through a second connection, and when that window is destroyed before the X
// server has handled the message, the error comes back at SDL_Quit and Xlib's default handler
// ends the program with status 1. Waiting here, SDL never sends one.
class X11EventSource final : public SdlEventSource {
 public:
  X11EventSource(int connection, std::function<bool()> alreadyRead)
      : connection_(connection), alreadyRead_(std::move(alreadyRead)) {}

  bool NextEvent(SDL_Event& event, int timeoutMilliseconds) override;

 private:
  int connection_;
  std::function<bool()> alreadyRead_;
};

bool TakeQueued(SDL_Event& event) {
  return SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

// ppoll's limit for a wait of timeoutMilliseconds; none for a negative one: as long as it takes.
std::optional<timespec> PollLimit(int timeoutMilliseconds) {
  if (timeoutMilliseconds < 0) {
    return std::nullopt;
  }
  return timespec{timeoutMilliseconds / 1000, (timeoutMilliseconds % 1000) * 1'000'000L};
}

// The signals SDL turns into a quit event.
sigset_t CloseSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

bool X11EventSource::NextEvent(SDL_Event& event, int timeoutMilliseconds) {
  if (TakeQueued(event)) {
    return true;
  }
  // SDL turns SIGTERM and SIGINT into a quit event when it pumps. Held back from here on, a signal
  // that comes after the pump is let in by ppoll itself and ends the wait at once.
  const sigset_t closeSignals = CloseSignals();
  sigset_t before;
  pthread_sigmask(SIG_BLOCK, &closeSignals, &before);
  // The pump reads the connection dry and flushes what we asked of the server. But its last steps
  // can ask the server again (a window's focus, taken up 200 ms late, queries the keymap), and
  // the events read with that answer wait in Xlib's queue, not at the connection: then the
  // connection is not waited on, or a close request would sleep there until some other event.
  SDL_PumpEvents();
  bool got = TakeQueued(event);
  if (!got && timeoutMilliseconds != 0 && !(alreadyRead_ && alreadyRead_())) {
    pollfd connection{connection_, POLLIN, 0};
    // A pad is read only when SDL pumps: while one is connected the wait is cut short for it.
    const std::optional<timespec> limit = PollLimit(PadPollingWait(timeoutMilliseconds));
    ppoll(&connection, 1, limit ? &*limit : nullptr, &before);
    SDL_PumpEvents();
    got = TakeQueued(event);
  }
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  return got;
}

}  // namespace

std::unique_ptr<EventSource> ConnectionEventSource(int connection,
                                                   std::function<bool()> alreadyRead) {
  return std::make_unique<X11EventSource>(connection, std::move(alreadyRead));
}

// Elsewhere (Wayland) SDL's own wait is sound: its wake-up names no window.
std::unique_ptr<EventSource> DesktopEventSource(SDL_Window* window) {
  if (const auto native = NativeWindow(window, SDL_SYSWM_X11)) {
    Display* display = native->info.x11.display;
    return ConnectionEventSource(XConnectionNumber(display),
                                 [display] { return XEventsQueued(display, QueuedAlready) > 0; });
  }
  return std::make_unique<SdlEventSource>();
}

}  // namespace nuikaro
