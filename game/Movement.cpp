// The timer tick and the snake's one move.
#include <cassert>

#include "game/Game.h"

namespace nuikaro {

namespace {

bool IsOnBoard(int x, int y) {
  return x >= 0 && x < BoardSize && y >= 0 && y < BoardSize;
}

}  // namespace

void TickProc(Game& game, GameHost& host) {
  // Ticks delivered while the game is over (the box's own loop) are not even counted.
  if (game.Running == BoolFalse) {
    return;
  }
  ++game.TickCount;
  if (game.TickCount >= RenewalTicks) {
    SpawnAllItems(game, host);
    host.RenderFrame();
    game.TickCount = 0;
  }
  if (game.StepMode != BoolFalse) {
    return;
  }
  MoveSnake(game, host, game.NextDir == NoDirection ? game.Segments[0].Dir : game.NextDir);
}

int QuietTicks(const Game& game) {
  if (game.Running == BoolFalse || game.StepMode == BoolFalse) {
    return 0;
  }
  return RenewalTicks - 1 - game.TickCount;
}

void MoveSnake(Game& game, GameHost& host, int16_t dir) {
  assert(dir >= DirUp && dir <= DirLeft);
  Segment head = game.Segments[0];
  head.Dir = dir;
  int x = head.X;
  int y = head.Y;
  switch (dir) {
    case DirUp:
      --y;
      break;
    case DirRight:
      ++x;
      break;
    case DirDown:
      ++y;
      break;
    case DirLeft:
      --x;
      break;
    default:
      break;
  }
  // A move off the board is refused outright: the head keeps its cell and Dir, nothing is drawn.
  if (!IsOnBoard(x, y)) {
    return;
  }
  head.X = static_cast<int16_t>(x);
  head.Y = static_cast<int16_t>(y);
  game.Segments[0] = head;

  // The head stands on its new cell while the body still lies where it was before the move.
  CheckSelfHit(game, host);

  // Taken after a possible restart, which leaves a lone head. The tail moves first, so each
  // record takes what its predecessor held before this move; record 1 lands on the head's cell.
  const int16_t length = SnakeLength(game);
  for (int n = length - 1; n >= 1; --n) {
    const Segment& previous = game.Segments[n - 1];
    if (FollowSegment(game, static_cast<int16_t>(n), previous.X, previous.Y, previous.Dir) ==
        BoolFalse) {
      break;
    }
  }

  CheckPickups(game, host);
}

}  // namespace nuikaro
