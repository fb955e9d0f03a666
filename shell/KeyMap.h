// SDL key codes to the game's virtual-key codes.
#pragma once

#include <SDL_events.h>

#include <cstdint>
#include <string_view>

#include "shell/Form.h"

namespace nuikaro {

// The arrows, Escape, and both Enter keys map to their virtual-key codes (Form.h); so do the
// keypad's 8, 6, 2 and 4 while NumLock is off, when they are its arrows. Every other key,
// modifier keys and the keypad's digits included, maps to VirtualKey::Other. modifiers is SDL's
// modifier state of the key event.
int16_t VirtualKeyFromSdl(int32_t sdlKeycode, uint16_t modifiers);

// A key of a web page as SDL's key event for window: key is the browser's name of it
// (KeyboardEvent.key), pressed 1 for a press and 0 for a release, repeat 1 for the browser's
// repeats. The keys the game and its box know keep their SDL codes; any other key is
// SDLK_UNKNOWN.
SDL_Event PageKeyEvent(std::string_view key, int pressed, int repeat, uint32_t window);

}  // namespace nuikaro
