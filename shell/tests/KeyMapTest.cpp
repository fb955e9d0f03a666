// SDL key codes reach the game as its own virtual-key codes.
#include "shell/KeyMap.h"

#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include "shell/Form.h"

namespace nuikaro {
namespace {

struct KeyCase {
  SDL_Keycode Key;
  int16_t NumLockOff;  // the virtual-key code with NumLock off
  int16_t NumLockOn;   // and with it on
};

// The same physical keys as on the original platform: the keypad's 8, 6, 2 and 4 are its arrows
// while NumLock is off and digits ("any other key") while it is on; both Enter keys are Enter.
const KeyCase KeyTable[] = {
    {SDLK_UP, VK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN, VK_DOWN},
    {SDLK_LEFT, VK_LEFT, VK_LEFT},
    {SDLK_ESCAPE, VK_ESCAPE, VK_ESCAPE},
    {SDLK_RETURN, VK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN, VK_RETURN},
    {SDLK_KP_8, VK_UP, VK_OTHER},
    {SDLK_KP_6, VK_RIGHT, VK_OTHER},
    {SDLK_KP_2, VK_DOWN, VK_OTHER},
    {SDLK_KP_4, VK_LEFT, VK_OTHER},
    {SDLK_KP_5, VK_OTHER, VK_OTHER},
    {SDLK_KP_7, VK_OTHER, VK_OTHER},
    {SDLK_KP_0, VK_OTHER, VK_OTHER},
    {SDLK_LSHIFT, VK_OTHER, VK_OTHER},
    {SDLK_RSHIFT, VK_OTHER, VK_OTHER},
    {SDLK_LCTRL, VK_OTHER, VK_OTHER},
    {SDLK_LALT, VK_OTHER, VK_OTHER},
    {SDLK_NUMLOCKCLEAR, VK_OTHER, VK_OTHER},
    {SDLK_SPACE, VK_OTHER, VK_OTHER},
    {SDLK_a, VK_OTHER, VK_OTHER},
    {SDLK_8, VK_OTHER, VK_OTHER},
    {SDLK_TAB, VK_OTHER, VK_OTHER},
    {SDLK_RETURN2, VK_OTHER, VK_OTHER},
    {SDLK_BACKSPACE, VK_OTHER, VK_OTHER},
    {SDLK_F1, VK_OTHER, VK_OTHER},
    {SDLK_UNKNOWN, VK_OTHER, VK_OTHER},
};

TEST(KeyMapTest, TheSixGameKeysHaveTheVirtualKeyCodesOfTheOriginalPlatform) {
  EXPECT_EQ(VK_UP, 38);
  EXPECT_EQ(VK_RIGHT, 39);
  EXPECT_EQ(VK_DOWN, 40);
  EXPECT_EQ(VK_LEFT, 37);
  EXPECT_EQ(VK_ESCAPE, 27);
  EXPECT_EQ(VK_RETURN, 13);
}

TEST(KeyMapTest, EachKeyMapsToItsVirtualKeyCodeWithNumLockOffAndOnWhateverElseIsHeld) {
  for (const KeyCase& row : KeyTable) {
    for (const uint16_t held : {KMOD_NONE, KMOD_LSHIFT, KMOD_CTRL, KMOD_CAPS}) {
      EXPECT_EQ(VirtualKeyFromSdl(row.Key, held), row.NumLockOff)
          << "SDL key " << row.Key << ", NumLock off, modifiers " << held;
      EXPECT_EQ(VirtualKeyFromSdl(row.Key, held | KMOD_NUM), row.NumLockOn)
          << "SDL key " << row.Key << ", NumLock on, modifiers " << held;
    }
  }
}

}  // namespace
}  // namespace nuikaro
