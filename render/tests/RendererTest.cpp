#include "render/Renderer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/Pictures.h"  // Filled

namespace nuikaro {
namespace {

constexpr uint32_t Opaque = 0x00000000;      // mask: the sprite covers the board
constexpr uint32_t SeeThrough = 0x00FFFFFF;  // mask: the board shows
constexpr uint32_t TileColour = 0x00305070;
constexpr uint32_t StrayBit = 0x00000011;  // a picture pixel that is not black under white mask

// The colour of the opaque half of the sheet cell in column c and row r.
constexpr uint32_t CellColour(int32_t column, int32_t row) {
  return 0x00800000 | static_cast<uint32_t>(row << 12) | static_cast<uint32_t>(column << 4);
}

// A 64 by 48 sheet: the mask is opaque in the left half of its cell and see-through in the right;
// every picture is its own colour in the left half, black in the right but for one stray bit in
// the bottom right corner, which shows whether the picture is ORed onto the board.
Surface TestSheet() {
  Surface sheet(64, 48);
  for (int32_t y = 0; y < 48; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      const int32_t column = x / 16;
      const int32_t row = y / 16;
      const bool left = x % 16 < 8;
      uint32_t& pixel = sheet.Row(y)[x];
      if (column == 0 && row == 0) {
        pixel = left ? Opaque : SeeThrough;
      } else if (left) {
        pixel = CellColour(column, row);
      } else {
        pixel = x % 16 == 15 && y % 16 == 15 ? StrayBit : 0;
      }
    }
  }
  return sheet;
}

// A tile whose every pixel tells its own column and row.
Surface NumberedTile(int32_t width, int32_t height) {
  Surface tile(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      tile.Row(y)[x] = 0x01000000 | static_cast<uint32_t>(y << 12) | static_cast<uint32_t>(x + 1);
    }
  }
  return tile;
}

class BoardTest : public testing::Test {
 protected:
  BoardTest() {
    renderer.BackSprite = LoadSprite(Filled(16, 16, TileColour));
    renderer.ItemSprite = LoadSprite(TestSheet());
  }

  // The pixel at offset (dx, dy) in board cell (x, y) of the last frame.
  uint32_t CellPixel(int32_t x, int32_t y, int32_t dx, int32_t dy) const {
    return renderer.BackBuffer.At(x * 16 + dx, y * 16 + dy);
  }
  // What a cell shows: the opaque half's colour, or the tile if nothing covers the cell.
  uint32_t Shown(int32_t x, int32_t y) const { return CellPixel(x, y, 2, 3); }
  uint32_t SeeThroughPart(int32_t x, int32_t y) const { return CellPixel(x, y, 12, 3); }

  void PutSegment(int32_t index, int32_t state, int16_t x, int16_t y, int16_t dir) {
    game.Segments[index] = Segment{state, x, y, dir};
  }

  Game game;
  Renderer renderer{game};
};

TEST_F(BoardTest, AnItemIsMaskedOntoTheTileThenItsPictureIsOredOver) {
  game.Items[0] = Item{KindGrow5, 3, 4};
  RenderFrame(renderer);
  EXPECT_EQ(Shown(3, 4), CellColour(KindGrow5, 0));
  EXPECT_EQ(SeeThroughPart(3, 4), TileColour);
  EXPECT_EQ(CellPixel(3, 4, 15, 15), TileColour | StrayBit);
  EXPECT_EQ(Shown(4, 4), TileColour);
}

