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
#include "shell/BoxInput.h"
#include "shell/Rect.h"

struct SDL_Window;

namespace nuikaro {

// The box's window in screen coordinates: its size, centred over the owner window's.
Rect BoxPlacement(const Rect& owner);

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
  bool Closed() const { return input_.Closed(); }
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
  BoxInput input_;
};

}  // namespace nuikaro
