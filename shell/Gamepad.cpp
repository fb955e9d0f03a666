#include "shell/Gamepad.h"

#include <SDL_keyboard.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "game/Game.h"

namespace nuikaro {

namespace {

struct PadButtonRow {
  int Button;
  PadButtonKeys Keys;
};

// The one table. The left stick stands for the arrows as the d-pad does (StickDirection); every
// button not named here (X, Y, the shoulders and triggers, the sticks' clicks, Guide) is "any
// other key" in play and closes nothing. Space is "any other key" in play too, and closes the box.
constexpr PadButtonRow PadButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, {SDLK_UP, SDLK_UNKNOWN}},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {SDLK_RIGHT, SDLK_UNKNOWN}},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {SDLK_DOWN, SDLK_UNKNOWN}},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {SDLK_LEFT, SDLK_UNKNOWN}},
    {SDL_CONTROLLER_BUTTON_A, {SDLK_RETURN, SDLK_RETURN}},
    {SDL_CONTROLLER_BUTTON_START, {SDLK_RETURN, SDLK_RETURN}},
    {SDL_CONTROLLER_BUTTON_B, {SDLK_SPACE, SDLK_SPACE}},
    {SDL_CONTROLLER_BUTTON_BACK, {SDLK_ESCAPE, SDLK_UNKNOWN}},
};

bool IsDpad(int button) {
  return button >= SDL_CONTROLLER_BUTTON_DPAD_UP && button <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
}

// How far the stick is pushed towards direction.
int32_t Along(int32_t x, int32_t y, int16_t direction) {
  switch (direction) {
    case DirUp:
      return -y;
    case DirRight:
      return x;
    case DirDown:
      return y;
    default:
      return -x;
  }
}

}  // namespace

PadButtonKeys KeysOfPadButton(int button) {
  for (const PadButtonRow& row : PadButtons) {
    if (row.Button == button) {
      return row.Keys;
    }
  }
  return {SDLK_UNKNOWN, SDLK_UNKNOWN};
}

int16_t StickDirection(int32_t x, int32_t y, int16_t current) {
  const int32_t across = std::abs(x);
  const int32_t upDown = std::abs(y);
  // At a tie the axis held already stays the stronger one.
  const bool horizontal =
      across > upDown || (across == upDown && (current == DirRight || current == DirLeft));
  const int32_t stronger = horizontal ? across : upDown;
  if (stronger >= PadPressedAt) {
    return horizontal ? (x > 0 ? DirRight : DirLeft) : (y > 0 ? DirDown : DirUp);
  }
  if (current == NoDirection || Along(x, y, current) < PadReleasedBelow) {
    return NoDirection;
  }
  return current;
}

SDL_Keycode ArrowOf(int16_t direction) {
  constexpr SDL_Keycode arrows[] = {SDLK_UP, SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT};
  return direction >= DirUp && direction <= DirLeft ? arrows[direction] : SDLK_UNKNOWN;
}

