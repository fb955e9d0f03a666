// When the next game tick falls due: a fixed 100 ms beat kept by the event loop.
#pragma once

#include <chrono>

namespace nuikaro {

// Ticks are scheduled from the previous due time, so the beat does not drift with the time the
// handlers take. A tick that falls due while an event is handled is delivered once, late; ticks
// missed in a longer stall are dropped, not made up in a burst.
class TickSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  explicit TickSchedule(Clock::duration period) : period_(period) {}

  void Start(Clock::time_point now);  // the first tick falls due one period from now
  void Stop();

  // How long the loop may wait for events, in whole milliseconds rounded up, so it never wakes
  // a moment too early and spins; 0 when a tick is due; -1 (wait for ever) when stopped.
  // With quiet, the wait passes over that many ticks, which the caller takes late with TakeLate.
  int WaitMilliseconds(Clock::time_point now, int quiet = 0) const;
  // How many ticks have fallen due by now, at most `most`, and schedules the one after them:
  // ticks slept through on purpose, each still to be delivered.
  int TakeLate(Clock::time_point now, int most);
  bool IsDue(Clock::time_point now) const { return running_ && now >= due_; }
  // Called as a due tick is delivered: schedules the next one.
  void Advance(Clock::time_point now);
  // A fresh period from now, as after the game-over box: no tick waits from before it.
  void Postpone(Clock::time_point now);

 private:
  Clock::duration period_;
  Clock::time_point due_{};
  bool running_ = false;
};

}  // namespace nuikaro
