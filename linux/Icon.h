// The window icon, a 48 by 48 BMP built into the program so it needs no file at run time.
#pragma once

#include <cstddef>

namespace nuikaro {

extern const unsigned char IconBmp[];
extern const std::size_t IconBmpSize;

}  // namespace nuikaro
