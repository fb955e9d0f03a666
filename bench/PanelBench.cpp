// The cost of the side panel: four texts with their shadows and six icons. With a steady score
// every string comes from the rendered-string cache; with a changing one the score line is
// rasterised afresh each frame, as in play after a pick-up.
#include <benchmark/benchmark.h>

#include "game/Game.h"
#include "render/Panel.h"
#include "render/Renderer.h"

namespace {

using namespace nuikaro;

void PrepareSheet(Renderer& renderer) {
  Surface sheet(64, 48);
  for (std::size_t i = 0; i < sheet.Pixels.size(); ++i) {
    sheet.Pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
  }
  renderer.ItemSprite = Sprite{64, 48, sheet};
}

void DrawPanelSteadyScore(benchmark::State& state) {
  Game game;
  game.Score = 123;
  Renderer renderer(game);
  PrepareSheet(renderer);
  for (auto _ : state) {
    DrawPanel(renderer);
    benchmark::DoNotOptimize(renderer.BackBuffer.Pixels.data());
  }
  renderer.Fonts.Release();
}
BENCHMARK(DrawPanelSteadyScore);

void DrawPanelChangingScore(benchmark::State& state) {
  Game game;
  Renderer renderer(game);
  PrepareSheet(renderer);
  for (auto _ : state) {
    ++game.Score;
    DrawPanel(renderer);
    benchmark::DoNotOptimize(renderer.BackBuffer.Pixels.data());
  }
  renderer.Fonts.Release();
}
BENCHMARK(DrawPanelChangingScore);

}  // namespace