TEST_F(BoardTest, AnEmptyItemSlotEndsTheItemPassAndSlotTenIsNeverDrawn) {
  game.Items[0] = Item{KindGrow3, 0, 5};
  game.Items[1] = Item{KindShrink3, 1, 5};
  game.Items[2] = Item{KindNone, 2, 5};
  game.Items[3] = Item{KindGrow5, 3, 5};
  game.Items[10] = Item{KindGrow5, 4, 5};
  RenderFrame(renderer);
  EXPECT_EQ(Shown(0, 5), CellColour(KindGrow3, 0));
  EXPECT_EQ(Shown(1, 5), CellColour(KindShrink3, 0));
  EXPECT_EQ(Shown(3, 5), TileColour);
  EXPECT_EQ(Shown(4, 5), TileColour);

  game.Items[2].Kind = KindGrow3;  // with the gap filled all of slots 0 to 9 appear
  RenderFrame(renderer);
  EXPECT_EQ(Shown(3, 5), CellColour(KindGrow5, 0));
  EXPECT_EQ(Shown(4, 5), TileColour);
}

TEST_F(BoardTest, EachSegmentShowsThePictureOfItsDirectionAndState) {
  PutSegment(0, StateHead, 10, 10, DirLeft);
  PutSegment(1, StateBody, 11, 10, DirUp);
  PutSegment(2, StateBody, 12, 10, DirDown);
  RenderFrame(renderer);
  EXPECT_EQ(Shown(10, 10), CellColour(DirLeft, StateHead));
  EXPECT_EQ(Shown(11, 10), CellColour(DirUp, StateBody));
  EXPECT_EQ(Shown(12, 10), CellColour(DirDown, StateBody));
  EXPECT_EQ(SeeThroughPart(12, 10), TileColour);
}

TEST_F(BoardTest, TheHeadLiesOnTopOfABodyInItsCellAndLowerRecordsOnTopOfHigherOnes) {
  PutSegment(0, StateHead, 7, 7, DirRight);
  PutSegment(1, StateBody, 7, 7, DirDown);
  PutSegment(5, StateBody, 2, 2, DirUp);
  PutSegment(899, StateBody, 2, 2, DirLeft);
  RenderFrame(renderer);
  EXPECT_EQ(Shown(7, 7), CellColour(DirRight, StateHead));
  EXPECT_EQ(Shown(2, 2), CellColour(DirUp, StateBody));
}

TEST_F(BoardTest, FreeRecordsAreSkippedAndTheLiveOnesAfterThemStillDrawn) {
  PutSegment(0, StateHead, 1, 1, DirRight);
  PutSegment(1, StateFree, 2, 1, DirRight);
  PutSegment(2, StateBody, 3, 1, DirRight);
  PutSegment(899, StateBody, 4, 1, DirRight);
  RenderFrame(renderer);
  EXPECT_EQ(Shown(1, 1), CellColour(DirRight, StateHead));
  EXPECT_EQ(Shown(2, 1), TileColour);
  EXPECT_EQ(Shown(3, 1), CellColour(DirRight, StateBody));
  EXPECT_EQ(Shown(4, 1), CellColour(DirRight, StateBody));
}

TEST_F(BoardTest, ASegmentHidesTheItemInItsCell) {
  game.Items[0] = Item{KindGrow3, 6, 6};
  PutSegment(0, StateHead, 9, 9, DirUp);
  PutSegment(3, StateBody, 6, 6, DirLeft);
  RenderFrame(renderer);
  EXPECT_EQ(Shown(6, 6), CellColour(DirLeft, StateBody));
  EXPECT_EQ(SeeThroughPart(6, 6), TileColour);
}

