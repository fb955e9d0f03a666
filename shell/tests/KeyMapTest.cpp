// SDL key codes reach the game as its own virtual-key codes.
#include "shell/KeyMap.h"

#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "shell/Form.h"

namespace nuikaro {
namespace {

TEST(KeyMapTest, TheSixGameKeysMapToTheirVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_UP), 38);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RIGHT), 39);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_DOWN), 40);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LEFT), 37);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), 27);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN), 13);
}

TEST(KeyMapTest, TheKeypadEnterIsEnterToo) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), 13);
}

TEST(KeyMapTest, EveryOtherKeyModifiersIncludedIsNoneOfTheSix) {
  const int16_t gameKeys[] = {VK_RETURN, VK_ESCAPE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};
  for (const SDL_Keycode key :
       {SDLK_LSHIFT, SDLK_RSHIFT, SDLK_LCTRL, SDLK_LALT, SDLK_SPACE, SDLK_a, SDLK_0, SDLK_TAB,
        SDLK_KP_8, SDLK_KP_2, SDLK_RETURN2, SDLK_BACKSPACE, SDLK_F1, SDLK_UNKNOWN}) {
    const int16_t code = VirtualKeyFromSdl(key);
    EXPECT_EQ(std::count(std::begin(gameKeys), std::end(gameKeys), code), 0)
        << "SDL key " << key << " maps to " << code;
  }
}

}  // namespace
}  // namespace nuikaro
