// Screen on SDL's offscreen driver, whose window surface is plain memory the test can read: over a
// run of frames the window always holds the last one, though only changed tiles are written.
#include "shell/Screen.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <unistd.h>
#endif

#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <utility>
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

#if !defined(_WIN32)
// The display hears of a frame only when something in it changed: SDL's offscreen driver saves a
// picture for each update it is sent (into the current folder), so the test counts them.
TEST_F(ScreenTest, TheDisplayIsToldOfAFrameOnlyWhenItChanged) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("nuikaro-updates-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  setenv("SDL_VIDEO_OFFSCREEN_SAVE_FRAMES", "1", 1);
  const auto Updates = [&folder] {
    return std::distance(std::filesystem::directory_iterator(folder),
                         std::filesystem::directory_iterator());
  };
  Screen screen(window_);
  const Surface first = Paint(Surface(ScreenWidth, ScreenHeight), 0, 0, 640, 480, 0x203040);
  const Surface moved = Paint(first, 80, 80, 16, 16, 0xff0000);
  screen.Show(first);
  const auto shown = Updates();
  screen.Present(first);
  const auto unchanged = Updates();
  screen.Present(moved);
  const auto changed = Updates();
  unsetenv("SDL_VIDEO_OFFSCREEN_SAVE_FRAMES");
  std::filesystem::current_path(before);
  std::filesystem::remove_all(folder);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(unchanged, 1) << "an unchanged frame was sent";
  EXPECT_EQ(changed, 2) << "a changed frame was not sent";
}
#endif

// A window surface in another pixel format: SDL converts, the placement is the same.
TEST(WriteFrame, AWindowOfAnotherPixelFormatGetsTheFrameConvertedPlacedAndBlackAround) {
  Surface frame = Paint(Surface(ScreenWidth, ScreenHeight), 0, 0, 640, 480, 0x808080);
  frame = Paint(frame, 0, 0, 1, 1, 0xff0000);
  frame = Paint(frame, 639, 479, 1, 1, 0x0000ff);
  frame = Paint(frame, 100, 200, 16, 16, 0x00ff00);
  for (const uint32_t format : {SDL_PIXELFORMAT_RGB24, SDL_PIXELFORMAT_RGB565}) {
    SCOPED_TRACE(SDL_GetPixelFormatName(format));
    SDL_Surface* window = SDL_CreateRGBSurfaceWithFormat(0, 1300, 970, 32, format);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_FillRect(window, nullptr, SDL_MapRGB(window->format, 1, 2, 3));
    std::vector<SDL_Rect> sent;
    ASSERT_TRUE(WriteFrame(window, frame, true, {}, sent));
    EXPECT_TRUE(sent.empty());
    // The window pixel at (x, y) as XRGB.
    const auto at = [window](int x, int y) {
      uint32_t pixel = 0;
      std::memcpy(&pixel,
                  static_cast<const uint8_t*>(window->pixels) + y * window->pitch +
                      x * window->format->BytesPerPixel,
                  window->format->BytesPerPixel);
      uint8_t r = 0, g = 0, b = 0;
      SDL_GetRGB(pixel, window->format, &r, &g, &b);
      return Rgb(r, g, b);
    };
    const uint32_t grey = at(100, 100);
    EXPECT_EQ(at(9, 5), 0u);
    EXPECT_EQ(at(10, 4), 0u);
    EXPECT_EQ(at(1299, 969), 0u);
    EXPECT_EQ(at(10, 5), at(11, 6));
    EXPECT_NE(at(10, 5), grey);
    EXPECT_EQ(at(12, 5), grey);
    EXPECT_EQ(at(10 + 2 * 639 + 1, 5 + 2 * 479 + 1), at(10 + 2 * 639, 5 + 2 * 479));
    EXPECT_NE(at(10 + 2 * 639, 5 + 2 * 479), grey);
    EXPECT_EQ(at(10 + 1280, 500), 0u);
    EXPECT_NE(at(10 + 200, 5 + 400), grey);

    // A changed part is written and sent where it lands, and nothing else.
    const Surface changed = Paint(frame, 300, 100, 8, 4, 0xffffff);
    const std::vector<Rect> parts = {{300, 100, 8, 4}};
    ASSERT_TRUE(WriteFrame(window, changed, false, parts, sent));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].x, 610);
    EXPECT_EQ(sent[0].y, 205);
    EXPECT_EQ(sent[0].w, 16);
    EXPECT_EQ(sent[0].h, 8);
    EXPECT_EQ(at(610, 205), 0xffffffu);
    EXPECT_EQ(at(625, 212), 0xffffffu);
    EXPECT_EQ(at(626, 212), grey);
    EXPECT_EQ(at(609, 205), grey);
    EXPECT_NE(at(10 + 200, 5 + 400), grey) << "what did not change stays";
    SDL_FreeSurface(window);
  }
}

// Where the window has no surface (Wayland): the renderer gets the frame placed as on a surface,
// black around it, whatever colour the renderer last drew with.
TEST(DrawPlacedFrame, TheRendererGetsTheFrameScaledPlacedAndBlackAround) {
  SDL_Surface* window = SDL_CreateRGBSurfaceWithFormat(0, 1300, 970, 32, SDL_PIXELFORMAT_XRGB8888);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  SDL_FillRect(window, nullptr, 0x123456);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(window);
  ASSERT_NE(renderer, nullptr) << SDL_GetError();
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_XRGB8888,
                                           SDL_TEXTUREACCESS_STREAMING, ScreenWidth, ScreenHeight);
  ASSERT_NE(texture, nullptr) << SDL_GetError();
  const Surface frame = Paint(Surface(ScreenWidth, ScreenHeight), 0, 0, 640, 480, 0x808080);
  SDL_UpdateTexture(texture, nullptr, frame.Pixels.data(), ScreenWidth * 4);
  SDL_SetRenderDrawColor(renderer, 255, 0, 255, SDL_ALPHA_OPAQUE);
  DrawPlacedFrame(renderer, texture, window->w, window->h);
  const auto at = [window](int x, int y) {
    return static_cast<const uint32_t*>(window->pixels)[y * window->pitch / 4 + x] & 0xFFFFFF;
  };
  // Factor 2 at (10, 5): the frame's corners inside, the margins on all four sides black.
  EXPECT_EQ(at(10, 5), 0x808080u);
  EXPECT_EQ(at(10 + 1279, 5 + 959), 0x808080u);
  for (const auto& [x, y] :
       {std::pair{0, 0}, std::pair{9, 500}, std::pair{500, 4}, std::pair{10 + 1280, 500},
        std::pair{500, 5 + 960}, std::pair{1299, 969}}) {
    EXPECT_EQ(at(x, y), 0u) << x << "," << y;
  }
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(window);
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
