// What a frame sends to the window: the rectangles that changed since the last one, found from the
// pixels of frames the renderer really draws, and what the window looks like after receiving them.
#include "shell/FrameDamage.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "game/Game.h"
#include "render/Renderer.h"
#include "shell/WindowScaling.h"
#include "tests/support/FakeHost.h"  // Cell, LaySnake
#include "tests/support/Pictures.h"

namespace nuikaro {
namespace {

using gametest::Cell;
using gametest::LaySnake;

// Ten items in a row from (first, row): kind 1, 2, 3 in turn, starting with kind.
void PlaceItems(Game& game, int32_t first, int32_t row, int32_t kind) {
  for (int32_t slot = 0; slot < BoardItemCount; ++slot) {
    game.Items[slot] = Item{(slot + kind - 1) % 3 + 1, static_cast<int16_t>(first + slot),
                            static_cast<int16_t>(row)};
  }
}

std::vector<Cell> ItemCells(int32_t first, int32_t row) {
  std::vector<Cell> cells;
  for (int32_t slot = 0; slot < BoardItemCount; ++slot) {
    cells.push_back({static_cast<int16_t>(first + slot), static_cast<int16_t>(row)});
  }
  return cells;
}

void Start(Game& game) {
  LaySnake(game, {{12, 10}, {11, 10}, {10, 10}}, DirRight);
  PlaceItems(game, 2, 20, 1);
  game.Items[0] = Item{1, 13, 10};  // an apple just ahead of the head
  game.Score = 5;
}

struct Scenario {
  std::string Name;
  std::function<void(Game&)> Change;
  std::vector<Cell> ChangedCells;  // the board cells whose picture changes
  bool ScoreChanges;
  friend void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.Name; }
};

std::vector<Scenario> Scenarios() {
  std::vector<Cell> renewed = ItemCells(2, 20);
  for (const Cell& cell : ItemCells(5, 25)) {
    renewed.push_back(cell);
  }
  renewed.erase(renewed.begin());  // slot 0 lay on (13, 10) instead
  renewed.push_back({13, 10});
  std::vector<Cell> restarted = renewed;
  restarted.push_back({11, 10});
  restarted.push_back({10, 10});
  return {
      {"Nothing", [](Game&) {}, {}, false},
      // The head leaves (12, 10) for (13, 10): the head's cell, the cell behind it that the body
      // takes, and the tail's old cell change. The apple there is hidden by the head.
      {"Move",
       [](Game& game) {
         LaySnake(game, {{13, 10}, {12, 10}, {11, 10}}, DirRight);
       },
       {{13, 10}, {12, 10}, {10, 10}},
       false},
      // The same move taking the apple: three new segments wait on the tail's cell, the apple
      // comes back elsewhere, the score rises.
      {"Growth",
       [](Game& game) {
         LaySnake(game, {{13, 10}, {12, 10}, {11, 10}, {11, 10}, {11, 10}, {11, 10}}, DirRight);
         game.Items[0] = Item{2, 0, 0};
         game.Score += 3;
       },
       {{13, 10}, {12, 10}, {10, 10}, {0, 0}},
       true},
      {"Renewal", [](Game& game) { PlaceItems(game, 5, 25, 2); }, renewed, false},
      // The head dies on its cell: the body goes, the score returns to 0, ten new items.
      {"Restart",
       [](Game& game) {
         LaySnake(game, {{12, 10}}, DirRight);
         PlaceItems(game, 5, 25, 2);
         game.Score = 0;
       },
       restarted, true},
  };
}

class FrameDamageTest : public testing::TestWithParam<Scenario> {
 protected:
  // Draws the frame before and after the scenario's change with the real renderer.
  void SetUp() override {
    renderer_.BackSprite = LoadSprite(PatternPicture(16, 16, 3));
    renderer_.ItemSprite = LoadSprite(SheetPicture());
    Start(game_);
    RenderFrame(renderer_);
    before_ = renderer_.BackBuffer;
    GetParam().Change(game_);
    RenderFrame(renderer_);
    after_ = renderer_.BackBuffer;
  }

  bool TileChanged(int32_t tileX, int32_t tileY) const {
    for (int32_t y = tileY * 16; y < tileY * 16 + 16; ++y) {
      for (int32_t x = tileX * 16; x < tileX * 16 + 16; ++x) {
        if (before_.At(x, y) != after_.At(x, y)) {
          return true;
        }
      }
    }
    return false;
  }

