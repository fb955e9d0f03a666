// SDL key codes reach the game as its own virtual-key codes.
#include "shell/KeyMap.h"

#include <SDL_keyboard.h>
#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/BoxInput.h"
#include "shell/Gamepad.h"

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

// A pad's controls as SDL's controller events of pad 0 unless told.
SDL_Event Button(int button, bool pressed, int pad = 0) {
  SDL_Event event{};
  event.type = pressed ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
  event.cbutton.which = pad;
  event.cbutton.button = static_cast<Uint8>(button);
  event.cbutton.state = pressed ? SDL_PRESSED : SDL_RELEASED;
  return event;
}
SDL_Event Axis(int axis, int value, int pad = 0) {
  SDL_Event event{};
  event.type = SDL_CONTROLLERAXISMOTION;
  event.caxis.which = pad;
  event.caxis.axis = static_cast<Uint8>(axis);
  event.caxis.value = static_cast<Sint16>(value);
  return event;
}
SDL_Event Page(bool isAxis, int index, double value) {
  SDL_Event event{};
  EXPECT_TRUE(PagePadEvent(0, isAxis, index, value, event)) << index;
  return event;
}

struct PadCase {
  std::string What;
  bool InBox;
  std::vector<SDL_Event> Events;  // given to one PadKeys in turn
  std::optional<PadKey> Last;     // the key event the last of them makes, if any
};

std::string Describe(const std::optional<PadKey>& key) {
  return key ? std::to_string(key->Key) + (key->Pressed ? " down" : " up") : "none";
}

