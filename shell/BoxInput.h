// What closes the game-over box, the same on every desktop.
#pragma once

#include <SDL_events.h>

#include <cstdint>

namespace nuikaro {

// Enter, Space and Escape close the box when let go after being pressed in it, so a held key
// cannot repeat into the game window; the left button closes it when pressed and let go on OK.
class BoxInput {
 public:
  // Says whether a button event is at the box's OK button: each box knows where its OK is.
  using OkTest = bool (*)(const SDL_MouseButtonEvent& button);

  // Takes an event meant for the box: keys and mouse buttons count, other events are left alone.
  void Take(const SDL_Event& event, OkTest onOk);
  // The box's own close box.
  void Close() { closed_ = true; }
  bool Closed() const { return closed_; }

 private:
  void TakeKey(const SDL_KeyboardEvent& key);
  void TakeClick(const SDL_MouseButtonEvent& button, bool onOk);

  int32_t pressedKey_ = 0;  // a closing key pressed in the box and not yet let go
  bool buttonPressed_ = false;
  bool closed_ = false;
};

}  // namespace nuikaro