std::optional<PadKey> PadKeys::Take(const SDL_Event& event, Clock::time_point now, bool inBox) {
  switch (event.type) {
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      return TakeButton(event.cbutton, now, inBox);
    case SDL_CONTROLLERAXISMOTION:
      return TakeAxis(event.caxis, now, inBox);
    case SDL_CONTROLLERDEVICEREMOVED:
      // Whatever it held is let go with it.
      pads_.erase(event.cdevice.which);
      if (held_ && held_->Pad == event.cdevice.which) {
        held_.reset();
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<PadKey> PadKeys::TakeButton(const SDL_ControllerButtonEvent& button,
                                          Clock::time_point now, bool inBox) {
  pads_[button.which];
  const PadButtonKeys keys = KeysOfPadButton(button.button);
  const SDL_Keycode key = inBox ? keys.InBox : keys.InPlay;
  if (button.state != SDL_PRESSED) {
    Release(button.which, button.button);
    return PadKey{key, false, false};
  }
  if (IsDpad(button.button)) {
    return Press(button.which, button.button, key, now, inBox);
  }
  return PadKey{key, true, false};
}

std::optional<PadKey> PadKeys::TakeAxis(const SDL_ControllerAxisEvent& axis, Clock::time_point now,
                                        bool inBox) {
  Pad& pad = pads_[axis.which];
  if (axis.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT ||
      axis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT) {
    bool& pressed = pad.Triggers[axis.axis - SDL_CONTROLLER_AXIS_TRIGGERLEFT];
    const bool pressedNow = axis.value >= (pressed ? PadReleasedBelow : PadPressedAt);
    if (pressedNow == pressed) {
      return std::nullopt;
    }
    pressed = pressedNow;
    return PadKey{SDLK_UNKNOWN, pressed, false};
  }
  if (axis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
    pad.X = axis.value;
  } else if (axis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
    pad.Y = axis.value;
  } else {
    return std::nullopt;  // the right stick stands for nothing
  }
  const int16_t before = pad.Stick;
  pad.Stick = StickDirection(pad.X, pad.Y, before);
  if (pad.Stick == before) {
    return std::nullopt;
  }
  Release(axis.which, StickControl);
  if (pad.Stick == NoDirection) {
    return PadKey{inBox ? SDLK_UNKNOWN : ArrowOf(before), false, false};
  }
  return Press(axis.which, StickControl, inBox ? SDLK_UNKNOWN : ArrowOf(pad.Stick), now, inBox);
}

std::optional<PadKey> PadKeys::Press(SDL_JoystickID pad, int control, SDL_Keycode key,
                                     Clock::time_point now, bool inBox) {
  if (inBox) {
    held_.reset();
  } else {
    held_ = Held{pad, control, key, now + PadRepeatDelay};
  }
  return PadKey{key, true, false};
}

void PadKeys::Release(SDL_JoystickID pad, int control) {
  if (held_ && held_->Pad == pad && held_->Control == control) {
    held_.reset();
  }
}

std::optional<PadKey> PadKeys::Repeat(Clock::time_point now, bool inBox) {
  if (held_ && inBox) {
    held_.reset();
  }
  if (!held_ || now < held_->Next) {
    return std::nullopt;
  }
  // A loop held up for longer than a period repeats once, not in a burst.
  held_->Next += PadRepeatInterval;
  if (held_->Next <= now) {
    held_->Next = now + PadRepeatInterval;
  }
  return PadKey{held_->Key, true, true};
}

int PadKeys::WaitMilliseconds(Clock::time_point now, int waitMilliseconds) const {
  if (!held_) {
    return waitMilliseconds;
  }
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(held_->Next - now).count();
  const int untilRepeat = static_cast<int>(std::max<decltype(left)>(left, 0));
  return waitMilliseconds < 0 ? untilRepeat : std::min(waitMilliseconds, untilRepeat);
}

SDL_Event PadKeyEvent(const PadKey& key, uint32_t window) {
  SDL_Event event{};
  event.type = key.Pressed ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.windowID = window;
  event.key.state = key.Pressed ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = static_cast<Uint8>(key.Repeat);
  event.key.keysym.sym = key.Key;
  event.key.keysym.scancode = SDL_GetScancodeFromKey(key.Key);
  return event;
}

bool PagePadEvent(int pad, bool isAxis, int index, double value, SDL_Event& event) {
  // The standard layout's buttons 0 to 16; 6 and 7, the triggers, are axes to SDL.
  constexpr int buttons[] = {SDL_CONTROLLER_BUTTON_A,
                             SDL_CONTROLLER_BUTTON_B,
                             SDL_CONTROLLER_BUTTON_X,
                             SDL_CONTROLLER_BUTTON_Y,
                             SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
                             SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
                             SDL_CONTROLLER_AXIS_TRIGGERLEFT,
                             SDL_CONTROLLER_AXIS_TRIGGERRIGHT,
                             SDL_CONTROLLER_BUTTON_BACK,
                             SDL_CONTROLLER_BUTTON_START,
                             SDL_CONTROLLER_BUTTON_LEFTSTICK,
                             SDL_CONTROLLER_BUTTON_RIGHTSTICK,
                             SDL_CONTROLLER_BUTTON_DPAD_UP,
                             SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                             SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                             SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                             SDL_CONTROLLER_BUTTON_GUIDE};
  constexpr int axes[] = {SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY,
                          SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY};
  const int count = static_cast<int>(isAxis ? std::size(axes) : std::size(buttons));
  if (index < 0 || index >= count) {
    return false;
  }
  event = SDL_Event{};
  const bool trigger = !isAxis && (index == 6 || index == 7);
  if (isAxis || trigger) {
    event.type = SDL_CONTROLLERAXISMOTION;
    event.caxis.which = pad;
    event.caxis.axis = static_cast<Uint8>(isAxis ? axes[index] : buttons[index]);
    event.caxis.value =
        static_cast<Sint16>(std::clamp(std::lround(value * 32767), -32768L, 32767L));
    return true;
  }
  const bool pressed = value >= 0.5;
  event.type = pressed ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
  event.cbutton.which = pad;
  event.cbutton.button = static_cast<Uint8>(buttons[index]);
  event.cbutton.state = pressed ? SDL_PRESSED : SDL_RELEASED;
  return true;
}

}  // namespace nuikaro
