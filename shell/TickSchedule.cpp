#include "shell/TickSchedule.h"

namespace nuikaro {

void TickSchedule::Start(Clock::time_point now) {
  running_ = true;
  due_ = now + period_;
}

void TickSchedule::Stop() {
  running_ = false;
}

int TickSchedule::WaitMilliseconds(Clock::time_point now, int quiet) const {
  if (!running_) {
    return -1;
  }
  const Clock::time_point until = due_ + quiet * period_;
  if (now >= until) {
    return 0;
  }
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(until - now).count());
}

int TickSchedule::TakeLate(Clock::time_point now, int most) {
  int taken = 0;
  while (running_ && taken < most && now >= due_) {
    due_ += period_;
    ++taken;
  }
  return taken;
}

void TickSchedule::Advance(Clock::time_point now) {
  due_ += period_;
  if (due_ <= now) {
    due_ = now + period_;  // a stall: the ticks it swallowed are gone
  }
}

void TickSchedule::Postpone(Clock::time_point now) {
  due_ = now + period_;
}

}  // namespace nuikaro
