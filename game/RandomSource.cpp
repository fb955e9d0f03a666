#include "game/RandomSource.h"

#include <chrono>

namespace nuikaro {

namespace {

uint64_t ClockNanoseconds() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

// Spreads the clock's few changing low bits over the whole word (the splitmix64 finaliser).
uint64_t Scramble(uint64_t value) {
  value += 0x9e3779b97f4a7c15ULL;
  value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
  value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
  return value ^ (value >> 31);
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
  // tick goes on with fresh numbers instead of repeating the previous ones.
  engine_.seed(engine_() ^ Scramble(ClockNanoseconds()));
}

float RandomSource::Next() {
  // 24 bits fill a float's mantissa exactly: the largest value is 1 - 2^-24, never 1.0.
  return static_cast<float>(engine_() >> 40) * 0x1p-24f;
}

}  // namespace nuikaro
