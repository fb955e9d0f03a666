// The 100 ms beat of the event loop.
#include "shell/TickSchedule.h"

#include <gtest/gtest.h>

namespace nuikaro {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using Clock = TickSchedule::Clock;

class TickScheduleTest : public ::testing::Test {
 protected:
  TickScheduleTest() { schedule.Start(start); }

  const Clock::time_point start = Clock::time_point(std::chrono::seconds(1000));
  TickSchedule schedule{milliseconds(100)};
};

TEST(TickScheduleStoppedTest, AStoppedScheduleWaitsForEverAndIsNeverDue) {
  TickSchedule schedule{milliseconds(100)};
  const Clock::time_point now = Clock::time_point(std::chrono::seconds(5));
  EXPECT_EQ(schedule.WaitMilliseconds(now), -1);
  EXPECT_FALSE(schedule.IsDue(now + std::chrono::hours(1)));
  schedule.Start(now);
  schedule.Stop();
  EXPECT_EQ(schedule.WaitMilliseconds(now), -1);
  EXPECT_FALSE(schedule.IsDue(now + std::chrono::hours(1)));
}

TEST_F(TickScheduleTest, TheFirstTickFallsDueOnePeriodAfterTheStart) {
  EXPECT_FALSE(schedule.IsDue(start + milliseconds(99)));
  EXPECT_TRUE(schedule.IsDue(start + milliseconds(100)));
  EXPECT_EQ(schedule.WaitMilliseconds(start), 100);
}

TEST_F(TickScheduleTest, TheWaitIsRoundedUpToWholeMilliseconds) {
  EXPECT_EQ(schedule.WaitMilliseconds(start + microseconds(99'001)), 1);
  EXPECT_EQ(schedule.WaitMilliseconds(start + microseconds(98'999)), 2);
  EXPECT_EQ(schedule.WaitMilliseconds(start + milliseconds(100)), 0);
  EXPECT_EQ(schedule.WaitMilliseconds(start + milliseconds(250)), 0);
}

TEST_F(TickScheduleTest, ALateTickDoesNotShiftTheBeat) {
  schedule.Advance(start + milliseconds(130));  // delivered 30 ms late
  EXPECT_FALSE(schedule.IsDue(start + milliseconds(199)));
  EXPECT_TRUE(schedule.IsDue(start + milliseconds(200)));
  EXPECT_EQ(schedule.WaitMilliseconds(start + milliseconds(130)), 70);
}

TEST_F(TickScheduleTest, TicksMissedInAStallAreNotMadeUp) {
  const Clock::time_point afterStall = start + milliseconds(1050);
  ASSERT_TRUE(schedule.IsDue(afterStall));
  schedule.Advance(afterStall);  // the one late tick
  EXPECT_FALSE(schedule.IsDue(afterStall));
  EXPECT_EQ(schedule.WaitMilliseconds(afterStall), 100);
}

// Quiet ticks: the wait passes over them, and they are taken late, each one, on the beat.
TEST_F(TickScheduleTest, QuietTicksAreSleptThroughAndTakenLateEachOneOnTheBeat) {
  EXPECT_EQ(schedule.WaitMilliseconds(start + milliseconds(30), 3), 370);
  EXPECT_EQ(schedule.WaitMilliseconds(start + milliseconds(400), 3), 0);
  EXPECT_EQ(schedule.TakeLate(start + milliseconds(99), 3), 0);
  EXPECT_EQ(schedule.TakeLate(start + milliseconds(350), 5), 3);  // the ticks at 100, 200, 300
  EXPECT_EQ(schedule.WaitMilliseconds(start + milliseconds(350)), 50);
  EXPECT_EQ(schedule.TakeLate(start + milliseconds(2000), 2), 2);  // no more than asked
  EXPECT_TRUE(schedule.IsDue(start + milliseconds(2000)));
}

TEST_F(TickScheduleTest, PostponingGivesAFreshPeriodFromNow) {
  const Clock::time_point boxClosed = start + milliseconds(5000);
  schedule.Postpone(boxClosed);
  EXPECT_FALSE(schedule.IsDue(boxClosed + milliseconds(99)));
  EXPECT_TRUE(schedule.IsDue(boxClosed + milliseconds(100)));
}

}  // namespace
}  // namespace nuikaro
