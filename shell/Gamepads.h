// The desktop's pads: SDL's game controllers, opened as they are connected and closed as they are
// removed, with no message; any number of them steer at once.
#pragma once

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <cstdint>
#include <vector>

#include "shell/Gamepad.h"

namespace nuikaro {

// While a pad is connected, SDL reads it only when its events are pumped, so a wait for events
// must end this often for a button to wake the loop at once.
inline constexpr int PadPollMilliseconds = 10;

// timeoutMilliseconds (-1: no limit) for a wait for events, cut to PadPollMilliseconds while SDL
// has a game controller connected; unchanged without one.
int PadPollingWait(int timeoutMilliseconds);

class Gamepads {
 public:
  using Clock = PadKeys::Clock;

  Gamepads() = default;
  ~Gamepads();  // closes the pads still open
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;

  // Takes one of SDL's events: a pad connected is opened, one removed closed. A controller event
  // gives the key event it stands for, to window (the game window or, inBox, the open box's),
  // in key; true when there is one.
  bool Take(const SDL_Event& event, Clock::time_point now, uint32_t window, bool inBox,
            SDL_Event& key);
  // The held direction's repeat, when one is due at now.
  bool TakeRepeat(Clock::time_point now, uint32_t window, bool inBox, SDL_Event& key);
  // waitMilliseconds (-1: no limit), cut short to when the next repeat falls due.
  int WaitMilliseconds(Clock::time_point now, int waitMilliseconds) const {
    return keys_.WaitMilliseconds(now, waitMilliseconds);
  }

 private:
  PadKeys keys_;
  std::vector<SDL_GameController*> open_;
};

}  // namespace nuikaro
