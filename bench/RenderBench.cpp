// The cost of one whole frame as RenderFrame draws it: a 16-pixel tile, ten items and a snake of
// the given number of segments, with the benchmarks' own pictures (BenchPictures.h).
#include <benchmark/benchmark.h>

#include "game/Game.h"
#include "render/Renderer.h"
#include "tests/support/Pictures.h"

namespace {

using namespace nuikaro;

// A snake of length cells laid along the rows, turning at each wall, with ten items beside it.
void LayOut(Game& game, int32_t length) {
  for (int32_t index = 0; index < length; ++index) {
    Segment& segment = game.Segments[index];
    const int32_t row = index / BoardSize;
    const int32_t column = index % BoardSize;
    segment.State = index == 0 ? StateHead : StateBody;
    segment.X = static_cast<int16_t>(row % 2 == 0 ? column : BoardSize - 1 - column);
    segment.Y = static_cast<int16_t>(row);
    segment.Dir = static_cast<int16_t>(row % 2 == 0 ? DirLeft : DirRight);
  }
  for (int32_t slot = 0; slot < BoardItemCount; ++slot) {
    game.Items[slot] = Item{slot % 3 + 1, static_cast<int16_t>(slot * 3), 29};
  }
}

void RenderFrame(benchmark::State& state) {
  Game game;
  LayOut(game, static_cast<int32_t>(state.range(0)));
  Renderer renderer(game);
  renderer.BackSprite = LoadSprite(PatternPicture(16, 16, 3));
  renderer.ItemSprite = LoadSprite(SheetPicture());
  for (auto _ : state) {
    nuikaro::RenderFrame(renderer);
    benchmark::DoNotOptimize(renderer.BackBuffer.Pixels.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(RenderFrame)->Arg(1)->Arg(100)->Arg(900)->Unit(benchmark::kMicrosecond);

}  // namespace
