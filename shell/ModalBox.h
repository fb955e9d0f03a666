// The game-over box: a dialog window of the game's own with a text and an OK button, drawn with
// the game's text code. It is handled in the game's one event loop like the game window, so the
// game window goes on repainting and taking close requests while the box is open, and no thread
// or process of SDL's own is involved.
#pragma once

#include <SDL_events.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "render/Surface.h"
#include "render/Text.h"
#include "shell/Rect.h"

struct SDL_Window;

namespace nuikaro {

// The box's window in screen coordinates: its size, centred over the owner window's.
Rect BoxPlacement(const Rect& owner);

// Enter, Space and Escape close the box when let go after being pressed in it, so a held key
// cannot repeat into the game window. Takes a key-down or key-up event and the key held so far;
// returns true when this event closes the box.
inline bool KeyClosesBox(const SDL_KeyboardEvent& key, int32_t& pressedKey) {
  const SDL_Keycode code = key.keysym.sym;
  if (key.type == SDL_KEYDOWN) {
    if (code == SDLK_RETURN || code == SDLK_KP_ENTER || code == SDLK_SPACE || code == SDLK_ESCAPE) {
      pressedKey = code;
    }
    return false;
  }
  return pressedKey != 0 && code == pressedKey;
}

class ModalBox {
 public:
  // Opens the box centred over owner and modal for it, with the caption and the text drawn in
  // fonts (the game's own: opening fontconfig afresh would hold the box up for a good while), and
  // gives it the keyboard. IsOpen is false when no window could be made.
  ModalBox(SDL_Window* owner, const char* caption, std::string_view text, FontCache& fonts);
  ~ModalBox();  // closes the window
  ModalBox(const ModalBox&) = delete;
  ModalBox& operator=(const ModalBox&) = delete;

  bool IsOpen() const { return window_ != nullptr; }
  uint32_t WindowId() const { return windowId_; }
  // True once the player has closed the box: OK clicked, Enter, Space or Escape released after
  // being pressed in the box (a key is let go first, so it cannot repeat into the game window),
  // or the box's own close box.
  bool Closed() const { return closed_; }
  // The box's picture, as it is shown.
  const Surface& Picture() const { return picture_; }

  // Takes an event meant for the box's window (its window ID is WindowId).
  void HandleEvent(const SDL_Event& event);

 private:
  void Draw(std::string_view text, FontCache& fonts);
  void Present();

  SDL_Window* window_ = nullptr;
  uint32_t windowId_ = 0;
  Surface picture_;
  int32_t pressedKey_ = 0;  // a closing key pressed in the box and not yet let go
  bool buttonPressed_ = false;
  bool closed_ = false;
};

}  // namespace nuikaro
