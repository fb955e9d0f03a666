#include "shell/KeyMap.h"

#include <SDL_keycode.h>

#include "shell/Form.h"

namespace nuikaro {

int16_t VirtualKeyFromSdl(int32_t sdlKeycode) {
  switch (sdlKeycode) {
    case SDLK_UP:
      return VK_UP;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_LEFT:
      return VK_LEFT;
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
