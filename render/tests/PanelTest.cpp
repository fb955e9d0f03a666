#include "render/Panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "game/Game.h"
#include "render/Renderer.h"

namespace nuikaro {
namespace {

constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Grey = 0x808080;
constexpr uint32_t Cyan = 0x00FFFF;
constexpr uint32_t Red = 0xFF0000;

uint32_t RedOf(uint32_t pixel) {
  return (pixel >> 16) & 0xFF;
}
uint32_t GreenOf(uint32_t pixel) {
  return (pixel >> 8) & 0xFF;
}
uint32_t BlueOf(uint32_t pixel) {
  return pixel & 0xFF;
}

// A sprite sheet whose twelve cells are each one distinct colour with a distinct pattern.
Sprite SyntheticSheet() {
  Surface sheet(64, 48);
  for (int32_t y = 0; y < 48; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      const uint32_t cell = static_cast<uint32_t>(y / 16 * 4 + x / 16);
      sheet.Row(y)[x] = (cell * 0x151515 + 0x102030) ^ static_cast<uint32_t>(x % 16 + y % 16);
    }
  }
  return Sprite{64, 48, sheet};
}

struct PanelFrame {
  Game State;
  Renderer Drawing{State};

  explicit PanelFrame(int32_t score) {
    State.Score = score;
    Drawing.ItemSprite = SyntheticSheet();
    DrawPanel(Drawing);
  }
  const Surface& Pixels() const { return Drawing.BackBuffer; }
};

// Calls check for every pixel of the rectangle [left, right) x [top, bottom) equal to colour.
void ForEachPixelOf(const Surface& surface, int32_t left, int32_t top, int32_t right,
                    int32_t bottom, uint32_t colour,
                    const std::function<void(int32_t, int32_t)>& check) {
  for (int32_t y = top; y < bottom; ++y) {
    for (int32_t x = left; x < right; ++x) {
      if ((surface.At(x, y) & 0xFFFFFF) == colour) {
        check(x, y);
      }
    }
  }
}

int32_t CountOf(const Surface& surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                uint32_t colour) {
  int32_t count = 0;
  ForEachPixelOf(surface, left, top, right, bottom, colour, [&](int32_t, int32_t) { ++count; });
  return count;
}

int32_t RightmostInk(const Surface& surface, int32_t top, int32_t bottom) {
  int32_t rightmost = -1;
  for (int32_t y = top; y < bottom; ++y) {
    for (int32_t x = 0; x < surface.Width; ++x) {
      if ((surface.At(x, y) & 0xFFFFFF) != Black) {
        rightmost = std::max(rightmost, x);
      }
    }
  }
  return rightmost;
}

TEST(DrawPanel, DrawsTheWhiteTitleOverAGreyShadowTwoPixelsDownRight) {
  const PanelFrame frame(0);
  const Surface& pixels = frame.Pixels();
  EXPECT_GT(CountOf(pixels, 515, 10, 640, 32, White), 20);
  EXPECT_GT(CountOf(pixels, 515, 10, 640, 34, Grey), 5);  // the shadow shows beside the title
  ForEachPixelOf(pixels, 515, 10, 620, 30, White, [&](int32_t x, int32_t y) {
    const uint32_t shadow = pixels.At(x + 2, y + 2);
    EXPECT_TRUE(RedOf(shadow) >= 128 && RedOf(shadow) == GreenOf(shadow) &&
                GreenOf(shadow) == BlueOf(shadow))
        << "no grey shadow under the title's pixel at " << x << ", " << y;
  });
}

TEST(DrawPanel, DrawsTheCyanScoreOverAWhiteShadowOnePixelDownRight) {
  const PanelFrame frame(42);
  const Surface& pixels = frame.Pixels();
  EXPECT_GT(CountOf(pixels, 510, 30, 640, 47, Cyan), 20);
  EXPECT_GT(CountOf(pixels, 510, 30, 640, 48, White), 5);
  ForEachPixelOf(pixels, 510, 30, 639, 47, Cyan, [&](int32_t x, int32_t y) {
    const uint32_t shadow = pixels.At(x + 1, y + 1);
    EXPECT_TRUE(GreenOf(shadow) == 255 && BlueOf(shadow) == 255)
        << "no white shadow under the score's pixel at " << x << ", " << y;
  });
}

TEST(DrawPanel, DrawsTheRedLegendsOverWhiteShadowsOnePixelDownRight) {
  const PanelFrame frame(0);
  const Surface& pixels = frame.Pixels();
  for (const int32_t top : {200, 216, 232}) {
    EXPECT_GT(CountOf(pixels, 525, top, 640, top + 15, Red), 10) << "legend at " << top;
    EXPECT_GT(CountOf(pixels, 525, top, 640, top + 16, White), 3) << "legend at " << top;
    ForEachPixelOf(pixels, 525, top, 639, top + 15, Red, [&](int32_t x, int32_t y) {
      const uint32_t shadow = pixels.At(x + 1, y + 1);
      EXPECT_TRUE(RedOf(shadow) == 255 && GreenOf(shadow) == BlueOf(shadow))
          << "no white shadow under the legend's pixel at " << x << ", " << y;
    });
  }
}

TEST(DrawPanel, CopiesTheSixIconsExactlyFromTheSpriteSheet) {
  const PanelFrame frame(0);
  const Surface& sheet = frame.Drawing.ItemSprite.Pixels;
  struct Icon {
    int32_t SourceX, SourceY, X, Y;
  };
  const Icon icons[] = {{16, 0, 490, 200}, {0, 32, 510, 200}, {32, 0, 490, 216},
                        {0, 32, 510, 216}, {48, 0, 490, 232}, {0, 32, 510, 232}};
  for (const Icon& icon : icons) {
    for (int32_t dy = 0; dy < 16; ++dy) {
      for (int32_t dx = 0; dx < 16; ++dx) {
        ASSERT_EQ(frame.Pixels().At(icon.X + dx, icon.Y + dy),
                  sheet.At(icon.SourceX + dx, icon.SourceY + dy))
            << "icon at " << icon.X << ", " << icon.Y;
      }
    }
  }
}

TEST(DrawPanel, LeavesEverythingLeftOfX490Black) {
  const PanelFrame frame(9999999);
  for (int32_t y = 0; y < ScreenHeight; ++y) {
    for (int32_t x = 0; x < 490; ++x) {
      ASSERT_EQ(frame.Pixels().At(x, y), Black) << x << ", " << y;
    }
  }
}

TEST(DrawPanel, ShowsASevenDigitScoreReachingFurtherRight) {
  const PanelFrame sixDigits(123456);
  const PanelFrame sevenDigits(1234567);
  EXPECT_GT(RightmostInk(sevenDigits.Pixels(), 30, 48), RightmostInk(sixDigits.Pixels(), 30, 48));
  EXPECT_NE(sixDigits.Pixels().Pixels, PanelFrame(123457).Pixels().Pixels);
}

TEST(DrawPanel, DrawsTheSameFrameTwiceInARow) {
  PanelFrame frame(4321);
  const std::vector<uint32_t> first = frame.Pixels().Pixels;
  BitBlt(frame.Drawing.BackBuffer, 0, 0, ScreenWidth, ScreenHeight, nullptr, 0, 0,
         RasterOp::Blackness);
  DrawPanel(frame.Drawing);
  EXPECT_EQ(frame.Pixels().Pixels, first);
  frame.Drawing.Fonts.Release();
  BitBlt(frame.Drawing.BackBuffer, 0, 0, ScreenWidth, ScreenHeight, nullptr, 0, 0,
         RasterOp::Blackness);
  DrawPanel(frame.Drawing);
  EXPECT_EQ(frame.Pixels().Pixels, first);
}

TEST(ScoreText, PadsTheScoreToSixDigitsAndShowsAllOfLongerOnes) {
  EXPECT_EQ(ScoreText(0), "得点：000000");
  EXPECT_EQ(ScoreText(42), "得点：000042");
  EXPECT_EQ(ScoreText(123456), "得点：123456");
  EXPECT_EQ(ScoreText(1234567), "得点：1234567");
  EXPECT_EQ(ScoreText(INT32_MAX), "得点：2147483647");
  EXPECT_EQ(ScoreText(-42), "得点：-000042");
  EXPECT_EQ(ScoreText(INT32_MIN), "得点：-2147483648");
}

}  // namespace
}  // namespace nuikaro