TEST_F(BoardTest, CellsInTheBoardsCornersAreDrawnWhole) {
  PutSegment(0, StateHead, 29, 29, DirDown);
  PutSegment(1, StateBody, 0, 0, DirUp);
  PutSegment(2, StateBody, 29, 0, DirRight);
  PutSegment(3, StateBody, 0, 29, DirLeft);
  RenderFrame(renderer);
  EXPECT_EQ(Shown(29, 29), CellColour(DirDown, StateHead));
  EXPECT_EQ(Shown(0, 0), CellColour(DirUp, StateBody));
  EXPECT_EQ(Shown(29, 0), CellColour(DirRight, StateBody));
  EXPECT_EQ(Shown(0, 29), CellColour(DirLeft, StateBody));
  // Each corner cell whole, pixel for pixel as the same cell in the middle of the board.
  PutSegment(4, StateBody, 10, 10, DirDown);
  PutSegment(5, StateBody, 11, 10, DirUp);
  PutSegment(6, StateBody, 12, 10, DirRight);
  PutSegment(7, StateBody, 13, 10, DirLeft);
  RenderFrame(renderer);
  const std::pair<int32_t, int32_t> corners[] = {{0, 0}, {29, 0}, {0, 29}};
  const std::pair<int32_t, int32_t> middles[] = {{11, 10}, {12, 10}, {13, 10}};
  for (int32_t i = 0; i < 3; ++i) {
    for (int32_t dy = 0; dy < 16; ++dy) {
      for (int32_t dx = 0; dx < 16; ++dx) {
        ASSERT_EQ(CellPixel(corners[i].first, corners[i].second, dx, dy),
                  CellPixel(middles[i].first, middles[i].second, dx, dy))
            << "corner " << i << " at " << dx << "," << dy;
      }
    }
  }
}

TEST_F(BoardTest, EveryFrameStartsFromBlackAndKeepsNothingOfTheFrameBefore) {
  renderer.BackSprite = LoadSprite(NumberedTile(100, 100));  // leaves black bands between tiles
  PutSegment(0, StateHead, 2, 2, DirRight);
  game.Items[0] = Item{KindGrow3, 20, 20};
  RenderFrame(renderer);
  const Surface first = renderer.BackBuffer;
  renderer.BackBuffer.Pixels.assign(renderer.BackBuffer.Pixels.size(), 0x00ABCDEF);
  PutSegment(0, StateHead, 3, 2, DirRight);
  game.Items[0] = Item{KindShrink3, 21, 20};
  RenderFrame(renderer);

  Renderer fresh(game);
  fresh.BackSprite = renderer.BackSprite;
  fresh.ItemSprite = renderer.ItemSprite;
  RenderFrame(fresh);
  const int32_t boardPixels = BoardPixels * ScreenWidth;  // the panel is DrawPanel's to check
  EXPECT_TRUE(std::equal(renderer.BackBuffer.Pixels.begin(),
                         renderer.BackBuffer.Pixels.begin() + boardPixels,
                         fresh.BackBuffer.Pixels.begin()));
  EXPECT_EQ(renderer.BackBuffer.At(110, 50), 0u);  // a black band
  EXPECT_NE(first.At(2 * 16 + 2, 2 * 16 + 3), renderer.BackBuffer.At(2 * 16 + 2, 2 * 16 + 3));
}

TEST_F(BoardTest, ANewBackgroundTileIsUsedFromTheNextFrameOn) {
  RenderFrame(renderer);
  EXPECT_EQ(renderer.BackBuffer.At(100, 100), TileColour);
  renderer.BackSprite = LoadSprite(Filled(16, 16, 0x00445566));
  RenderFrame(renderer);
  EXPECT_EQ(renderer.BackBuffer.At(100, 100), 0x00445566u);
  FreeSprites(renderer);
  RenderFrame(renderer);  // nothing left to draw from: only black
  EXPECT_EQ(renderer.BackBuffer.At(100, 100), 0u);
}

TEST_F(BoardTest, ATileOfASizeLoadSpritesRefusesLeavesTheBoardBlack) {
  for (const auto& [width, height] :
       {std::pair{0, 16}, std::pair{16, 0}, std::pair{481, 16}, std::pair{16, 481}}) {
    renderer.BackSprite = LoadSprite(Filled(width, height, TileColour));
    RenderFrame(renderer);
    EXPECT_EQ(renderer.BackBuffer.At(0, 0), 0u) << width << "x" << height;
    EXPECT_EQ(renderer.BackBuffer.At(100, 100), 0u) << width << "x" << height;
  }
}

// One row of the tile table: a tile size, the step between tile origins, how many tiles stand
// in a row, and the black stretches left over.
struct TileRow {
  int32_t Size;
  int32_t Step;
  int32_t Tiles;
  std::vector<std::pair<int32_t, int32_t>> Black;  // first and last black pixel
};

