#include "shell/KeyMap.h"

#include <SDL_keyboard.h>
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

SDL_Event PageKeyEvent(std::string_view key, int pressed, int repeat, uint32_t window) {
  struct Named {
    std::string_view Key;
    SDL_Keycode Code;
  };
  // The keypad's arrows with NumLock off are named as arrows, and its Enter as Enter.
  constexpr Named keys[] = {{"ArrowUp", SDLK_UP},     {"ArrowRight", SDLK_RIGHT},
                            {"ArrowDown", SDLK_DOWN}, {"ArrowLeft", SDLK_LEFT},
                            {"Enter", SDLK_RETURN},   {" ", SDLK_SPACE},
                            {"Escape", SDLK_ESCAPE}};
  SDL_Keycode code = SDLK_UNKNOWN;
  for (const Named& named : keys) {
    if (named.Key == key) {
      code = named.Code;
    }
  }
  SDL_Event event{};
  event.type = pressed != 0 ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.windowID = window;
  event.key.state = pressed != 0 ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = static_cast<Uint8>(repeat != 0);
  event.key.keysym.sym = code;
  event.key.keysym.scancode = SDL_GetScancodeFromKey(code);
  return event;
}

}  // namespace nuikaro
