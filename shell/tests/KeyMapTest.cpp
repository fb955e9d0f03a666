// SDL key codes reach the game as its own virtual-key codes.
#include "shell/KeyMap.h"

#include <SDL_keyboard.h>
#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include <string_view>

#include "shell/BoxInput.h"

namespace nuikaro {
namespace {

// The codes are written out, not taken from VirtualKey, so that a wrong constant there fails here.
struct KeyCase {
  SDL_Keycode Key;
  int16_t NumLockOff;  // the virtual-key code with NumLock off: 38 up, 39 right, 40 down, 37 left,
                       // 27 Escape, 13 Enter, 0 any other key
  int16_t NumLockOn;   // and with it on
};

// The same physical keys as on the original platform: the keypad's 8, 6, 2 and 4 are its arrows
// while NumLock is off and digits ("any other key") while it is on; both Enter keys are Enter.
const KeyCase KeyTable[] = {
    // The arrows, Escape and both Enter keys, whatever NumLock says.
    {SDLK_UP, 38, 38},
    {SDLK_RIGHT, 39, 39},
    {SDLK_DOWN, 40, 40},
    {SDLK_LEFT, 37, 37},
    {SDLK_ESCAPE, 27, 27},
    {SDLK_RETURN, 13, 13},
    {SDLK_KP_ENTER, 13, 13},
    // The keypad's arrows while NumLock is off, digits while it is on.
    {SDLK_KP_8, 38, 0},
    {SDLK_KP_6, 39, 0},
    {SDLK_KP_2, 40, 0},
    {SDLK_KP_4, 37, 0},
    // Any other key.
    {SDLK_KP_5, 0, 0},
    {SDLK_KP_7, 0, 0},
    {SDLK_KP_0, 0, 0},
    {SDLK_LSHIFT, 0, 0},
    {SDLK_RSHIFT, 0, 0},
    {SDLK_LCTRL, 0, 0},
    {SDLK_LALT, 0, 0},
    {SDLK_NUMLOCKCLEAR, 0, 0},
    {SDLK_SPACE, 0, 0},
    {SDLK_a, 0, 0},
    {SDLK_8, 0, 0},
    {SDLK_TAB, 0, 0},
    {SDLK_RETURN2, 0, 0},
    {SDLK_BACKSPACE, 0, 0},
    {SDLK_F1, 0, 0},
    {SDLK_UNKNOWN, 0, 0},
};

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

// A web page names its keys (KeyboardEvent.key): each must do in the game what the desktop's key
// does (the virtual-key codes written out again) and close the box as the desktop's key does.
TEST(KeyMapTest, APageKeyDoesInTheGameAndInTheBoxWhatTheDesktopsKeyDoes) {
  struct PageKey {
    std::string_view Name;
    int16_t VirtualKey;
    bool ClosesTheBox;
  };
  const PageKey rows[] = {
      {"ArrowUp", 38, false},   {"ArrowRight", 39, false}, {"ArrowDown", 40, false},
      {"ArrowLeft", 37, false}, {"Enter", 13, true},       {"Escape", 27, true},
      {" ", 0, true},           {"a", 0, false},           {"Up", 0, false},
      {"", 0, false},           {"ArrowUpX", 0, false},    {"Shift", 0, false},
  };
  for (const PageKey& row : rows) {
    const SDL_Event press = PageKeyEvent(row.Name, 1, 0, 7);
    EXPECT_EQ(VirtualKeyFromSdl(press.key.keysym.sym, press.key.keysym.mod), row.VirtualKey)
        << '"' << row.Name << '"';
    BoxInput box;
    box.Take(press, [](const SDL_MouseButtonEvent&) { return false; });
    EXPECT_FALSE(box.Closed()) << '"' << row.Name << "\" closed the box when pressed";
    box.Take(PageKeyEvent(row.Name, 0, 0, 7), [](const SDL_MouseButtonEvent&) { return false; });
    EXPECT_EQ(box.Closed(), row.ClosesTheBox) << '"' << row.Name << '"';
    EXPECT_EQ(press.key.windowID, 7u);  // the events are routed by window
  }
}

}  // namespace
}  // namespace nuikaro
