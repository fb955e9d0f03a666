// Screen on SDL's offscreen driver, whose window surface is plain memory the test can read: over a
// run of frames the window always holds the last one, though only changed tiles are written.
#include "shell/Screen.h"

#include <gtest/gtest.h>

#include <vector>

#include "shell/WindowScaling.h"

namespace nuikaro {
namespace {

class ScreenTest : public testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    // Factor 2, with black around the frame.
    window_ = SDL_CreateWindow("test", 0, 0, 1300, 970, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window_, nullptr) << SDL_GetError();
  }
  void TearDown() override {
    if (window_ != nullptr) {
      SDL_DestroyWindow(window_);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  // The window's pixels, and what a whole present of the frame would have made of them.
  std::vector<uint32_t> WindowPixels() const {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    const auto* bytes = static_cast<const unsigned char*>(surface->pixels);
    return {reinterpret_cast<const uint32_t*>(bytes),
            reinterpret_cast<const uint32_t*>(bytes + surface->pitch * surface->h)};
  }
  std::vector<uint32_t> WholePresent(const Surface& frame) const {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    std::vector<uint32_t> pixels(WindowPixels().size());
    ScaleFrame(frame, pixels.data(), surface->pitch, surface->w, surface->h);
    return pixels;
  }

  SDL_Window* window_ = nullptr;
};

Surface Paint(Surface frame, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) {
  for (int32_t row = y; row < y + height; ++row) {
    std::fill(frame.Row(row) + x, frame.Row(row) + x + width, colour);
  }
  return frame;
}

TEST_F(ScreenTest, TheShownWindowHoldsEachFrameInTurnAndOnlyARepaintRepairsItsPixels) {
  Screen screen(window_);
  ASSERT_FALSE(screen.Accelerated());
  const Surface first = Paint(Surface(ScreenWidth, ScreenHeight), 0, 0, 640, 480, 0x203040);
  const Surface moved = Paint(first, 80, 80, 16, 16, 0xff0000);
  const Surface movedOn = Paint(Paint(first, 96, 80, 16, 16, 0xff0000), 600, 10, 30, 20, 0xffff);
  // Nothing goes to the window before it is shown; showing it sends the whole frame.
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  SDL_FillRect(surface, nullptr, 0x00ff00);
  const std::vector<uint32_t> unshown = WindowPixels();
  screen.Present(first);
  ASSERT_EQ(WindowPixels(), unshown);
  screen.Show(first);
  ASSERT_EQ(WindowPixels(), WholePresent(first));
  for (const Surface* frame : {&moved, &movedOn, &first, &movedOn}) {
    screen.Present(*frame);
    ASSERT_EQ(WindowPixels(), WholePresent(*frame));
  }

  // Pixels lost behind the game's back are not sent again while the frame stays the same...
  surface = SDL_GetWindowSurface(window_);
  SDL_FillRect(surface, nullptr, 0x00ff00);
  screen.Present(movedOn);
  EXPECT_NE(WindowPixels(), WholePresent(movedOn));
  // ...but a repaint after an expose sends the whole frame.
  screen.Repaint(movedOn);
  EXPECT_EQ(WindowPixels(), WholePresent(movedOn));
}

TEST(SendsWholeFrame, OnlyWhenThePixelsWereLostOrTheFrameOrTheTargetChanged) {
  SDL_Surface first{};
  SDL_Surface second{};
  const Surface frame(ScreenWidth, ScreenHeight);
  const PresentTarget last{&first, 1280, 960};
  struct Row {
    const char* what;
    bool lost;
    Surface shown;
    PresentTarget now;
    bool whole;
  };
  const Row rows[] = {
      {"the same frame size to the same target", false, frame, last, false},
      {"the pixels were lost", true, frame, last, true},
      {"nothing shown yet", false, Surface(), last, true},
      {"another frame width", false, Surface(ScreenWidth - 1, ScreenHeight), last, true},
      {"another frame height", false, Surface(ScreenWidth, ScreenHeight - 1), last, true},
      {"a surface made again", false, frame, {&second, 1280, 960}, true},
      {"a renderer's target (no surface)", false, frame, {nullptr, 1280, 960}, true},
      {"a wider window", false, frame, {&first, 1281, 960}, true},
      {"a taller window", false, frame, {&first, 1280, 961}, true},
      {"a narrower window", false, frame, {&first, 1279, 960}, true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(SendsWholeFrame(row.lost, row.shown, frame, last, row.now), row.whole) << row.what;
  }
  const PresentTarget renderer{nullptr, 640, 480};
  EXPECT_FALSE(SendsWholeFrame(false, frame, frame, renderer, renderer));
}

}  // namespace
}  // namespace nuikaro
