// Where the event loop takes its events and its time from: SDL and the steady clock in the game,
// a script in the tests.
#pragma once

#include <SDL_events.h>

#include "shell/TickSchedule.h"

struct SDL_Window;

namespace nuikaro {

class EventSource {
 public:
  virtual TickSchedule::Clock::time_point Now() = 0;
  // Takes the next event, waiting for it up to timeoutMilliseconds (-1: for as long as it takes,
  // 0: not at all). False when none came; it may also return false before the time is up.
  virtual bool NextEvent(SDL_Event& event, int timeoutMilliseconds) = 0;

 protected:
  ~EventSource() = default;
};

// SDL's event queue. On X11 it waits on the display connection itself instead of in
// SDL_WaitEventTimeout: while SDL waits, every event it queues makes it send a wake-up message to
// a window of ours through a second connection, and when that window is destroyed before the X
// server has handled the message, the error comes back at SDL_Quit and Xlib's default handler
// ends the program with status 1. Waiting here, SDL never sends one.
class SdlEventSource final : public EventSource {
 public:
  // window: any window of the game; its display connection is the one waited on.
  explicit SdlEventSource(SDL_Window* window);

  TickSchedule::Clock::time_point Now() override { return TickSchedule::Clock::now(); }
  bool NextEvent(SDL_Event& event, int timeoutMilliseconds) override;

 private:
  int connection_ = -1;  // the X11 display connection; -1 on other drivers
};

}  // namespace nuikaro