// Written out rather than taken from the table, so that a wrong row there fails here.
TEST(KeyMapTest, EachControlOfAPadMakesTheKeyEventOfTheKeyItStandsFor) {
  const bool down = true;
  const bool up = false;
  const std::optional<PadKey> none;
  const auto press = [](SDL_Keycode key) {
    return std::optional<PadKey>(PadKey{key, true, false});
  };
  const auto release = [](SDL_Keycode key) {
    return std::optional<PadKey>(PadKey{key, false, false});
  };
  const int x = SDL_CONTROLLER_AXIS_LEFTX;
  const int y = SDL_CONTROLLER_AXIS_LEFTY;
  const std::vector<PadCase> cases = {
      {"d-pad up", false, {Button(SDL_CONTROLLER_BUTTON_DPAD_UP, down)}, press(SDLK_UP)},
      {"d-pad right", false, {Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, down)}, press(SDLK_RIGHT)},
      {"d-pad down", false, {Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, down)}, press(SDLK_DOWN)},
      {"d-pad left", false, {Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, down)}, press(SDLK_LEFT)},
      {"d-pad up let go", false, {Button(SDL_CONTROLLER_BUTTON_DPAD_UP, up)}, release(SDLK_UP)},
      {"A", false, {Button(SDL_CONTROLLER_BUTTON_A, down)}, press(SDLK_RETURN)},
      {"Start", false, {Button(SDL_CONTROLLER_BUTTON_START, down)}, press(SDLK_RETURN)},
      {"Back", false, {Button(SDL_CONTROLLER_BUTTON_BACK, down)}, press(SDLK_ESCAPE)},
      {"B: Space, any other key",
       false,
       {Button(SDL_CONTROLLER_BUTTON_B, down)},
       press(SDLK_SPACE)},
      {"X", false, {Button(SDL_CONTROLLER_BUTTON_X, down)}, press(SDLK_UNKNOWN)},
      {"Y", false, {Button(SDL_CONTROLLER_BUTTON_Y, down)}, press(SDLK_UNKNOWN)},
      {"a shoulder",
       false,
       {Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, down)},
       press(SDLK_UNKNOWN)},
      {"Guide", false, {Button(SDL_CONTROLLER_BUTTON_GUIDE, down)}, press(SDLK_UNKNOWN)},
      {"a stick's click",
       false,
       {Button(SDL_CONTROLLER_BUTTON_LEFTSTICK, down)},
       press(SDLK_UNKNOWN)},
      {"in the box, A", true, {Button(SDL_CONTROLLER_BUTTON_A, down)}, press(SDLK_RETURN)},
      {"in the box, A let go", true, {Button(SDL_CONTROLLER_BUTTON_A, up)}, release(SDLK_RETURN)},
      {"in the box, Start", true, {Button(SDL_CONTROLLER_BUTTON_START, down)}, press(SDLK_RETURN)},
      {"in the box, B", true, {Button(SDL_CONTROLLER_BUTTON_B, down)}, press(SDLK_SPACE)},
      {"in the box, Back", true, {Button(SDL_CONTROLLER_BUTTON_BACK, down)}, press(SDLK_UNKNOWN)},
      {"in the box, X", true, {Button(SDL_CONTROLLER_BUTTON_X, down)}, press(SDLK_UNKNOWN)},
      {"in the box, the d-pad",
       true,
       {Button(SDL_CONTROLLER_BUTTON_DPAD_UP, down)},
       press(SDLK_UNKNOWN)},
      {"in the box, the stick", true, {Axis(x, 30000)}, press(SDLK_UNKNOWN)},
      // The stick: pushed from half its travel, let go below a third.
      {"stick just short of half", false, {Axis(x, 16383)}, none},
      {"stick right at half", false, {Axis(x, 16384)}, press(SDLK_RIGHT)},
      {"stick left at half", false, {Axis(x, -16384)}, press(SDLK_LEFT)},
      {"stick up at half", false, {Axis(y, -16384)}, press(SDLK_UP)},
      {"stick down at half", false, {Axis(y, 16384)}, press(SDLK_DOWN)},
      {"stick back to a third: still held", false, {Axis(x, 20000), Axis(x, 10923)}, none},
      {"stick below a third: let go", false, {Axis(x, 20000), Axis(x, 10922)}, release(SDLK_RIGHT)},
      {"stick past half again while held: no new press",
       false,
       {Axis(x, 20000), Axis(x, 12000), Axis(x, 20000)},
       none},
      {"stick let go, then past half: a new press",
       false,
       {Axis(x, 20000), Axis(x, 5000), Axis(x, 20000)},
       press(SDLK_RIGHT)},
      {"stick across to the other side",
       false,
       {Axis(x, 20000), Axis(x, -20000)},
       press(SDLK_LEFT)},
      // The stronger axis wins.
      {"stick down and right, down stronger",
       false,
       {Axis(x, 20000), Axis(y, 25000)},
       press(SDLK_DOWN)},
      {"stick down and right, right stronger",
       false,
       {Axis(y, 20000), Axis(x, 25000)},
       press(SDLK_RIGHT)},
      {"stick right, then up weaker", false, {Axis(x, 25000), Axis(y, -20000)}, none},
      {"stick right, up grows weaker than half", false, {Axis(x, 12000), Axis(y, -16000)}, none},
      {"stick held right, up the stronger but short of half",
       false,
       {Axis(x, 20000), Axis(x, 12000), Axis(y, -16000)},
       none},
      {"the right stick stands for nothing",
       false,
       {Axis(SDL_CONTROLLER_AXIS_RIGHTX, 30000)},
       none},
      // Triggers: any other key, by the same thresholds.
      {"a trigger at half",
       false,
       {Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 16384)},
       press(SDLK_UNKNOWN)},
      {"a trigger short of half", false, {Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 16383)}, none},
      {"a trigger back to a third",
       false,
       {Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 20000), Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 10923)},
       none},
      {"a trigger below a third",
       false,
       {Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 20000), Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 10922)},
       release(SDLK_UNKNOWN)},
      // Each pad's stick is its own.
      {"another pad's stick short of half", false, {Axis(x, 20000, 0), Axis(x, 12000, 1)}, none},
      // The browser's standard layout.
      {"page: button 12, d-pad up", false, {Page(false, 12, 1)}, press(SDLK_UP)},
      {"page: button 13, d-pad down", false, {Page(false, 13, 1)}, press(SDLK_DOWN)},
      {"page: button 14, d-pad left", false, {Page(false, 14, 1)}, press(SDLK_LEFT)},
      {"page: button 15, d-pad right", false, {Page(false, 15, 1)}, press(SDLK_RIGHT)},
      {"page: button 15 let go", false, {Page(false, 15, 0)}, release(SDLK_RIGHT)},
      {"page: button 0, A", false, {Page(false, 0, 1)}, press(SDLK_RETURN)},
      {"page: button 1, B", false, {Page(false, 1, 1)}, press(SDLK_SPACE)},
      {"page: button 8, Back", false, {Page(false, 8, 1)}, press(SDLK_ESCAPE)},
      {"page: button 9, Start", false, {Page(false, 9, 1)}, press(SDLK_RETURN)},
      {"page: button 2, X", false, {Page(false, 2, 1)}, press(SDLK_UNKNOWN)},
      {"page: button 6, a trigger", false, {Page(false, 6, 1)}, press(SDLK_UNKNOWN)},
      {"page: button 16, Guide", false, {Page(false, 16, 1)}, press(SDLK_UNKNOWN)},
      {"page: axis 0 at half", false, {Page(true, 0, 0.5)}, press(SDLK_RIGHT)},
      {"page: axis 0 short of half", false, {Page(true, 0, 0.49)}, none},
      {"page: axis 1 up", false, {Page(true, 1, -1)}, press(SDLK_UP)},
      {"page: axis 2, the right stick", false, {Page(true, 2, 1)}, none},
  };
  const PadKeys::Clock::time_point now{};
  for (const PadCase& row : cases) {
    PadKeys pads;
    std::optional<PadKey> made;
    for (const SDL_Event& event : row.Events) {
      made = pads.Take(event, now, row.InBox);
    }
    EXPECT_EQ(Describe(made), Describe(row.Last)) << row.What;
    EXPECT_FALSE(made && made->Repeat) << row.What;
  }
  SDL_Event event{};
  EXPECT_FALSE(PagePadEvent(0, false, 17, 1, event)) << "the standard layout has 17 buttons";
  EXPECT_FALSE(PagePadEvent(0, true, 4, 1, event)) << "the standard layout has 4 axes";
}

