// Placing the 640 by 480 frame in a window of any size: the largest whole factor that fits,
// centred, black around, so the pixels stay crisp.
#pragma once

#include <cstdint>

#include "render/Layout.h"
#include "render/Surface.h"
#include "shell/Rect.h"

namespace nuikaro {

struct FramePlacement {
  int32_t Scale;  // 1 when even the plain frame does not fit
  int32_t X;      // top left corner of the scaled frame in the window; 0 when it does not fit
  int32_t Y;
};

FramePlacement PlaceFrame(int32_t windowWidth, int32_t windowHeight);

// Where part of the frame (in frame pixels) lands in the window when the frame is placed so, not
// clipped to the window.
Rect PlacedPart(const FramePlacement& place, const Rect& part);

// Writes the part of the frame (in frame pixels), scaled by nearest neighbour and placed by
// PlaceFrame, into a window's XRGB8888 pixels (pitch in bytes) and returns the window rectangle it
// covered (clipped to the window; empty when none). At 640 by 480 this is a plain copy. After
// ScaleFrame of one frame, this for each rectangle FindChangedRectangles gives towards the next
// leaves the window as ScaleFrame of the next frame would.
Rect ScaleFramePart(const Surface& frame, const Rect& part, uint32_t* pixels, int32_t pitch,
                    int32_t width, int32_t height);

// The whole frame through ScaleFramePart, and the rest of the window painted black.
void ScaleFrame(const Surface& frame, uint32_t* pixels, int32_t pitch, int32_t width,
                int32_t height);

// The whole factor the window opens at: what the desktop asks for, as GDK_SCALE (a whole number,
// which wins when set) or as the Xft.dpi resource (96 for each step; 192 and up is 2), but no
// larger than fits the usable width and height of the screen, and never below 1. Null or
// unreadable values ask for nothing.
int32_t StartScale(const char* gdkScale, const char* xftDpi, int32_t usableWidth,
                   int32_t usableHeight);

}  // namespace nuikaro
