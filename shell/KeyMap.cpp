#include "shell/KeyMap.h"

#include <SDL_keycode.h>

#include "shell/Form.h"

namespace nuikaro {

int16_t VirtualKeyFromSdl(int32_t sdlKeycode, uint16_t modifiers) {
  const bool keypadArrows = (modifiers & KMOD_NUM) == 0;
  switch (sdlKeycode) {
    case SDLK_UP:
      return VK_UP;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_KP_8:
      return keypadArrows ? VK_UP : VK_OTHER;
    case SDLK_KP_6:
      return keypadArrows ? VK_RIGHT : VK_OTHER;
    case SDLK_KP_2:
      return keypadArrows ? VK_DOWN : VK_OTHER;
    case SDLK_KP_4:
      return keypadArrows ? VK_LEFT : VK_OTHER;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return VK_RETURN;
    default:
      return VK_OTHER;
  }
}

}  // namespace nuikaro
