#include "game/RandomSource.h"

#include <chrono>

namespace nuikaro {

namespace {

uint64_t ClockNanoseconds() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

}  // namespace

RandomSource::RandomSource() {
  std::random_device device;
  const uint64_t clock = ClockNanoseconds();
  std::seed_seq seed{device(),
                     device(),
                     device(),
                     device(),
                     static_cast<uint32_t>(clock),
                     static_cast<uint32_t>(clock >> 32)};
  engine_.seed(seed);
}

void RandomSource::Randomize() {
  // The new seed depends on the running state as well as the clock, so a reseed within one clock
  // tick goes on with fresh numbers instead of repeating the previous ones. The engine's seeding
  // spreads the clock's few changing low bits over its whole state.
  engine_.seed(engine_() ^ ClockNanoseconds());
}

float RandomSource::Next() {
  // 24 bits fill a float's mantissa exactly: the largest value is 1 - 2^-24, never 1.0.
  return static_cast<float>(engine_() >> 40) * 0x1p-24f;
}

}  // namespace nuikaro
