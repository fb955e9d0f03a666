#include <gtest/gtest.h>

#include "game/Game.h"
#include "tests/support/FakeHost.h"

namespace nuikaro {
namespace {

using gametest::Cell;
using gametest::CellOf;
using gametest::FakeHost;
using gametest::LaySnake;
using gametest::PutItemsOn;

// A game as it stands after start-up, with the head at the given cell and the items out of reach.
struct Running : ::testing::Test {
  Game game;
  FakeHost host{game};
  void SetUp() override {
    PutItemsOn(game, 29, 29);
    game.Running = BoolTrue;
  }
};

using MoveSnakeTest = Running;
using TickProcTest = Running;

TEST_F(MoveSnakeTest, StepsTheHeadOneCellInTheGivenDirection) {
  const Cell expected[] = {{10, 9}, {11, 10}, {10, 11}, {9, 10}};
  for (int16_t dir = DirUp; dir <= DirLeft; ++dir) {
    LaySnake(game, {{10, 10}}, DirUp);
    MoveSnake(game, host, dir);
    EXPECT_EQ(CellOf(game.Segments[0]), expected[dir]) << "dir " << dir;
    EXPECT_EQ(game.Segments[0].Dir, dir);
  }
}

TEST_F(MoveSnakeTest, MoveOffTheBoardIsRefusedWithoutRedrawAndTheHeadKeepsItsDir) {
  struct Case {
    Cell head;
    int16_t dir;
  };
  for (const Case c : {Case{{29, 10}, DirRight}, Case{{0, 10}, DirLeft}, Case{{7, 0}, DirUp},
                       Case{{7, 29}, DirDown}}) {
    Game game;
    FakeHost host(game);
    LaySnake(game, {c.head, c.head, {15, 15}}, DirDown);
    PutItemsOn(game, c.head.X, c.head.Y);  // a refused move takes nothing either
    const Game before = game;
    MoveSnake(game, host, c.dir);
    EXPECT_EQ(game.Segments, before.Segments) << "dir " << c.dir;
    EXPECT_EQ(game.Items, before.Items);
    EXPECT_EQ(host.Events, "") << "no redraw, no box, no draw of numbers";
  }
}

TEST_F(MoveSnakeTest, BodyFollowsFromTheTailAndRecordOneLandsOnTheHeadsCell) {
  LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {3, 5}}, DirRight);
  MoveSnake(game, host, DirDown);
  EXPECT_EQ(game.Segments[0], (Segment{StateHead, 5, 6, DirDown}));
  EXPECT_EQ(game.Segments[1], (Segment{StateBody, 5, 6, DirDown}));
  EXPECT_EQ(game.Segments[2], (Segment{StateBody, 5, 5, DirRight}));
  EXPECT_EQ(game.Segments[3], (Segment{StateBody, 4, 5, DirRight}));
  EXPECT_EQ(SnakeLength(game), 4);
}

TEST_F(MoveSnakeTest, AcceptedMoveIsDrawnOnceAfterTheBodyHasFollowed) {
  LaySnake(game, {{5, 5}, {5, 5}, {4, 5}}, DirRight);
  MoveSnake(game, host, DirRight);
  ASSERT_EQ(host.Events, "F");
  EXPECT_EQ(CellOf(host.Frames[0].Head), (Cell{6, 5}));
}

TEST_F(MoveSnakeTest, SelfHitIsJudgedAgainstTheBodyBeforeTheMoveTailIncluded) {
  // The head came up from (5, 6) by way of (4, 6) and (4, 5); the tail still lies on (5, 6).
  LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {4, 6}, {5, 6}}, DirRight);
  host.QueueTenItems(29, 29);
  MoveSnake(game, host, DirDown);
  EXPECT_EQ(host.Boxes.size(), 1u);
  EXPECT_EQ(SnakeLength(game), 1);
}

