#include "shell/Gamepads.h"

#include <SDL_joystick.h>

#include <algorithm>

namespace nuikaro {

int PadPollingWait(int timeoutMilliseconds) {
  for (int device = 0; device < SDL_NumJoysticks(); ++device) {
    if (SDL_IsGameController(device)) {
      return timeoutMilliseconds < 0 ? PadPollMilliseconds
                                     : std::min(timeoutMilliseconds, PadPollMilliseconds);
    }
  }
  return timeoutMilliseconds;
}

Gamepads::~Gamepads() {
  for (SDL_GameController* pad : open_) {
    SDL_GameControllerClose(pad);
  }
}

bool Gamepads::Take(const SDL_Event& event, Clock::time_point now, uint32_t window, bool inBox,
                    SDL_Event& key) {
  if (event.type == SDL_CONTROLLERDEVICEADDED) {
    // Sent for the pads there at SDL's start too. which is the device's index here.
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(event.cdevice.which);
    if (SDL_GameControllerFromInstanceID(id) == nullptr) {
      if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which)) {
        open_.push_back(pad);
      }
    }
    return false;
  }
  if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
    SDL_GameController* pad = SDL_GameControllerFromInstanceID(event.cdevice.which);
    const auto found = std::find(open_.begin(), open_.end(), pad);
    if (pad != nullptr && found != open_.end()) {
      open_.erase(found);
      SDL_GameControllerClose(pad);
    }
  }
  const std::optional<PadKey> made = keys_.Take(event, now, inBox);
  if (made) {
    key = PadKeyEvent(*made, window);
  }
  return made.has_value();
}

bool Gamepads::TakeRepeat(Clock::time_point now, uint32_t window, bool inBox, SDL_Event& key) {
  const std::optional<PadKey> made = keys_.Repeat(now, inBox);
  if (made) {
    key = PadKeyEvent(*made, window);
  }
  return made.has_value();
}

}  // namespace nuikaro
