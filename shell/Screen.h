// Showing the back buffer in the game window: the window receives only the rectangles whose pixels
// changed since the frame it was last sent, scaled by the window's whole factor.
#pragma once

#include <SDL.h>

#include <vector>

#include "render/Surface.h"
#include "shell/FrameDamage.h"

namespace nuikaro {

// Where a present went: the window's own surface (null through a renderer) and its pixel size.
struct PresentTarget {
  SDL_Surface* Surface = nullptr;
  int Width = 0;
  int Height = 0;
};

// Whether a present sends the whole frame rather than the rectangles that changed since shown:
// when the window's pixels were lost (pixelsLost: before the first present, after a repaint
// request or a failed one), the frame's size changed, or the target is not the one the last
// present went to (a surface made again, a new size).
bool SendsWholeFrame(bool pixelsLost, const Surface& shown, const Surface& frame,
                     const PresentTarget& last, const PresentTarget& now);

// Writes the frame into a window's surface, scaled and placed by PlaceFrame: all of it with black
// around (whole), or else its parts (in frame pixels) that changed, adding the window rectangles
// written to sent. A surface of another pixel format than the frame's XRGB8888 is converted by
// SDL. False when SDL could not lock the surface or take the frame.
bool WriteFrame(SDL_Surface* surface, const Surface& frame, bool whole,
                const std::vector<Rect>& parts, std::vector<SDL_Rect>& sent);

// Draws the frame's texture into a renderer's output of width by height pixels, scaled and placed
// by PlaceFrame with black around, and presents it.
void DrawPlacedFrame(SDL_Renderer* renderer, SDL_Texture* texture, int width, int height);

class Screen {
 public:
  // Finds the way to the window. Its own surface without acceleration comes first (X11: no GPU
  // context, a shared-memory image); where the driver has none (Wayland), an SDL renderer with a
  // streaming texture that the renderer scales. Throws StartupError when neither can be had.
  explicit Screen(SDL_Window* window);
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // Maps the window and sends it the whole frame.
  void Show(const Surface& frame);

  // Sends the frame's changed rectangles to the window, or the whole frame when the window's
  // pixels are not known to hold the last one: after its surface or size changed. Does nothing
  // before Show: a present to an unmapped window is lost anyway, and the expose after mapping
  // repeats it.
  void Present(const Surface& frame);

  // The window's pixels were lost (exposed, resized): sends the whole frame.
  void Repaint(const Surface& frame);

  // True when frames go through an SDL renderer rather than the window's own surface.
  bool Accelerated() const { return renderer_ != nullptr; }

 private:
  void PresentToSurface(const Surface& frame, bool whole);
  void PresentToRenderer(const Surface& frame, bool whole);

  SDL_Window* window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  PresentTarget last_;  // where the last present went
  bool whole_ = true;
  bool mapped_ = false;         // Show has run
  Surface shown_;               // the frame as the window last received it
  std::vector<Rect> changed_;   // this present's rectangles, in frame pixels
  std::vector<SDL_Rect> sent_;  // the same in window pixels
};

}  // namespace nuikaro
