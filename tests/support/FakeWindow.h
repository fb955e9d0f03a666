// The window system for Form1 without a window, with the shared fake host as the rules' host
// (Host): the window's own calls go into the host's log of events (T SetTimer, K KillTimer, S
// Show, U Unload), so the tests can read the order of start-up and shut-down.
#pragma once

#include <algorithm>

#include "shell/Form.h"
#include "tests/support/FakeHost.h"

namespace nuikaro::shelltest {

class FakeWindow final : public WindowPlatform {
 public:
  FakeWindow(Game& game, Renderer& view) : Host(game), game_(game), view_(view) {}

  void SetTimer() override {
    Host.Events += 'T';
    SpritesLoadedAtSetTimer = view_.BackSprite.Width > 0 && view_.ItemSprite.Width > 0;
  }
  void KillTimer() override {
    Host.Events += 'K';
    SpritesFreedAtKillTimer = view_.BackSprite.Width == 0 && view_.ItemSprite.Width == 0;
  }
  void Show() override {
    Host.Events += 'S';
    RunningAtShow = game_.Running;
  }
  void Unload() override {
    Host.Events += 'U';
    CloseForm(*Form);
  }

  int Count(char event) const {
    return static_cast<int>(std::count(Host.Events.begin(), Host.Events.end(), event));
  }

  gametest::FakeHost Host;
  Form1* Form = nullptr;
  bool SpritesLoadedAtSetTimer = false;
  bool SpritesFreedAtKillTimer = false;
  int16_t RunningAtShow = BoolFalse;

 private:
  Game& game_;
  Renderer& view_;
};

}  // namespace nuikaro::shelltest
