// Game controllers as a second keyboard: what each control of a pad stands for, in one table, and
// the state that turns a pad's button and axis events into the keyboard's own key events. Every
// front end feeds it SDL's game-controller events (the web page makes them from the browser's
// Gamepad API), so a button does exactly what its key does.
#pragma once

#include <SDL_events.h>
#include <SDL_gamecontroller.h>
#include <SDL_keycode.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>

#include "shell/TickSchedule.h"

namespace nuikaro {

// A stick counts as pushed past half its travel and as let go below a third of it, so that a
// stick held near one threshold does not chatter. Triggers go by the same thresholds.
inline constexpr int32_t PadPressedAt = 16384;
inline constexpr int32_t PadReleasedBelow = 10923;

// A held direction repeats as a held key does with the desktops' usual settings: first after
// half a second, then 30 times a second.
inline constexpr std::chrono::milliseconds PadRepeatDelay{500};
inline constexpr std::chrono::milliseconds PadRepeatInterval{33};

// The key a pad's button stands for in play, and while the game-over box is open. SDLK_UNKNOWN
// is "any other key" in play; in the box it closes nothing.
struct PadButtonKeys {
  SDL_Keycode InPlay;
  SDL_Keycode InBox;
};
PadButtonKeys KeysOfPadButton(int button);

// The direction (DirUp to DirLeft, or NoDirection) a stick at (x, y) stands for, SDL's axis
// values with y growing downwards, when it stood for current before: the stronger axis past half
// its travel, held until it falls below a third or the other axis is pushed further.
int16_t StickDirection(int32_t x, int32_t y, int16_t current);

// The arrow key of a direction code.
SDL_Keycode ArrowOf(int16_t direction);

// One key event a pad makes: a press, its repeat, or a release.
struct PadKey {
  SDL_Keycode Key;
  bool Pressed;
  bool Repeat;
};

// The pads' held controls. Takes SDL's controller events and gives the key event each one makes;
// only the last direction pressed repeats, as on a keyboard, and only while it is held.
class PadKeys {
 public:
  using Clock = TickSchedule::Clock;

  // A button, axis or device-removed event of a pad; inBox: the game-over box is open and takes
  // the keys. Other events make nothing.
  std::optional<PadKey> Take(const SDL_Event& event, Clock::time_point now, bool inBox);
  // The held direction's repeat, when one is due at now. While the box is open nothing repeats:
  // the direction must be pressed anew afterwards.
  std::optional<PadKey> Repeat(Clock::time_point now, bool inBox);
  // waitMilliseconds (-1: no limit), cut short to when the next repeat falls due.
  int WaitMilliseconds(Clock::time_point now, int waitMilliseconds) const;

 private:
  struct Pad {
    int32_t X = 0;
    int32_t Y = 0;
    int16_t Stick = -1;
    bool Triggers[2] = {false, false};
  };
  // The repeating direction: which pad and control (a d-pad button, or StickControl) holds it.
  struct Held {
    SDL_JoystickID Pad;
    int Control;
    SDL_Keycode Key;
    Clock::time_point Next;
  };
  static constexpr int StickControl = -1;

  std::optional<PadKey> TakeButton(const SDL_ControllerButtonEvent& button, Clock::time_point now,
                                   bool inBox);
  std::optional<PadKey> TakeAxis(const SDL_ControllerAxisEvent& axis, Clock::time_point now,
                                 bool inBox);
  std::optional<PadKey> Press(SDL_JoystickID pad, int control, SDL_Keycode key,
                              Clock::time_point now, bool inBox);
  void Release(SDL_JoystickID pad, int control);

  std::map<SDL_JoystickID, Pad> pads_;
  std::optional<Held> held_;
};

// A pad's key event as SDL's key event for window, as the keyboard would give it.
SDL_Event PadKeyEvent(const PadKey& key, uint32_t window);

// A control of a pad in a web page as SDL's controller event of pad: the browser's standard
// layout numbers the buttons 0 to 16 (value 1 pressed, 0 let go) and the axes 0 to 3 (value -1 to
// 1, y growing downwards). False for a button or axis that layout does not have.
bool PagePadEvent(int pad, bool isAxis, int index, double value, SDL_Event& event);

}  // namespace nuikaro