  Game game_;
  Renderer renderer_{game_};
  Surface before_;
  Surface after_;
};

TEST_P(FrameDamageTest, TheRectanglesCoverExactlyTheChangedTilesOnce) {
  const std::vector<Rect> rectangles = FindChangedRectangles(before_, after_);
  // How many rectangles hold each 16 by 16 tile; every rectangle is made of whole tiles.
  std::vector<int> cover(40 * 30, 0);
  for (const Rect& r : rectangles) {
    ASSERT_TRUE(r.X % 16 == 0 && r.Y % 16 == 0 && r.Width % 16 == 0 && r.Height % 16 == 0 &&
                r.Width > 0 && r.Height > 0 && r.X + r.Width <= 640 && r.Y + r.Height <= 480)
        << r.X << "," << r.Y << " " << r.Width << "x" << r.Height;
    for (int32_t y = r.Y / 16; y < (r.Y + r.Height) / 16; ++y) {
      for (int32_t x = r.X / 16; x < (r.X + r.Width) / 16; ++x) {
        ++cover[y * 40 + x];
      }
    }
  }
  std::set<Cell> sentBoardCells;
  bool panelSent = false;
  for (int32_t y = 0; y < 30; ++y) {
    for (int32_t x = 0; x < 40; ++x) {
      const int count = cover[y * 40 + x];
      EXPECT_EQ(count, TileChanged(x, y) ? 1 : 0) << "tile (" << x << ", " << y << ")";
      if (count > 0 && x < 30) {
        sentBoardCells.insert({static_cast<int16_t>(x), static_cast<int16_t>(y)});
      }
      panelSent = panelSent || (count > 0 && x >= 30);
    }
  }
  const std::vector<Cell>& expected = GetParam().ChangedCells;
  EXPECT_EQ(sentBoardCells, std::set<Cell>(expected.begin(), expected.end()));
  EXPECT_EQ(panelSent, GetParam().ScoreChanges);
}

TEST_P(FrameDamageTest, SendingOnlyTheRectanglesLeavesTheWindowAsAWholePresentWould) {
  const std::vector<Rect> rectangles = FindChangedRectangles(before_, after_);
  // 1: as the frame; 2 with black around and padding past each row; 3 barely fitting.
  for (const auto& [width, height, padding] : std::vector<std::tuple<int32_t, int32_t, int32_t>>{
           {640, 480, 0}, {1300, 970, 3}, {1920, 1441, 0}}) {
    const int32_t pitch = (width + padding) * 4;
    std::vector<uint32_t> window(static_cast<std::size_t>((width + padding) * height), 0xdeadu);
    std::vector<uint32_t> whole = window;
    ScaleFrame(before_, window.data(), pitch, width, height);
    for (const Rect& r : rectangles) {
      const Rect area = ScaleFramePart(after_, r, window.data(), pitch, width, height);
      const int32_t scale = PlaceFrame(width, height).Scale;
      EXPECT_EQ(area.Width, r.Width * scale);
      EXPECT_EQ(area.Height, r.Height * scale);
    }
    ScaleFrame(after_, whole.data(), pitch, width, height);
    EXPECT_TRUE(window == whole) << width << "x" << height;
  }
}

// One pixel alone, at a tile's corners and edges and at the frame's: its tile, and only that.
TEST(FrameDamageSinglePixelTest, AnyOnePixelSendsItsOwnTile) {
  Surface before(ScreenWidth, ScreenHeight);
  for (const auto& [x, y] : std::vector<std::pair<int32_t, int32_t>>{{0, 0},
                                                                     {15, 0},
                                                                     {0, 15},
                                                                     {15, 15},
                                                                     {16, 16},
                                                                     {200, 31},
                                                                     {639, 0},
                                                                     {0, 479},
                                                                     {639, 479}}) {
    Surface after = before;
    after.Row(y)[x] = 0x000001;
    EXPECT_EQ(FindChangedRectangles(before, after),
              std::vector<Rect>({Rect{x / 16 * 16, y / 16 * 16, 16, 16}}))
        << "pixel (" << x << ", " << y << ")";
  }
}

// Two columns of changed tiles side by side: each row's spans find the rectangle above them,
// the second past the first, so each column goes as one rectangle.
TEST(FrameDamageSinglePixelTest, ColumnsSideBySideAreSentAsOneRectangleEach) {
  Surface before(ScreenWidth, ScreenHeight);
  Surface after = before;
  for (int32_t y = 320; y < 352; ++y) {
    after.Row(y)[48] = 0x000001;
    after.Row(y)[144] = 0x000001;
  }
  EXPECT_EQ(FindChangedRectangles(before, after),
            std::vector<Rect>({Rect{48, 320, 16, 32}, Rect{144, 320, 16, 32}}));
}

INSTANTIATE_TEST_SUITE_P(AFrameAfter, FrameDamageTest, testing::ValuesIn(Scenarios()),
                         [](const testing::TestParamInfo<Scenario>& info) {
                           return info.param.Name;
                         });

}  // namespace
}  // namespace nuikaro
