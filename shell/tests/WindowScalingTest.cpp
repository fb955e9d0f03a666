// The 640 by 480 frame in windows of other sizes.
#include "shell/WindowScaling.h"

#include <gtest/gtest.h>

#include <vector>

namespace nuikaro {
namespace {

// A frame whose every pixel tells where it is.
Surface NumberedFrame() {
  Surface frame(ScreenWidth, ScreenHeight);
  for (int32_t y = 0; y < ScreenHeight; ++y) {
    for (int32_t x = 0; x < ScreenWidth; ++x) {
      frame.Row(y)[x] = 0x01000000u | static_cast<uint32_t>(y << 12 | x);
    }
  }
  return frame;
}

struct Window {
  Window(int32_t width, int32_t height, int32_t padding = 0)
      : Width(width),
        Height(height),
        Pitch((width + padding) * 4),
        Pixels(static_cast<std::size_t>((width + padding) * height), 0xdeadbeefu) {}
  uint32_t At(int32_t x, int32_t y) const { return Pixels[y * (Pitch / 4) + x]; }
  int32_t Width, Height, Pitch;
  std::vector<uint32_t> Pixels;
};

TEST(WindowScalingTest, AtTheStartSizeTheFrameIsCopiedPixelForPixel) {
  const Surface frame = NumberedFrame();
  Window window(640, 480);
  ScaleFrame(frame, window.Pixels.data(), window.Pitch, window.Width, window.Height);
  EXPECT_EQ(window.Pixels, frame.Pixels);
}

TEST(WindowScalingTest, TheLargestWholeFactorThatFitsIsUsedAndTheFrameCentred) {
  struct Row {
    int32_t width, height;
    FramePlacement place;
  };
  for (const Row& row : {
           Row{640, 480, {1, 0, 0}},
           Row{643, 485, {1, 1, 2}},
           Row{1279, 960, {1, 319, 240}},  // one column short of 2
           Row{1280, 959, {1, 320, 239}},  // one row short of 2
           Row{1280, 960, {2, 0, 0}},
           Row{1920, 1000, {2, 320, 20}},  // 3 across, only 2 down
           Row{2000, 1500, {3, 40, 30}},
           Row{600, 400, {1, 0, 0}},  // too small: top left, unscaled
           Row{700, 400, {1, 30, 0}},
       }) {
    const FramePlacement place = PlaceFrame(row.width, row.height);
    EXPECT_EQ(place.Scale, row.place.Scale) << row.width << "x" << row.height;
    EXPECT_EQ(place.X, row.place.X) << row.width << "x" << row.height;
    EXPECT_EQ(place.Y, row.place.Y) << row.width << "x" << row.height;
  }
}

TEST(WindowScalingTest, APartOfTheFrameLandsScaledFromThePlacedCorner) {
  struct Row {
    FramePlacement place;
    Rect part, placed;
  };
  for (const Row& row : {
           Row{{1, 0, 0}, {16, 32, 48, 64}, {16, 32, 48, 64}},
           Row{{1, 7, 5}, {16, 32, 48, 64}, {23, 37, 48, 64}},
           Row{{2, 10, 5}, {0, 0, 640, 480}, {10, 5, 1280, 960}},
           Row{{3, 40, 30}, {16, 32, 48, 64}, {88, 126, 144, 192}},
           Row{{2, 0, 0}, {639, 479, 1, 1}, {1278, 958, 2, 2}},
       }) {
    EXPECT_EQ(PlacedPart(row.place, row.part), row.placed)
        << "scale " << row.place.Scale << ", part at " << row.part.X << "," << row.part.Y;
  }
}

// A changed part goes to its place in the window, clipped to the window, and not a pixel else.
TEST(WindowScalingTest, APartIsWrittenWhereItIsPlacedClippedAndNowhereElse) {
  const Surface frame = NumberedFrame();
  struct Row {
    int32_t width, height;
    Rect part, written;  // written: the window's area, empty when none
  };
  for (const Row& row : {
           Row{1280, 960, {16, 32, 48, 64}, {32, 64, 96, 128}},
           Row{643, 485, {0, 0, 16, 16}, {1, 2, 16, 16}},
           Row{600, 400, {592, 384, 48, 96}, {592, 384, 8, 16}},  // cut at the window's edges
           Row{600, 400, {600, 0, 16, 16}, {}},                   // just past the right edge
           Row{600, 400, {0, 400, 16, 16}, {}},                   // just past the bottom
       }) {
    Window window(row.width, row.height, 3);
    const Rect written = ScaleFramePart(frame, row.part, window.Pixels.data(), window.Pitch,
                                        window.Width, window.Height);
    EXPECT_EQ(written, row.written) << row.width << "x" << row.height;
    const FramePlacement place = PlaceFrame(row.width, row.height);
    int32_t wrong = 0;
    for (int32_t y = 0; y < row.height; ++y) {
      for (int32_t x = 0; x < row.width; ++x) {
        const bool inside = x >= written.X && x < written.X + written.Width && y >= written.Y &&
                            y < written.Y + written.Height;
        const uint32_t want =
            inside ? frame.At((x - place.X) / place.Scale, (y - place.Y) / place.Scale)
                   : 0xdeadbeefu;
        wrong += window.At(x, y) != want ? 1 : 0;
      }
    }
    EXPECT_EQ(wrong, 0) << row.width << "x" << row.height;
  }
}

TEST(WindowScalingTest, AScaledFrameRepeatsEachPixelAndIsBlackAround) {
  const Surface frame = NumberedFrame();
  Window window(1300, 970, 3);  // factor 2, 10 columns and 5 rows spare on each side
  ScaleFrame(frame, window.Pixels.data(), window.Pitch, window.Width, window.Height);
  EXPECT_EQ(window.At(10, 5), frame.At(0, 0));
  EXPECT_EQ(window.At(11, 6), frame.At(0, 0));
  EXPECT_EQ(window.At(12, 5), frame.At(1, 0));
  EXPECT_EQ(window.At(10 + 2 * 639 + 1, 5 + 2 * 479 + 1), frame.At(639, 479));
  EXPECT_EQ(window.At(9, 5), 0u);
  EXPECT_EQ(window.At(10, 4), 0u);
  EXPECT_EQ(window.At(1299, 969), 0u);
  EXPECT_EQ(window.At(10 + 1280, 500), 0u);
  EXPECT_EQ(window.At(500, 4), 0u) << "the row above the frame";
  EXPECT_EQ(window.At(500, 5 + 960), 0u) << "the row below the frame";
  EXPECT_EQ(window.Pixels[1300], 0xdeadbeefu) << "the padding past each row is not written";
}

TEST(WindowScalingTest, AWindowSmallerThanTheFrameShowsItsTopLeftUnscaled) {
  const Surface frame = NumberedFrame();
  Window window(600, 400);
  ScaleFrame(frame, window.Pixels.data(), window.Pitch, window.Width, window.Height);
  EXPECT_EQ(window.At(0, 0), frame.At(0, 0));
  EXPECT_EQ(window.At(599, 399), frame.At(599, 399));
}

TEST(WindowScalingTest, TheWindowOpensAtTheWholeFactorTheDesktopAsksForIfItFits) {
  struct Case {
    const char* GdkScale;
    const char* XftDpi;
    int32_t UsableWidth;
    int32_t UsableHeight;
    int32_t Scale;
  };
  for (const Case& c : std::vector<Case>{
           {nullptr, nullptr, 3840, 2160, 1},  // nothing asked: as the frame
           {nullptr, "96", 3840, 2160, 1},
           {nullptr, "191.5", 3840, 2160, 1},  // between the steps: the lower one
           {nullptr, "192", 3840, 2160, 2},
           {nullptr, "288", 3840, 2160, 3},
           {nullptr, "288", 1920, 1080, 2},  // 3 would not fit
           {nullptr, "192", 1279, 1080, 1},
           {nullptr, "192", 1280, 960, 2},  // exactly fits
           {"2", nullptr, 3840, 2160, 2},
           {"1", "192", 3840, 2160, 1},  // the explicit scale wins over the resource
           {"0", "192", 3840, 2160, 2},  // not a scale: the resource decides
           {"2x", nullptr, 3840, 2160, 1},
           {nullptr, "high", 3840, 2160, 1},
           {nullptr, "6144", 1 << 20, 1 << 20, 1},  // 64 times 96 and more: not a screen's
           {nullptr, "6143", 1 << 20, 1 << 20, 63},
           {"2", "192", 0, 0, 1},  // a screen whose size is not known
       }) {
    EXPECT_EQ(StartScale(c.GdkScale, c.XftDpi, c.UsableWidth, c.UsableHeight), c.Scale)
        << "GDK_SCALE " << (c.GdkScale ? c.GdkScale : "unset") << ", Xft.dpi "
        << (c.XftDpi ? c.XftDpi : "unset") << ", " << c.UsableWidth << "x" << c.UsableHeight;
  }
}

}  // namespace
}  // namespace nuikaro
