#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "game/Game.h"
#include "tests/support/FakeHost.h"

namespace nuikaro {
namespace {

using gametest::Cell;
using gametest::CellOf;
using gametest::FakeHost;
using gametest::LaySnake;
using gametest::PutItemsOn;

constexpr float LargestBelowOne = 0.99999994f;  // 1 - 2^-24

TEST(SpawnItem, DrawsZeroToFourGiveKindsOneTwoThreeOneTwo) {
  const int32_t expected[] = {KindGrow3, KindGrow5, KindShrink3, KindGrow3, KindGrow5};
  for (int draw = 0; draw < 5; ++draw) {
    // Both ends of each fifth of [0, 1).
    const float lowest = static_cast<float>(draw) / 5.0f;
    const float highest = std::nextafter(static_cast<float>(draw + 1) / 5.0f, 0.0f);
    for (float number : {lowest, highest}) {
      Game game;
      FakeHost host(game);
      host.Numbers = {number, 0.0f, 0.0f};
      SpawnItem(game, host, 4);
      EXPECT_EQ(game.Items[4].Kind, expected[draw]) << "number " << number;
    }
  }
}

TEST(SpawnItem, ReseedsThenDrawsKindThenXThenY) {
  Game game;
  FakeHost host(game);
  host.QueueItem(2, 11, 23);
  SpawnItem(game, host, 6);
  EXPECT_EQ(host.Events, "RNNN");
  EXPECT_EQ(game.Items[6], (Item{KindShrink3, 11, 23}));
}

TEST(SpawnItem, CellsSpanTheWholeBoard) {
  Game game;
  FakeHost host(game);
  host.Numbers = {0.0f, 0.0f, LargestBelowOne};
  SpawnItem(game, host, 0);
  EXPECT_EQ(CellOf(game.Items[0]), (Cell{0, 29}));
  host.Numbers = {LargestBelowOne, LargestBelowOne, 0.0f};
  SpawnItem(game, host, 0);
  EXPECT_EQ(game.Items[0], (Item{KindGrow5, 29, 0}));
}

TEST(SpawnAllItems, FillsSlotsZeroToNineInOrderAndDrawsNothing) {
  Game game;
  FakeHost host(game);
  for (int slot = 0; slot < BoardItemCount; ++slot) {
    host.QueueItem(slot % 5, slot, 2 * slot);
  }
  SpawnAllItems(game, host);
  std::string tenSpawns;
  for (int slot = 0; slot < BoardItemCount; ++slot) {
    tenSpawns += "RNNN";
    EXPECT_EQ(CellOf(game.Items[slot]),
              (Cell{static_cast<int16_t>(slot), static_cast<int16_t>(2 * slot)}));
  }
  EXPECT_EQ(host.Events, tenSpawns);
  EXPECT_EQ(game.Items[10], Item{});
}

// A running snake of length 4 heading right; the cell ahead, (6, 5), is where the tests put items.
struct PickUp : ::testing::Test {
  Game game;
  FakeHost host{game};
  void SetUp() override {
    LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {3, 5}}, DirRight);
    PutItemsOn(game, 29, 29);
    game.Running = BoolTrue;
    game.Score = 100;
  }
};

TEST_F(PickUp, KindOneGrowsByThreeAndScoresThreeAfterTheGrowthIsDrawn) {
  game.Items[3] = {KindGrow3, 6, 5};
  host.QueueItem(0, 20, 20);
  MoveSnake(game, host, DirRight);
  EXPECT_EQ(SnakeLength(game), 7);
  EXPECT_EQ(game.Score, 103);
  ASSERT_EQ(host.Frames.size(), 2u);
  EXPECT_EQ(host.Frames[0].Length, 7);
  EXPECT_EQ(host.Frames[0].Score, 100) << "the growth is drawn before the score rises";
  EXPECT_EQ(host.Frames[1].Score, 103);
  EXPECT_EQ(CellOf(game.Items[3]), (Cell{20, 20}));
}

TEST_F(PickUp, KindTwoGrowsByFiveAndScoresFive) {
  game.Items[0] = {KindGrow5, 6, 5};
  host.QueueItem(0, 20, 20);
  MoveSnake(game, host, DirRight);
  EXPECT_EQ(SnakeLength(game), 9);
  EXPECT_EQ(game.Score, 105);
}

TEST_F(PickUp, KindThreeShrinksByThreeAndLeavesTheScoreAlone) {
  game.Items[9] = {KindShrink3, 6, 5};
  host.QueueItem(0, 20, 20);
  MoveSnake(game, host, DirRight);
  EXPECT_EQ(SnakeLength(game), 1);
  EXPECT_EQ(game.Score, 100);
  EXPECT_EQ(host.Frames.size(), 2u);
}

