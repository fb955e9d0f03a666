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
    {SDLK_UP, VirtualKey::Up, VirtualKey::Up},
    {SDLK_RIGHT, VirtualKey::Right, VirtualKey::Right},
    {SDLK_DOWN, VirtualKey::Down, VirtualKey::Down},
    {SDLK_LEFT, VirtualKey::Left, VirtualKey::Left},
    {SDLK_ESCAPE, VirtualKey::Escape, VirtualKey::Escape},
    {SDLK_RETURN, VirtualKey::Return, VirtualKey::Return},
    {SDLK_KP_ENTER, VirtualKey::Return, VirtualKey::Return},
    {SDLK_KP_8, VirtualKey::Up, VirtualKey::Other},
    {SDLK_KP_6, VirtualKey::Right, VirtualKey::Other},
    {SDLK_KP_2, VirtualKey::Down, VirtualKey::Other},
    {SDLK_KP_4, VirtualKey::Left, VirtualKey::Other},
    {SDLK_KP_5, VirtualKey::Other, VirtualKey::Other},
    {SDLK_KP_7, VirtualKey::Other, VirtualKey::Other},
    {SDLK_KP_0, VirtualKey::Other, VirtualKey::Other},
    {SDLK_LSHIFT, VirtualKey::Other, VirtualKey::Other},
    {SDLK_RSHIFT, VirtualKey::Other, VirtualKey::Other},
    {SDLK_LCTRL, VirtualKey::Other, VirtualKey::Other},
    {SDLK_LALT, VirtualKey::Other, VirtualKey::Other},
    {SDLK_NUMLOCKCLEAR, VirtualKey::Other, VirtualKey::Other},
    {SDLK_SPACE, VirtualKey::Other, VirtualKey::Other},
    {SDLK_a, VirtualKey::Other, VirtualKey::Other},
    {SDLK_8, VirtualKey::Other, VirtualKey::Other},
    {SDLK_TAB, VirtualKey::Other, VirtualKey::Other},
    {SDLK_RETURN2, VirtualKey::Other, VirtualKey::Other},
    {SDLK_BACKSPACE, VirtualKey::Other, VirtualKey::Other},
    {SDLK_F1, VirtualKey::Other, VirtualKey::Other},
    {SDLK_UNKNOWN, VirtualKey::Other, VirtualKey::Other},
};

TEST(KeyMapTest, TheSixGameKeysHaveTheVirtualKeyCodesOfTheOriginalPlatform) {
  EXPECT_EQ(VirtualKey::Up, 38);
  EXPECT_EQ(VirtualKey::Right, 39);
  EXPECT_EQ(VirtualKey::Down, 40);
  EXPECT_EQ(VirtualKey::Left, 37);
  EXPECT_EQ(VirtualKey::Escape, 27);
  EXPECT_EQ(VirtualKey::Return, 13);
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
