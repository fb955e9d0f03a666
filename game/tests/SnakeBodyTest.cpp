#include <gtest/gtest.h>

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

TEST(SnakeLength, IsZeroBeforeTheHeadIsMadeAndOneAfter) {
  Game game;
  EXPECT_EQ(SnakeLength(game), 0);
  SetSegmentState(game, 0, StateHead);
  EXPECT_EQ(SnakeLength(game), 1);
}

TEST(SnakeLength, CountsUpToTheFirstFreeRecord) {
  Game game;
  LaySnakeOfLength(game, 5);
  game.Segments[7].State = StateBody;  // beyond a gap: not part of the run from index 0
  EXPECT_EQ(SnakeLength(game), 5);
}

TEST(SnakeLength, IsNineHundredWhenEveryRecordIsLive) {
  Game game;
  LaySnakeOfLength(game, SegmentCount);
  EXPECT_EQ(SnakeLength(game), 900);
}

TEST(FollowSegment, FreeRecordWritesNothingAndReportsFalse) {
  Game game;
  LaySnakeOfLength(game, 2);
  EXPECT_EQ(FollowSegment(game, 2, 7, 8, DirDown), BoolFalse);
  EXPECT_TRUE(IsFreeAndZero(game.Segments[2]));
}

TEST(FollowSegment, LiveRecordTakesCellAndDirAndKeepsItsState) {
  Game game;
  LaySnakeOfLength(game, 3);
  EXPECT_EQ(FollowSegment(game, 2, 7, 8, DirDown), BoolTrue);
  EXPECT_EQ(game.Segments[2], (Segment{StateBody, 7, 8, DirDown}));
}

TEST(GrowSnake, LoneHeadGainsOneMoreThanAsked) {
  Game game;
  FakeHost host(game);
  LaySnake(game, {{5, 7}}, DirRight);
  GrowSnake(game, host, 3);
  EXPECT_EQ(SnakeLength(game), 5);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(game.Segments[i], (Segment{StateBody, 5, 7, DirRight})) << "record " << i;
  }
  EXPECT_EQ(game.Segments[0], (Segment{StateHead, 5, 7, DirRight}));
}

TEST(GrowSnake, RewritesTheTailFirstAndStacksTheNewRecordsOnItsNewCell) {
  Game game;
  FakeHost host(game);
  LaySnake(game, {{5, 5}, {5, 5}, {4, 5}, {3, 5}, {3, 6}, {3, 7}}, DirLeft);
  game.Segments[4].Dir = DirUp;
  const Segment recordFour = game.Segments[4];
  GrowSnake(game, host, 3);
  EXPECT_EQ(SnakeLength(game), 9);
  for (int i = 5; i <= 8; ++i) {
    EXPECT_EQ(game.Segments[i], recordFour) << "record " << i;
  }
  EXPECT_EQ(CellOf(game.Segments[3]), (Cell{3, 5}));
}

TEST(GrowSnake, SnakeOfLengthTwoStacksEverythingOnTheHeadsCell) {
  Game game;
  FakeHost host(game);
  LaySnake(game, {{9, 9}, {9, 9}}, DirDown);
  GrowSnake(game, host, 5);
  EXPECT_EQ(SnakeLength(game), 7);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(CellOf(game.Segments[i]), (Cell{9, 9})) << "record " << i;
  }
}

TEST(GrowSnake, StopsWritingAtTheEndOfTheTable) {
  Game game;
  FakeHost host(game);
  LaySnakeOfLength(game, 898);
  game.Items[0] = {KindGrow5, 1, 2};  // the table that follows the segments must stay intact
  const auto items = game.Items;
  GrowSnake(game, host, 5);
  EXPECT_EQ(SnakeLength(game), 900);
  EXPECT_EQ(game.Segments[899], game.Segments[896]);
  EXPECT_EQ(game.Items, items);
}

TEST(GrowSnake, FullTableStaysFullAndItsTailTakesTheRecordBefore) {
  Game game;
  FakeHost host(game);
  LaySnakeOfLength(game, SegmentCount);
  GrowSnake(game, host, 3);
  EXPECT_EQ(SnakeLength(game), 900);
  EXPECT_EQ(game.Segments[899], game.Segments[898]);
}

