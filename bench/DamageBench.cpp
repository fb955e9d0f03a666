// Finding what a frame has to send to the window: the changed rectangles between two frames the
// renderer drew, after one move of a snake of 100 and after a renewal of all ten items. The
// counter "sent" is the share of the frame's pixels in the rectangles.
#include <benchmark/benchmark.h>

#include <vector>

#include "game/Game.h"
#include "render/Renderer.h"
#include "shell/FrameDamage.h"
#include "tests/support/Pictures.h"

namespace {

using namespace nuikaro;

// A snake of 100 along the top rows, head last laid at (column, 3), and ten items on row 20 from
// column firstItem.
void LayOut(Game& game, int32_t column, int32_t firstItem) {
  for (int32_t index = 0; index < 100; ++index) {
    const int32_t cell = column + 99 - index;  // three rows and a bit, running right
    game.Segments[index] =
        Segment{index == 0 ? StateHead : StateBody, static_cast<int16_t>(cell % BoardSize),
                static_cast<int16_t>(cell / BoardSize), DirRight};
  }
  for (int32_t slot = 0; slot < BoardItemCount; ++slot) {
    game.Items[slot] = Item{slot % 3 + 1, static_cast<int16_t>(firstItem + slot * 2), 20};
  }
}

void FindChanged(benchmark::State& state, int32_t nextColumn, int32_t nextFirstItem) {
  Game game;
  Renderer renderer(game);
  renderer.BackSprite = LoadSprite(PatternPicture(16, 16, 3));
  renderer.ItemSprite = LoadSprite(PatternPicture(64, 48, 7));
  LayOut(game, 0, 0);
  RenderFrame(renderer);
  const Surface before = renderer.BackBuffer;
  LayOut(game, nextColumn, nextFirstItem);
  RenderFrame(renderer);
  const Surface after = renderer.BackBuffer;
  int64_t sent = 0;
  for (auto _ : state) {
    const std::vector<Rect> rectangles = FindChangedRectangles(before, after);
    sent = 0;
    for (const Rect& r : rectangles) {
      sent += static_cast<int64_t>(r.Width) * r.Height;
    }
    benchmark::DoNotOptimize(sent);
  }
  state.counters["sent"] = static_cast<double>(sent) / (ScreenWidth * ScreenHeight);
}

void FindChangedAfterOneMove(benchmark::State& state) {
  FindChanged(state, 1, 0);
}
BENCHMARK(FindChangedAfterOneMove)->Unit(benchmark::kMicrosecond);

void FindChangedAfterRenewal(benchmark::State& state) {
  FindChanged(state, 0, 9);
}
BENCHMARK(FindChangedAfterRenewal)->Unit(benchmark::kMicrosecond);

}  // namespace
