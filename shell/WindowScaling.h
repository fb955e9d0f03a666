// Placing the 640 by 480 frame in a window of any size: the largest whole factor that fits,
// centred, black around, so the pixels stay crisp.
#pragma once

#include <cstdint>

#include "render/Layout.h"
#include "render/Surface.h"

namespace nuikaro {

struct FramePlacement {
  int32_t Scale;  // 1 when even the plain frame does not fit
  int32_t X;      // top left corner of the scaled frame in the window; 0 when it does not fit
  int32_t Y;
};

FramePlacement PlaceFrame(int32_t windowWidth, int32_t windowHeight);

// Writes the frame, scaled by nearest neighbour and placed by PlaceFrame, into a window's XRGB8888
// pixels (pitch in bytes) and paints the rest black. At 640 by 480 this is a plain copy.
void ScaleFrame(const Surface& frame, uint32_t* pixels, int32_t pitch, int32_t width,
                int32_t height);

}  // namespace nuikaro
