// The colours of the game's artwork, shared by the sprite sheet and the window icon.
#pragma once

#include "tools/Picture.h"

namespace nuikaro {

inline constexpr Rgba Black{0, 0, 0, 255};

// Board.
inline constexpr Rgba Felt{46, 86, 58, 255};
inline constexpr Rgba FeltSeam{34, 66, 44, 255};

// Snake.
inline constexpr Rgba SnakeSkin{156, 206, 64, 255};
inline constexpr Rgba SnakeBelly{196, 226, 110, 255};
inline constexpr Rgba SnakePattern{74, 132, 40, 255};
inline constexpr Rgba SnakeOutline{26, 52, 18, 255};
inline constexpr Rgba EyeWhite{250, 248, 232, 255};

// Items.
inline constexpr Rgba Cream{238, 226, 192, 255};
inline constexpr Rgba CreamOutline{128, 96, 52, 255};
inline constexpr Rgba AppleRed{214, 40, 40, 255};
inline constexpr Rgba AppleShade{150, 22, 30, 255};
inline constexpr Rgba AppleShine{255, 182, 170, 255};
inline constexpr Rgba Stem{104, 66, 28, 255};
inline constexpr Rgba Leaf{58, 150, 52, 255};
inline constexpr Rgba NightBlue{34, 52, 136, 255};
inline constexpr Rgba NightOutline{14, 20, 64, 255};
inline constexpr Rgba Gold{255, 208, 40, 255};
inline constexpr Rgba GoldShine{255, 244, 170, 255};
inline constexpr Rgba Poison{84, 30, 104, 255};
inline constexpr Rgba PoisonOutline{36, 10, 48, 255};
inline constexpr Rgba Bone{228, 218, 238, 255};
inline constexpr Rgba Hollow{40, 10, 52, 255};

}  // namespace nuikaro
