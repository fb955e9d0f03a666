// The one way to lose, and the restart that follows at once.
#include "game/Game.h"

namespace nuikaro {

void CheckSelfHit(Game& game, GameHost& host) {
  // The scan goes on after a hit; the restart leaves no body record, so one fatal move shows one
  // box however many records lie on the head's cell.
  for (int i = 1; i < SegmentCount; ++i) {
    const Segment& segment = game.Segments[i];
    const Segment& head = game.Segments[0];
    if (segment.X == head.X && segment.Y == head.Y && segment.State == StateBody) {
      // Cleared before the box: its modal loop goes on delivering ticks, which must do nothing.
      game.Running = BoolFalse;
      host.rtcMsgBox(GameOverText);
      RestartGame(game, host);
    }
  }
}

void RestartGame(Game& game, GameHost& host) {
  // The head keeps its cell and Dir; NextDir, StepMode and TickCount carry over too.
  ShrinkSnake(game, host, SegmentCount - 1);
  SetSegmentState(game, 0, StateHead);
  SpawnAllItems(game, host);
  game.Score = 0;
  host.RenderFrame();
  game.Running = BoolTrue;
}

}  // namespace nuikaro