TEST_F(PickUp, KindThreeOnALoneHeadChangesNothingButIsStillTaken) {
  LaySnake(game, {{5, 5}}, DirRight);
  for (int i = 1; i < 4; ++i) {
    game.Segments[i] = Segment{};
  }
  game.Items[2] = {KindShrink3, 6, 5};
  host.QueueItem(1, 20, 20);
  MoveSnake(game, host, DirRight);
  EXPECT_EQ(SnakeLength(game), 1);
  EXPECT_EQ(game.Items[2], (Item{KindGrow5, 20, 20}));
}

TEST_F(PickUp, SeveralItemsOnTheHeadsCellAreTakenLowestSlotFirst) {
  game.Items[5] = {KindGrow5, 6, 5};
  game.Items[2] = {KindGrow3, 6, 5};
  host.QueueItem(0, 11, 11);  // replaces slot 2, which comes first
  host.QueueItem(0, 12, 12);  // replaces slot 5
  MoveSnake(game, host, DirRight);
  ASSERT_EQ(host.Frames.size(), 3u);
  EXPECT_EQ(host.Frames[0].Length, 7) << "slot 2's growth by 3 comes first";
  EXPECT_EQ(host.Frames[1].Length, 12);
  EXPECT_EQ(game.Score, 108);
  EXPECT_EQ(CellOf(game.Items[2]), (Cell{11, 11}));
  EXPECT_EQ(CellOf(game.Items[5]), (Cell{12, 12}));
}

TEST_F(PickUp, AReplacementOnTheHeadsCellWaitsForALaterMove) {
  game.Items[3] = {KindGrow3, 6, 5};
  host.QueueItem(1, 6, 5);  // lands right back under the head
  MoveSnake(game, host, DirRight);
  EXPECT_EQ(game.Score, 103);
  EXPECT_EQ(game.Items[3], (Item{KindGrow5, 6, 5}));
  EXPECT_TRUE(host.Numbers.empty());
}

TEST_F(PickUp, ItemsUnderTheBodyStay) {
  game.Items[1] = {KindGrow5, 4, 5};
  MoveSnake(game, host, DirUp);
  EXPECT_EQ(game.Score, 100);
  EXPECT_EQ(game.Items[1], (Item{KindGrow5, 4, 5}));
  EXPECT_EQ(host.Events, "F") << "a move that takes nothing still ends with one redraw";
}

TEST_F(PickUp, SlotTenIsNeverTakenEvenWithTheHeadOnTheOrigin) {
  LaySnake(game, {{1, 0}, {1, 0}, {2, 0}, {3, 0}}, DirLeft);
  MoveSnake(game, host, DirLeft);
  EXPECT_EQ(CellOf(game.Segments[0]), (Cell{0, 0}));
  EXPECT_EQ(SnakeLength(game), 4);
  EXPECT_EQ(game.Items[10], Item{});
  EXPECT_EQ(host.Events, "F");
}

// The score stops at the largest count it can hold instead of overflowing.
TEST(Score, SaturatesAtTheLargestCountAndTheItemIsStillTakenAndReplaced) {
  struct Case {
    int32_t kind;
    int length;
  };
  for (const Case c : {Case{KindGrow3, 7}, Case{KindGrow5, 9}}) {
    Game game;
    FakeHost host(game);
    LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {3, 5}}, DirRight);
    PutItemsOn(game, 29, 29);
    game.Score = 2147483644;
    game.Items[0] = {c.kind, 6, 5};
    host.QueueItem(2, 20, 20);
    MoveSnake(game, host, DirRight);
    EXPECT_EQ(game.Score, 2147483647) << "kind " << c.kind;
    EXPECT_EQ(SnakeLength(game), c.length) << "the item is taken all the same";
    EXPECT_EQ(game.Items[0], (Item{KindShrink3, 20, 20})) << "and replaced";
  }
}

TEST_F(PickUp, ScoreAtTheLargestCountStaysThere) {
  game.Score = 2147483647;
  game.Items[0] = {KindGrow5, 6, 5};
  game.Items[1] = {KindGrow3, 6, 5};
  host.QueueItem(0, 20, 20);
  host.QueueItem(0, 20, 20);
  MoveSnake(game, host, DirRight);
  EXPECT_EQ(game.Score, 2147483647);
}

}  // namespace
}  // namespace nuikaro
