// The game's pseudo-random source: a real generator that a reseed from the clock never restarts.
#pragma once

#include <cstdint>
#include <random>

namespace nuikaro {

class RandomSource {
 public:
  RandomSource();  // seeded once from std::random_device and the clock
  // Mixes the clock into the running state; the sequence goes on, so reseeds within one clock
  // tick still give different numbers.
  void Randomize();
  // A number from 0 inclusive to 1 exclusive, made of 24 random bits (never 1.0).
  float Next();

 private:
  std::mt19937_64 engine_;
};

}  // namespace nuikaro