TEST_F(MoveSnakeTest, TurningBackEndsTheGameForLengthFourButNotForLengthTwo) {
  LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {3, 5}}, DirRight);
  host.QueueTenItems(29, 29);
  MoveSnake(game, host, DirLeft);
  EXPECT_EQ(host.Boxes.size(), 1u);

  Game shortGame;
  FakeHost shortHost(shortGame);
  PutItemsOn(shortGame, 29, 29);
  LaySnake(shortGame, {{5, 5}, {5, 5}}, DirRight);
  MoveSnake(shortGame, shortHost, DirLeft);
  EXPECT_TRUE(shortHost.Boxes.empty());
  EXPECT_EQ(CellOf(shortGame.Segments[0]), (Cell{4, 5}));
  EXPECT_EQ(SnakeLength(shortGame), 2);
}

TEST_F(MoveSnakeTest, FreeRecordsOnTheOriginNeverEndTheGame) {
  LaySnake(game, {{0, 1}, {0, 1}, {0, 2}}, DirUp);
  MoveSnake(game, host, DirUp);
  EXPECT_TRUE(host.Boxes.empty());
  EXPECT_EQ(CellOf(game.Segments[0]), (Cell{0, 0}));
}

TEST_F(MoveSnakeTest, AfterAGameOverThePickUpRunsAgainstTheNewItems) {
  LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {3, 5}}, DirRight);
  game.Items[0] = {KindGrow5, 4, 5};  // on the fatal cell, but gone before the pick-up test
  host.QueueTenItems(20, 20);
  MoveSnake(game, host, DirLeft);
  EXPECT_EQ(SnakeLength(game), 1);
  EXPECT_EQ(game.Score, 0);
  EXPECT_EQ(CellOf(game.Items[0]), (Cell{20, 20}));
}

TEST_F(MoveSnakeTest, AnItemTheRestartLaysOnTheHeadsCellIsTakenInTheSameMove) {
  LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {3, 5}}, DirRight);
  host.QueueItem(1, 4, 5);  // slot 0: kind 2 on the cell where the snake dies
  for (int slot = 1; slot < BoardItemCount; ++slot) {
    host.QueueItem(0, 20, 20);
  }
  host.QueueItem(2, 25, 25);  // slot 0's replacement once taken
  MoveSnake(game, host, DirLeft);
  EXPECT_EQ(host.Boxes.size(), 1u);
  EXPECT_EQ(game.Score, 5);
  EXPECT_EQ(SnakeLength(game), 7);
  EXPECT_EQ(game.Items[0], (Item{KindShrink3, 25, 25}));
  EXPECT_EQ(game.Running, BoolTrue);
}

TEST_F(TickProcTest, IsIgnoredWhileNotRunningAndNotEvenCounted) {
  LaySnake(game, {{3, 3}}, DirRight);
  game.Running = BoolFalse;
  game.TickCount = RenewalTicks - 1;
  const Game before = game;
  TickProc(game, host);
  EXPECT_EQ(game.TickCount, RenewalTicks - 1);
  EXPECT_EQ(game.Segments, before.Segments);
  EXPECT_EQ(host.Events, "");
}

TEST_F(TickProcTest, MovesInTheRequestedDirectionOrInTheHeadsOwnWhenNoneIsRequested) {
  LaySnake(game, {{3, 3}}, DirRight);
  game.NextDir = DirDown;
  TickProc(game, host);
  EXPECT_EQ(CellOf(game.Segments[0]), (Cell{3, 4}));
  game.NextDir = NoDirection;
  TickProc(game, host);
  EXPECT_EQ(CellOf(game.Segments[0]), (Cell{3, 5}));
  EXPECT_EQ(game.NextDir, NoDirection);
  EXPECT_EQ(game.TickCount, 2);
}

