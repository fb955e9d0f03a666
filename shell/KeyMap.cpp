#include "shell/KeyMap.h"

#include <SDL_keycode.h>

#include "shell/Form.h"

namespace nuikaro {

int16_t VirtualKeyFromSdl(int32_t sdlKeycode, uint16_t modifiers) {
  const bool keypadArrows = (modifiers & KMOD_NUM) == 0;
  switch (sdlKeycode) {
    case SDLK_UP:
      return VirtualKey::Up;
    case SDLK_RIGHT:
      return VirtualKey::Right;
    case SDLK_DOWN:
      return VirtualKey::Down;
    case SDLK_LEFT:
      return VirtualKey::Left;
    case SDLK_KP_8:
      return keypadArrows ? VirtualKey::Up : VirtualKey::Other;
    case SDLK_KP_6:
      return keypadArrows ? VirtualKey::Right : VirtualKey::Other;
    case SDLK_KP_2:
      return keypadArrows ? VirtualKey::Down : VirtualKey::Other;
    case SDLK_KP_4:
      return keypadArrows ? VirtualKey::Left : VirtualKey::Other;
    case SDLK_ESCAPE:
      return VirtualKey::Escape;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return VirtualKey::Return;
    default:
      return VirtualKey::Other;
  }
}

}  // namespace nuikaro
