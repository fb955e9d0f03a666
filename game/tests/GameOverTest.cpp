#include <gtest/gtest.h>

#include <string>

#include "game/Game.h"
#include "tests/support/FakeHost.h"

namespace nuikaro {
namespace {

using gametest::Cell;
using gametest::CellOf;
using gametest::FakeHost;
using gametest::IsFreeAndZero;
using gametest::LaySnake;
using gametest::LaySnakeOfLength;
using gametest::PutItemsOn;

// A running game of length 4 whose head has just come from (4, 5) to (5, 5): turning left is fatal.
struct GameOver : ::testing::Test {
  Game game;
  FakeHost host{game};
  void SetUp() override {
    LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {3, 5}}, DirRight);
    PutItemsOn(game, 29, 29);
    game.Running = BoolTrue;
    game.Score = 42;
  }
};

TEST_F(GameOver, ShowsOneBoxThenRestartsWithTheHeadOnTheCellWhereItDied) {
  host.QueueTenItems(20, 21);
  MoveSnake(game, host, DirLeft);
  ASSERT_EQ(host.Boxes.size(), 1u);
  EXPECT_EQ(host.Boxes[0], "GameOver!");
  EXPECT_EQ(SnakeLength(game), 1);
  EXPECT_EQ(game.Segments[0], (Segment{StateHead, 4, 5, DirLeft}));
  EXPECT_EQ(game.Score, 0);
  EXPECT_EQ(game.Running, BoolTrue);
  for (int slot = 0; slot < BoardItemCount; ++slot) {
    EXPECT_EQ(CellOf(game.Items[slot]), (Cell{20, 21})) << "slot " << slot;
  }
  EXPECT_EQ(game.Items[10], Item{});
}

TEST_F(GameOver, AFullTableRestartsWithALoneHeadAndNothingElseLive) {
  // Every record live: the head and record 1 on (0, 0), record 2 on (1, 0), and so on.
  LaySnakeOfLength(game, SegmentCount);
  game.Segments[0].Dir = DirRight;
  host.QueueTenItems(20, 21);
  MoveSnake(game, host, DirRight);
  EXPECT_EQ(host.Boxes.size(), 1u);
  EXPECT_EQ(SnakeLength(game), 1);
  EXPECT_EQ(game.Segments[0], (Segment{StateHead, 1, 0, DirRight}));
  for (int i = 1; i < SegmentCount; ++i) {
    ASSERT_TRUE(IsFreeAndZero(game.Segments[i])) << "record " << i;
  }
  EXPECT_EQ(game.Items[10], Item{});
}

TEST_F(GameOver, StackedBodyRecordsOnTheFatalCellStillShowOneBox) {
  LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {4, 5}, {4, 5}, {4, 5}}, DirRight);
  host.QueueTenItems(29, 29);
  MoveSnake(game, host, DirLeft);
  EXPECT_EQ(host.Boxes.size(), 1u);
}

TEST_F(GameOver, RestartDrawsTwiceBeforeTheMoveEndsAndSetsRunningLast) {
  host.QueueTenItems(20, 21);
  MoveSnake(game, host, DirLeft);
  std::string tenSpawns;
  for (int slot = 0; slot < BoardItemCount; ++slot) {
    tenSpawns += "RNNN";
  }
  EXPECT_EQ(host.Events, "BF" + tenSpawns + "FF");
  ASSERT_EQ(host.Frames.size(), 3u);
  // The shrink draws the lone head with the old score and items.
  EXPECT_EQ(host.Frames[0].Length, 1);
  EXPECT_EQ(host.Frames[0].Score, 42);
  EXPECT_EQ(CellOf(host.Frames[0].Items[0]), (Cell{29, 29}));
  EXPECT_EQ(host.Frames[0].Running, BoolFalse);
  // The restart's own redraw shows the new game, still stopped.
  EXPECT_EQ(host.Frames[1].Score, 0);
  EXPECT_EQ(CellOf(host.Frames[1].Items[0]), (Cell{20, 21}));
  EXPECT_EQ(host.Frames[1].Running, BoolFalse);
  // The move's own last redraw comes after the game runs again.
  EXPECT_EQ(host.Frames[2].Running, BoolTrue);
}

TEST_F(GameOver, TicksDeliveredWhileTheBoxIsOpenDoNothing) {
  game.TickCount = 50;
  game.NextDir = DirUp;
  int ticksInBox = 0;
  host.OnBox = [&] {
    EXPECT_EQ(game.Running, BoolFalse);
    for (int i = 0; i < 300; ++i) {  // more than a renewal's worth
      TickProc(game, host);
      ++ticksInBox;
    }
    EXPECT_EQ(game.TickCount, 50);
    EXPECT_EQ(CellOf(game.Segments[0]), (Cell{4, 5}));
    EXPECT_EQ(host.Frames.size(), 0u);
  };
  host.QueueTenItems(29, 29);
  MoveSnake(game, host, DirLeft);
  EXPECT_EQ(ticksInBox, 300);
  EXPECT_EQ(host.Boxes.size(), 1u);
  EXPECT_TRUE(host.Numbers.empty());
}

TEST_F(GameOver, RestartKeepsTheRequestedDirectionStepModeAndTickCount) {
  game.NextDir = NoDirection;
  game.StepMode = BoolTrue;
  game.TickCount = 123;
  host.QueueTenItems(29, 29);
  MoveSnake(game, host, DirLeft);
  EXPECT_EQ(game.NextDir, NoDirection);
  EXPECT_EQ(game.StepMode, BoolTrue);
  EXPECT_EQ(game.TickCount, 123);

  game.StepMode = BoolFalse;
  TickProc(game, host);  // goes on in the direction of the fatal move
  EXPECT_EQ(CellOf(game.Segments[0]), (Cell{3, 5}));
}

}  // namespace
}  // namespace nuikaro
