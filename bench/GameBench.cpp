// The cost of one accepted move at three snake lengths, with a host whose redraw does nothing.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "game/Game.h"
#include "tests/support/FakeHost.h"

namespace nuikaro {
namespace {

using gametest::Cell;

// A closed tour over the top `rows` rows (an even number): along row 0 to the right, back and forth
// over columns 1 to 29 of the other rows, and up column 0 home. A snake that runs round it never
// meets itself as long as the tour has more cells than the snake covers.
std::vector<Cell> Tour(int rows) {
  std::vector<Cell> cells;
  for (int x = 0; x < BoardSize; ++x) {
    cells.push_back({static_cast<int16_t>(x), 0});
  }
  for (int y = 1; y < rows; ++y) {
    for (int i = 0; i < BoardSize - 1; ++i) {
      const int x = y % 2 == 1 ? BoardSize - 1 - i : 1 + i;
      cells.push_back({static_cast<int16_t>(x), static_cast<int16_t>(y)});
    }
  }
  for (int y = rows - 1; y >= 1; --y) {
    cells.push_back({0, static_cast<int16_t>(y)});
  }
  return cells;
}

int16_t DirectionBetween(Cell from, Cell to) {
  if (to.Y < from.Y) {
    return DirUp;
  }
  if (to.X > from.X) {
    return DirRight;
  }
  if (to.Y > from.Y) {
    return DirDown;
  }
  return DirLeft;
}

}  // namespace
}  // namespace nuikaro

// Named after what it measures, so that the cases print as MoveSnake/1, MoveSnake/100, ...
static void MoveSnake(benchmark::State& state) {
  using namespace nuikaro;
  const int length = static_cast<int>(state.range(0));
  // A full snake needs the whole board; shorter ones run on rows 0 to 27 and leave the items on
  // row 29 alone, so that every measured move is the same plain move.
  const bool full = length == SegmentCount;
  const std::vector<Cell> tour = Tour(full ? BoardSize : BoardSize - 2);
  const int tourLength = static_cast<int>(tour.size());

  std::array<std::array<int16_t, BoardSize>, BoardSize> nextDir{};
  for (int i = 0; i < tourLength; ++i) {
    const Cell from = tour[i];
    nextDir[from.Y][from.X] = DirectionBetween(from, tour[(i + 1) % tourLength]);
  }

  Game game;
  // Redraws do nothing; every replacement is kind 1 on (0, 0).
  gametest::FakeHost host(game);
  host.Record = false;
  host.MoreNumbers = [] { return 0.0f; };
  // Head and record 1 on the tour's cell `length`, record n on the cell n - 1 steps behind it.
  for (int n = 0; n < length; ++n) {
    const int behind = n == 0 ? 0 : n - 1;
    const Cell cell = tour[(length - behind + tourLength) % tourLength];
    game.Segments[n] = {n == 0 ? StateHead : StateBody, cell.X, cell.Y, DirRight};
  }
  for (int slot = 0; slot < BoardItemCount; ++slot) {
    // On the tour only for the full snake, which cannot grow: it takes all ten once a lap.
    game.Items[slot] = {KindGrow3, 0, static_cast<int16_t>(full ? 0 : BoardSize - 1)};
  }
  game.Running = BoolTrue;

  for (auto _ : state) {
    const Segment& head = game.Segments[0];
    nuikaro::MoveSnake(game, host, nextDir[head.Y][head.X]);
    benchmark::ClobberMemory();
  }

  if (host.BoxesShown != 0 || SnakeLength(game) != length) {
    state.SkipWithError("the snake met itself or changed its length");
  }
}

BENCHMARK(MoveSnake)->Arg(1)->Arg(100)->Arg(900);