void PrintTo(const TileRow& row, std::ostream* out) {
  *out << "tile size " << row.Size;
}

class TileTableTest : public testing::TestWithParam<TileRow> {
 protected:
  static bool IsBlack(const TileRow& row, int32_t at) {
    for (const auto& [first, last] : row.Black) {
      if (at >= first && at <= last) {
        return true;
      }
    }
    return false;
  }

  // Draws only the background, over a buffer scribbled on first, as RenderFrame's own clear
  // would leave it black.
  static void DrawOnBlack(Renderer& renderer) {
    BitBlt(renderer.BackBuffer, 0, 0, ScreenWidth, ScreenHeight, nullptr, 0, 0,
           RasterOp::Blackness);
    DrawBackground(renderer);
  }
};

TEST_P(TileTableTest, TilesStandAtTheirStepsAcrossWithBlackColumnsLeft) {
  const TileRow row = GetParam();
  Game game;
  Renderer renderer(game);
  renderer.BackSprite = LoadSprite(NumberedTile(row.Size, 16));
  DrawOnBlack(renderer);
  for (int32_t x = 0; x < ScreenWidth; ++x) {
    for (int32_t y : {0, 7, 15}) {
      uint32_t expected = 0;
      if (x < BoardPixels && !IsBlack(row, x)) {
        ASSERT_LT(x / row.Step, row.Tiles) << "column " << x;
        expected = renderer.BackSprite.Pixels.At(x % row.Step, y);
      }
      ASSERT_EQ(renderer.BackBuffer.At(x, y), expected) << "column " << x << " row " << y;
    }
  }
}

TEST_P(TileTableTest, TilesStandAtTheirStepsDownWithBlackRowsLeft) {
  const TileRow row = GetParam();
  Game game;
  Renderer renderer(game);
  renderer.BackSprite = LoadSprite(NumberedTile(16, row.Size));
  DrawOnBlack(renderer);
  for (int32_t y = 0; y < ScreenHeight; ++y) {
    for (int32_t x : {0, 9, 15, 464 + 15}) {
      uint32_t expected = 0;
      if (!IsBlack(row, y)) {
        ASSERT_LT(y / row.Step, row.Tiles) << "row " << y;
        expected = renderer.BackSprite.Pixels.At(x % 16, y % row.Step);
      }
      ASSERT_EQ(renderer.BackBuffer.At(x, y), expected) << "column " << x << " row " << y;
    }
  }
}

TEST_P(TileTableTest, GapsKeepWhatLayThereAsWithOneCopyPerTile) {
  const TileRow row = GetParam();
  Game game;
  Renderer renderer(game);
  renderer.BackSprite = LoadSprite(NumberedTile(row.Size, row.Size));
  renderer.BackBuffer.Pixels.assign(renderer.BackBuffer.Pixels.size(), 0x00ABCDEF);
  DrawBackground(renderer);
  for (int32_t at = 0; at < ScreenWidth; ++at) {
    const bool tile = at < BoardPixels && !IsBlack(row, at);
    const uint32_t diagonal = renderer.BackBuffer.At(at, std::min(at, ScreenHeight - 1));
    ASSERT_EQ(diagonal == 0x00ABCDEF, !tile) << "pixel " << at;
  }
}

INSTANTIATE_TEST_SUITE_P(
    WidthsFromTheTable, TileTableTest,
    testing::Values(TileRow{1, 1, 480, {}}, TileRow{16, 16, 30, {}}, TileRow{32, 32, 15, {}},
                    TileRow{7, 7, 68, {{476, 479}}},
                    TileRow{100, 120, 4, {{100, 119}, {220, 239}, {340, 359}, {460, 479}}},
                    TileRow{250, 480, 1, {{250, 479}}}, TileRow{480, 480, 1, {}}),
    [](const testing::TestParamInfo<TileRow>& info) {
      return "Tile" + std::to_string(info.param.Size);
    });

}  // namespace
}  // namespace nuikaro
