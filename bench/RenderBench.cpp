// The cost of one whole frame as RenderFrame draws it: a 16-pixel tile, ten items and a snake of
// the given number of segments, with pictures made here so the figures do not depend on the art.
#include <benchmark/benchmark.h>

#include "game/Game.h"
#include "render/Renderer.h"

namespace {

using namespace nuikaro;

Surface PatternPicture(int32_t width, int32_t height, uint32_t seed) {
  Surface picture(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      picture.Row(y)[x] = (seed * 2654435761u + static_cast<uint32_t>(x * 31 + y * 17)) & 0xFFFFFF;
    }
  }
  return picture;
}

// A sheet whose mask is opaque in a disc and whose pictures are black outside it, like real art.
Surface SheetPicture() {
  Surface sheet = PatternPicture(64, 48, 7);
  for (int32_t y = 0; y < 48; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      const int32_t dx = x % 16 - 8;
      const int32_t dy = y % 16 - 8;
      const bool opaque = dx * dx + dy * dy < 49;
      if (x < 16 && y < 16) {
        sheet.Row(y)[x] = opaque ? 0 : 0xFFFFFF;
      } else if (!opaque) {
        sheet.Row(y)[x] = 0;
      }
    }
  }
  return sheet;
}

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
