#include "shell/TickSchedule.h"

namespace nuikaro {

void TickSchedule::Start(Clock::time_point now) {
  running_ = true;
  due_ = now + period_;
}

void TickSchedule::Stop() {
  running_ = false;
}

int TickSchedule::WaitMilliseconds(Clock::time_point now) const {
  if (!running_) {
    return -1;
  }
  if (now >= due_) {
    return 0;
  }
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(due_ - now).count());
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