TEST_F(TickProcTest, InStepModeTicksAreCountedButNeverMove) {
  LaySnake(game, {{3, 3}}, DirRight);
  game.StepMode = BoolTrue;
  game.NextDir = DirDown;
  for (int i = 0; i < 5; ++i) {
    TickProc(game, host);
  }
  EXPECT_EQ(CellOf(game.Segments[0]), (Cell{3, 3}));
  EXPECT_EQ(game.TickCount, 5);
  EXPECT_EQ(host.Events, "");
}

TEST_F(TickProcTest, TheTwoHundredthTickRenewsTheItemsAndRedrawsBeforeTheMove) {
  LaySnake(game, {{3, 3}}, DirRight);
  game.NextDir = DirRight;
  game.TickCount = RenewalTicks - 1;
  host.QueueTenItems(17, 18);
  TickProc(game, host);
  EXPECT_EQ(game.TickCount, 0);
  ASSERT_EQ(host.Frames.size(), 2u);
  EXPECT_EQ(CellOf(host.Frames[0].Head), (Cell{3, 3})) << "the renewal is drawn before the move";
  EXPECT_EQ(CellOf(host.Frames[0].Items[9]), (Cell{17, 18}));
  EXPECT_EQ(CellOf(host.Frames[1].Head), (Cell{4, 3}));
}

TEST_F(TickProcTest, TheTwoHundredthTickRenewsTheItemsInStepModeToo) {
  LaySnake(game, {{3, 3}}, DirRight);
  game.StepMode = BoolTrue;
  game.TickCount = RenewalTicks - 1;
  host.QueueTenItems(17, 18);
  TickProc(game, host);
  EXPECT_EQ(game.TickCount, 0);
  EXPECT_EQ(host.Frames.size(), 1u);
  EXPECT_EQ(CellOf(game.Items[0]), (Cell{17, 18}));
  EXPECT_EQ(CellOf(game.Segments[0]), (Cell{3, 3}));
}

TEST_F(TickProcTest, RefusedMovesAtTheWallLeaveTheHeadsDirForTheNextTicks) {
  LaySnake(game, {{0, 10}}, DirDown);
  game.NextDir = DirLeft;
  TickProc(game, host);
  TickProc(game, host);
  EXPECT_EQ(game.Segments[0], (Segment{StateHead, 0, 10, DirDown}));
  EXPECT_EQ(host.Events, "");
  game.NextDir = NoDirection;
  TickProc(game, host);
  EXPECT_EQ(game.Segments[0], (Segment{StateHead, 0, 11, DirDown}));
}

TEST_F(TickProcTest, FromTheStartTheSnakeRunsDownToTheWallAndWaitsThere) {
  SetSegmentState(game, 0, StateHead);
  game.NextDir = DirDown;
  TickProc(game, host);
  EXPECT_EQ(CellOf(game.Segments[0]), (Cell{0, 1}));
  for (int tick = 2; tick <= 29; ++tick) {
    TickProc(game, host);
  }
  EXPECT_EQ(CellOf(game.Segments[0]), (Cell{0, 29}));
  EXPECT_EQ(host.Frames.size(), 29u);
  TickProc(game, host);
  EXPECT_EQ(CellOf(game.Segments[0]), (Cell{0, 29}));
  EXPECT_EQ(host.Frames.size(), 29u);
}

TEST_F(TickProcTest, TickCountSurvivesARestart) {
  LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {3, 5}}, DirRight);
  game.NextDir = DirLeft;
  game.TickCount = RenewalTicks - 2;
  host.QueueTenItems(29, 29);
  TickProc(game, host);  // the fatal move, counted as tick 199
  ASSERT_EQ(host.Boxes.size(), 1u);
  EXPECT_EQ(game.TickCount, RenewalTicks - 1);

  game.NextDir = DirDown;
  host.QueueTenItems(28, 28);
  TickProc(game, host);  // so the very next tick renews all items
  EXPECT_EQ(game.TickCount, 0);
  EXPECT_EQ(CellOf(game.Items[0]), (Cell{28, 28}));
  EXPECT_TRUE(host.Numbers.empty());
}

}  // namespace
}  // namespace nuikaro
