#include "shell/BoxInput.h"

namespace nuikaro {

void BoxInput::Take(const SDL_Event& event, OkTest onOk) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TakeKey(event.key);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TakeClick(event.button, onOk(event.button));
      break;
    default:
      break;
  }
}

void BoxInput::TakeKey(const SDL_KeyboardEvent& key) {
  const SDL_Keycode code = key.keysym.sym;
  if (key.type == SDL_KEYDOWN) {
    if (code == SDLK_RETURN || code == SDLK_KP_ENTER || code == SDLK_SPACE || code == SDLK_ESCAPE) {
      pressedKey_ = code;
    }
  } else if (pressedKey_ != 0 && code == pressedKey_) {
    closed_ = true;
  }
}

void BoxInput::TakeClick(const SDL_MouseButtonEvent& button, bool onOk) {
  const bool leftOnOk = button.button == SDL_BUTTON_LEFT && onOk;
  if (button.type == SDL_MOUSEBUTTONDOWN) {
    buttonPressed_ = leftOnOk;
  } else {
    if (buttonPressed_ && leftOnOk) {
      closed_ = true;
    }
    buttonPressed_ = false;
  }
}

}  // namespace nuikaro