TEST(ShrinkSnake, FreesRecordsFromTheTail) {
  Game game;
  FakeHost host(game);
  LaySnakeOfLength(game, 5);
  const Segment head = game.Segments[0];
  const Segment first = game.Segments[1];
  ShrinkSnake(game, host, 3);
  EXPECT_EQ(SnakeLength(game), 2);
  EXPECT_EQ(game.Segments[0], head);
  EXPECT_EQ(game.Segments[1], first);
  for (int i = 2; i <= 4; ++i) {
    EXPECT_TRUE(IsFreeAndZero(game.Segments[i])) << "record " << i;
  }
}

TEST(ShrinkSnake, StopsAtTheHead) {
  Game game;
  FakeHost host(game);
  LaySnake(game, {{6, 2}, {6, 2}, {6, 1}}, DirDown);
  ShrinkSnake(game, host, 3);
  EXPECT_EQ(SnakeLength(game), 1);
  EXPECT_EQ(game.Segments[0], (Segment{StateHead, 6, 2, DirDown}));
}

TEST(ShrinkSnake, FullOrNearlyFullTableShrinksLikeAnyOtherAndWritesNothingPastIt) {
  for (int length : {899, 900}) {
    Game game;
    FakeHost host(game);
    LaySnakeOfLength(game, length);
    PutItemsOn(game, 7, 9);  // the table that follows the segments must stay intact
    game.Items[10] = {KindShrink3, 3, 4};
    const auto items = game.Items;
    const Segment kept = game.Segments[length - 4];
    ShrinkSnake(game, host, 3);
    EXPECT_EQ(SnakeLength(game), length - 3) << "from length " << length;
    EXPECT_EQ(game.Segments[length - 4], kept) << "from length " << length;
    for (int i = length - 3; i < SegmentCount; ++i) {
      EXPECT_TRUE(IsFreeAndZero(game.Segments[i])) << "record " << i << " from length " << length;
    }
    EXPECT_EQ(game.Items, items) << "from length " << length;
  }
}

TEST(ShrinkSnake, ByEightHundredNinetyNineLeavesTheHeadAloneAtAnyLength) {
  for (int length : {1, 2, 450, 900}) {
    Game game;
    FakeHost host(game);
    LaySnakeOfLength(game, length);
    game.Segments[0] = {StateHead, 12, 13, DirLeft};
    ShrinkSnake(game, host, 899);
    EXPECT_EQ(SnakeLength(game), 1) << "from length " << length;
    EXPECT_EQ(game.Segments[0], (Segment{StateHead, 12, 13, DirLeft}));
    EXPECT_TRUE(IsFreeAndZero(game.Segments[1]));
  }
}

TEST(BodyRedraw, GrowthAndShrinkRedrawExactlyOnceAlsoWhenNothingChanged) {
  Game game;
  FakeHost host(game);
  LaySnakeOfLength(game, 1);
  ShrinkSnake(game, host, 3);  // a lone head cannot shrink
  EXPECT_EQ(host.Frames.size(), 1u);
  GrowSnake(game, host, 3);
  EXPECT_EQ(host.Frames.size(), 2u);
  EXPECT_EQ(host.Frames.back().Length, 5) << "the redraw shows the grown snake";

  Game full;
  FakeHost fullHost(full);
  LaySnakeOfLength(full, SegmentCount);
  GrowSnake(full, fullHost, 5);
  EXPECT_EQ(fullHost.Events, "F");
}

// Out-of-range indices are a caller's fault; debug builds stop on them.
TEST(IndexChecks, OutOfRangeIndicesStopADebugBuild) {
#ifdef NDEBUG
  GTEST_SKIP() << "the index checks are assertions, compiled out of release builds";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Game game;
  FakeHost host(game);
  EXPECT_DEATH(SetSegmentState(game, 900, StateBody), "");
  EXPECT_DEATH(SetSegmentState(game, -1, StateBody), "");
  EXPECT_DEATH(FollowSegment(game, 900, 0, 0, DirUp), "");
  EXPECT_DEATH(SpawnItem(game, host, 11), "");
  EXPECT_DEATH(SpawnItem(game, host, -1), "");
#endif
}

}  // namespace
}  // namespace nuikaro
