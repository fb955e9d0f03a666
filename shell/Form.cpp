#include "shell/Form.h"

namespace nuikaro {

void LoadForm(Form1& form) {
  Form_Load(form);
  // Shown only now, so the first thing on screen is the finished first frame.
  form.Platform.Show();
}

void Form_Load(Form1& form) {
  InitGame(form);
}

void InitGame(Form1& form) {
  // A bad file throws here, before the timer exists: nothing has to be undone.
  LoadSprites(form.View, form.Directory);
  form.Platform.SetTimer();
  SetSegmentState(form.Game, 0, StateHead);  // the head on cell (0, 0), facing up
  form.Game.NextDir = DirDown;
  SpawnAllItems(form.Game, form.Host);
  form.Host.RenderFrame();
  // Last, so no tick or key ever sees a half-made game.
  form.Game.Running = BoolTrue;
}

void Form_KeyDown(Form1& form, int16_t keyCode) {
  nuikaro::Game& game = form.Game;
  if (game.Running == BoolFalse) {
    return;  // dropped, not stored: also Escape and Enter while the game-over box is open
  }
  switch (keyCode) {
    case VirtualKey::Up:
      game.NextDir = DirUp;
      break;
    case VirtualKey::Right:
      game.NextDir = DirRight;
      break;
    case VirtualKey::Down:
      game.NextDir = DirDown;
      break;
    case VirtualKey::Left:
      game.NextDir = DirLeft;
      break;
    case VirtualKey::Escape:
      form.Platform.Unload();
      return;  // the game is closed: no move after it
    case VirtualKey::Return:
      game.StepMode = static_cast<int16_t>(~game.StepMode);
      break;
    default:
      game.NextDir = NoDirection;
      break;
  }
  // In step mode every key that leaves a direction moves at once; Enter switching step mode on
  // counts too.
  if (game.StepMode != BoolFalse && game.NextDir != NoDirection) {
    MoveSnake(game, form.Host, game.NextDir);
  }
}

void CloseForm(Form1& form) {
  if (form.Closed) {
    return;
  }
  form.Closed = true;
  Form_QueryUnload(form);
}

void Form_QueryUnload(Form1& form) {
  ShutdownGame(form);
}

void ShutdownGame(Form1& form) {
  FreeSprites(form.View);
  form.View.Fonts.Release();
  form.Platform.KillTimer();
}

}  // namespace nuikaro
