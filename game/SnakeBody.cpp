// The snake's body table: length, state and position of single records, growth and shrinking.
#include <cassert>

#include "game/Game.h"

namespace nuikaro {

namespace {

[[maybe_unused]] bool IsSegmentIndex(int index) {
  return index >= 0 && index < SegmentCount;
}

}  // namespace

int16_t SnakeLength(const Game& game) {
  // The length is stored nowhere: the live records form one run from index 0.
  int16_t length = 0;
  while (length < SegmentCount && game.Segments[length].State != StateFree) {
    ++length;
  }
  return length;
}

void SetSegmentState(Game& game, int16_t index, int32_t state) {
  assert(IsSegmentIndex(index));
  game.Segments[index].State = state;
}

int16_t FollowSegment(Game& game, int16_t index, int16_t x, int16_t y, int16_t dir) {
  assert(IsSegmentIndex(index));
  Segment& segment = game.Segments[index];
  if (segment.State == StateFree) {
    return BoolFalse;
  }
  segment.X = x;
  segment.Y = y;
  segment.Dir = dir;
  return BoolTrue;
}

void GrowSnake(Game& game, GameHost& host, int16_t count) {
  const int length = SnakeLength(game);
  assert(length >= 1);  // growth needs a live head
  // A lone head starts writing at record 1, so it gains one record more than asked; a longer snake
  // rewrites its tail first. Every record copies the one before it, so all written records stack
  // on one cell and spread out as the body follows.
  const int first = length == 1 ? 1 : length - 1;
  for (int i = first; i <= first + count; ++i) {
    if (i >= SegmentCount) {
      break;
    }
    Segment& segment = game.Segments[i];
    const Segment& previous = game.Segments[i - 1];
    segment.State = StateBody;
    segment.X = previous.X;
    segment.Y = previous.Y;
    segment.Dir = previous.Dir;
  }
  host.RenderFrame();
}

void ShrinkSnake(Game& game, GameHost& host, int16_t count) {
  const int length = SnakeLength(game);
  // From the tail towards the head, which is never freed.
  for (int i = length - 1; i >= length - count && i > 0; --i) {
    game.Segments[i] = Segment{};
  }
  host.RenderFrame();
}

}  // namespace nuikaro
