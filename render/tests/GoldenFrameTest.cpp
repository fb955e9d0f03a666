// One whole frame of the real artwork compared with a stored picture of it.
//
// When a change to the artwork, the board or the side panel is meant to change the frame, look at
// the new frame and store it as the expected one:
//   NUIKARO_UPDATE_GOLDEN=1 ./build/render/render_tests --gtest_filter='GoldenFrame*'
// and commit render/tests/golden/frame.ppm. On a mismatch the frame actually drawn is written to
// golden-frame-actual.ppm in the test's working directory, to compare by eye.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "render/Renderer.h"
#include "tests/support/Golden.h"

namespace nuikaro {
namespace {

const std::string GoldenFile = std::string(NUIKARO_GOLDEN_DIR) + "frame.ppm";

// The text of the panel: title and score, then the three legend texts right of their icons.
struct Area {
  int32_t Left, Top, Right, Bottom;  // Right and Bottom excluded
  bool Holds(int32_t x, int32_t y) const {
    return x >= Left && x < Right && y >= Top && y < Bottom;
  }
};
constexpr Area TextAreas[] = {{480, 0, 640, 56}, {525, 196, 640, 256}};

// Where the non-black pixels of an area lie, and how many there are.
struct Ink {
  int32_t Left = ScreenWidth, Top = ScreenHeight, Right = -1, Bottom = -1, Pixels = 0;
};

template <typename PixelAt>
Ink InkIn(const Area& area, PixelAt pixelAt) {
  Ink ink;
  for (int32_t y = area.Top; y < area.Bottom; ++y) {
    for (int32_t x = area.Left; x < area.Right; ++x) {
      if (pixelAt(x, y) != 0) {
        ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x),
               std::max(ink.Bottom, y), ink.Pixels + 1};
      }
    }
  }
  return ink;
}

// Whether text is drawn by the same FreeType and SDL_ttf as the stored frame (Debian's own on
// Linux), so that it must match pixel for pixel. The Windows and web builds bring their own.
constexpr bool TextAsStored = NUIKARO_TEXT_AS_STORED;

// A snake of five that has just turned right, one item of each kind and more, score 0.
void LayOutGame(Game& game) {
  const Segment snake[] = {{StateHead, 12, 10, DirRight},
                           {StateBody, 11, 10, DirRight},
                           {StateBody, 10, 10, DirRight},
                           {StateBody, 10, 11, DirUp},
                           {StateBody, 10, 12, DirUp}};
  std::copy(std::begin(snake), std::end(snake), game.Segments.begin());
  const int16_t cells[BoardItemCount][2] = {{3, 3},  {25, 4}, {7, 20},  {18, 15}, {29, 29},
                                            {0, 29}, {15, 2}, {22, 22}, {5, 12},  {14, 25}};
  for (int32_t slot = 0; slot < BoardItemCount; ++slot) {
    game.Items[slot] = Item{slot % 3 + 1, cells[slot][0], cells[slot][1]};
  }
  game.Score = 0;
}

TEST(GoldenFrameTest, AFixedGameDrawnWithTheRealArtworkMatchesTheStoredFrame) {
  Game game;
  LayOutGame(game);
  Renderer renderer(game);
  LoadSprites(renderer, NUIKARO_ASSET_DIR);
  RenderFrame(renderer);
  const std::vector<uint8_t> actual = EncodePpm(renderer.BackBuffer);

  if (UpdatingGolden()) {
    WriteFile(GoldenFile, actual);
    GTEST_SKIP() << "stored the frame as " << GoldenFile;
  }
  const std::vector<uint8_t> expected = ReadFile(GoldenFile);
  ASSERT_FALSE(expected.empty()) << GoldenFile << " is missing";
  if (actual != expected) {
    WriteFile("golden-frame-actual.ppm", actual);
  }
  ASSERT_EQ(actual.size(), expected.size());
  const std::size_t headerSize = actual.size() - renderer.BackBuffer.Pixels.size() * 3;
  const auto pixelAt = [headerSize](const std::vector<uint8_t>& ppm, int32_t x, int32_t y) {
    const std::size_t at = headerSize + (static_cast<std::size_t>(y) * ScreenWidth + x) * 3;
    return static_cast<uint32_t>(ppm[at]) << 16 | ppm[at + 1] << 8 | ppm[at + 2];
  };
  const auto inText = [](int32_t x, int32_t y) {
    return std::any_of(std::begin(TextAreas), std::end(TextAreas),
                       [x, y](const Area& area) { return area.Holds(x, y); });
  };
  std::size_t differing = 0;
  int32_t firstX = -1;
  int32_t firstY = -1;
  for (int32_t y = 0; y < ScreenHeight; ++y) {
    for (int32_t x = 0; x < ScreenWidth; ++x) {
      if ((TextAsStored || !inText(x, y)) && pixelAt(actual, x, y) != pixelAt(expected, x, y)) {
        if (differing++ == 0) {
          firstX = x;
          firstY = y;
        }
      }
    }
  }
  EXPECT_EQ(differing, 0u) << "first difference at x " << firstX << ", y " << firstY
                           << "; the frame drawn is in golden-frame-actual.ppm";
  // Text rasterised by another build of FreeType and SDL_ttf: its ink must lie where the stored
  // frame has it, in the same amount.
  for (const Area& area : TextAreas) {
    const Ink want = InkIn(area, [&](int32_t x, int32_t y) { return pixelAt(expected, x, y); });
    const Ink got = InkIn(area, [&](int32_t x, int32_t y) { return pixelAt(actual, x, y); });
    ASSERT_GT(want.Pixels, 0) << "the stored frame has no text at y " << area.Top;
    EXPECT_NEAR(got.Left, want.Left, 2) << "text at y " << area.Top;
    EXPECT_NEAR(got.Top, want.Top, 2) << "text at y " << area.Top;
    EXPECT_NEAR(got.Bottom, want.Bottom, 2) << "text at y " << area.Top;
    EXPECT_NEAR(got.Right, want.Right, 8) << "text at y " << area.Top;
    EXPECT_NEAR(got.Pixels, want.Pixels, want.Pixels / 4) << "text at y " << area.Top;
  }
}

}  // namespace
}  // namespace nuikaro
