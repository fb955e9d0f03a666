// SDL key codes to the game's virtual-key codes.
#pragma once

#include <cstdint>

namespace nuikaro {

inline constexpr int16_t VK_OTHER = 0;  // stands for every key outside the game's six

// The arrows, Escape, and both Enter keys map to their virtual-key codes (Form.h); every other
// key, modifier keys included, maps to VK_OTHER.
int16_t VirtualKeyFromSdl(int32_t sdlKeycode);

}  // namespace nuikaro
