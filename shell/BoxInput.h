// What closes the game-over box, the same on every desktop.
#pragma once

#include <SDL_events.h>

#include <cstdint>

namespace nuikaro {

// Enter, Space and Escape close the box when let go after being pressed in it, so a held key
// cannot repeat into the game window; the left button closes it when pressed and let go on OK.
class BoxInput {
 public:
  // Takes a key-down or key-up event meant for the box.
  void TakeKey(const SDL_KeyboardEvent& key);
  // Takes a button-down or button-up event meant for the box; onOk says whether it is at OK.
  void TakeClick(const SDL_MouseButtonEvent& button, bool onOk);
  // The box's own close box.
  void Close() { closed_ = true; }
  bool Closed() const { return closed_; }

 private:
  int32_t pressedKey_ = 0;  // a closing key pressed in the box and not yet let go
  bool buttonPressed_ = false;
  bool closed_ = false;
};

}  // namespace nuikaro
