#include "game/RandomSource.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <set>
#include <thread>

namespace nuikaro {
namespace {

constexpr int Draws = 100000;

// As the game uses it: one reseed before every three numbers.
template <typename Use>
void DrawLikeTheGame(RandomSource& source, Use use) {
  for (int i = 0; i < Draws; ++i) {
    if (i % 3 == 0) {
      source.Randomize();
    }
    use(source.Next());
  }
}

TEST(RandomSource, NumbersLieFromZeroUpToButNotIncludingOne) {
  RandomSource source;
  int outside = 0;
  DrawLikeTheGame(source, [&](float x) { outside += (x < 0.0f || x >= 1.0f) ? 1 : 0; });
  EXPECT_EQ(outside, 0);
}

TEST(RandomSource, ReseedsInQuickSuccessionDoNotRepeatTheSequence) {
  RandomSource source;
  std::set<float> numbers;
  std::set<int> cells;
  for (int i = 0; i < 10; ++i) {
    source.Randomize();
    const float number = source.Next();
    numbers.insert(number);
    cells.insert(static_cast<int>(number * 30.0f));
  }
  EXPECT_GT(numbers.size(), 1u);
  EXPECT_GT(cells.size(), 1u) << "ten spawns would all land in one column";
}

// Three numbers in a row, as a spawn draws them.
std::array<float, 3> Spawn(RandomSource& source) {
  return {source.Next(), source.Next(), source.Next()};
}

// Each game starts with items of its own, and a reseed mixes in the clock: a copy of a source
// reseeded a moment later goes another way.
TEST(RandomSource, EachSourceAndEachReseedAtAnotherMomentGoesItsOwnWay) {
  RandomSource first;
  RandomSource second;
  EXPECT_NE(Spawn(first), Spawn(second)) << "two sources start alike";
  RandomSource copy = first;
  first.Randomize();
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  copy.Randomize();
  EXPECT_NE(Spawn(first), Spawn(copy)) << "the reseed left the clock out";
}

// Statistical, with bounds of more than five standard deviations so that it never fails by
// chance; a biased or stuck source misses them by far.
TEST(RandomSource, KindDrawsAreRoughlyUniform) {
  RandomSource source;
  std::array<int, 5> counts{};
  DrawLikeTheGame(source, [&](float x) { ++counts[static_cast<int>(std::floor(x * 5.0f))]; });
  const double expected = Draws / 5.0;
  const double sigma = std::sqrt(Draws * 0.2 * 0.8);  // about 126
  for (int draw = 0; draw < 5; ++draw) {
    EXPECT_NEAR(counts[draw], expected, 5.5 * sigma) << "draw " << draw;
  }
}

TEST(RandomSource, CellDrawsAreRoughlyUniform) {
  RandomSource source;
  std::array<int, 30> counts{};
  DrawLikeTheGame(source, [&](float x) { ++counts[static_cast<int>(std::floor(x * 30.0f))]; });
  const double expected = Draws / 30.0;
  const double sigma = std::sqrt(Draws * (1.0 / 30) * (29.0 / 30));  // about 57
  for (int cell = 0; cell < 30; ++cell) {
    EXPECT_NEAR(counts[cell], expected, 6.0 * sigma) << "cell " << cell;
  }
}

}  // namespace
}  // namespace nuikaro