// As a held key: the first repeat after half a second, then every 33 ms; only while held, and
// never while the box is open.
TEST(KeyMapTest, AHeldDirectionOfAPadRepeatsAsAHeldKeyDoes) {
  using std::chrono::milliseconds;
  const PadKeys::Clock::time_point start{std::chrono::seconds(100)};
  PadKeys pads;
  const auto repeatAt = [&](int at) {
    const std::optional<PadKey> made = pads.Repeat(start + milliseconds(at), false);
    return made ? std::to_string(made->Key) + (made->Repeat ? " repeat" : " press") : "none";
  };
  const std::string right = std::to_string(SDLK_RIGHT) + " repeat";
  EXPECT_EQ(pads.WaitMilliseconds(start, -1), -1) << "nothing held: no limit";
  pads.Take(Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true), start, false);
  EXPECT_EQ(pads.WaitMilliseconds(start, -1), 500);
  EXPECT_EQ(pads.WaitMilliseconds(start, 100), 100);
  EXPECT_EQ(repeatAt(499), "none");
  EXPECT_EQ(repeatAt(500), right);
  EXPECT_EQ(pads.WaitMilliseconds(start + milliseconds(500), -1), 33);
  EXPECT_EQ(repeatAt(532), "none");
  EXPECT_EQ(repeatAt(533), right);
  EXPECT_EQ(repeatAt(566), right);
  // Another control pressed and let go leaves the repeat alone; the direction's release ends it.
  pads.Take(Button(SDL_CONTROLLER_BUTTON_X, true), start + milliseconds(570), false);
  pads.Take(Button(SDL_CONTROLLER_BUTTON_X, false), start + milliseconds(580), false);
  EXPECT_EQ(repeatAt(599), right);
  pads.Take(Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false), start + milliseconds(600), false);
  EXPECT_EQ(repeatAt(2000), "none");
  EXPECT_EQ(pads.WaitMilliseconds(start + milliseconds(2000), -1), -1);
  // The stick repeats as well; a second direction pressed takes the repeat over.
  pads.Take(Axis(SDL_CONTROLLER_AXIS_LEFTY, -30000), start + milliseconds(3000), false);
  EXPECT_EQ(repeatAt(3500), std::to_string(SDLK_UP) + " repeat");
  pads.Take(Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true, 1), start + milliseconds(3510), false);
  EXPECT_EQ(repeatAt(3533), "none") << "the stick's repeat went on";
  EXPECT_EQ(repeatAt(4010), std::to_string(SDLK_LEFT) + " repeat");
  // While the box is open the held direction stops repeating, also after it has closed.
  EXPECT_FALSE(pads.Repeat(start + milliseconds(4043), true));
  EXPECT_EQ(repeatAt(5000), "none");
  // A pad removed lets go of what it held.
  pads.Take(Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true, 2), start + milliseconds(6000), false);
  SDL_Event removed{};
  removed.type = SDL_CONTROLLERDEVICEREMOVED;
  removed.cdevice.which = 2;
  pads.Take(removed, start + milliseconds(6100), false);
  EXPECT_EQ(repeatAt(7000), "none");
  // A loop held up repeats once when it comes back, not in a burst.
  pads.Take(Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true), start + milliseconds(8000), false);
  EXPECT_EQ(repeatAt(9000), std::to_string(SDLK_UP) + " repeat");
  EXPECT_EQ(repeatAt(9001), "none");
}

// A pad's key event is the keyboard's, for the window it is meant for.
TEST(KeyMapTest, APadsKeyEventIsTheKeyboardsKeyEvent) {
  const SDL_Event event = PadKeyEvent(PadKey{SDLK_LEFT, true, true}, 9);
  EXPECT_EQ(event.type, SDL_KEYDOWN);
  EXPECT_EQ(event.key.state, SDL_PRESSED);
  EXPECT_EQ(event.key.repeat, 1);
  EXPECT_EQ(event.key.windowID, 9u);
  EXPECT_EQ(event.key.keysym.sym, SDLK_LEFT);
  EXPECT_EQ(event.key.keysym.scancode, SDL_GetScancodeFromKey(SDLK_LEFT));
  EXPECT_EQ(PadKeyEvent(PadKey{SDLK_RETURN, false, false}, 9).type, SDL_KEYUP);
}

}  // namespace
}  // namespace nuikaro
