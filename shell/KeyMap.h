// SDL key codes to the game's virtual-key codes.
#pragma once

#include <cstdint>

#include "shell/Form.h"

namespace nuikaro {

// The arrows, Escape, and both Enter keys map to their virtual-key codes (Form.h); so do the
// keypad's 8, 6, 2 and 4 while NumLock is off, when they are its arrows. Every other key,
// modifier keys and the keypad's digits included, maps to VirtualKey::Other. modifiers is SDL's
// modifier state of the key event.
int16_t VirtualKeyFromSdl(int32_t sdlKeycode, uint16_t modifiers);

}  // namespace nuikaro
