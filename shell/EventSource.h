// Where the event loop takes its events and its time from: SDL and the steady clock in the game,
// a script in the tests.
#pragma once

#include <SDL_events.h>

#include "shell/TickSchedule.h"

namespace nuikaro {

class EventSource {
 public:
  virtual ~EventSource() = default;

  virtual TickSchedule::Clock::time_point Now() = 0;
  // Takes the next event, waiting for it up to timeoutMilliseconds (-1: for as long as it takes,
  // 0: not at all). False when none came; it may also return false before the time is up.
  virtual bool NextEvent(SDL_Event& event, int timeoutMilliseconds) = 0;
};

// SDL's event queue, waited on with SDL's own wait. The desktop picks the event source the game
// runs on (DesktopEventSource): on X11 it is another one.
class SdlEventSource : public EventSource {
 public:
  TickSchedule::Clock::time_point Now() override { return TickSchedule::Clock::now(); }
  bool NextEvent(SDL_Event& event, int timeoutMilliseconds) override {
    return timeoutMilliseconds < 0 ? SDL_WaitEvent(&event) != 0
                                   : SDL_WaitEventTimeout(&event, timeoutMilliseconds) != 0;
  }
};

}  // namespace nuikaro
