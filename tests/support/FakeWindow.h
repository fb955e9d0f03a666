// The window system for Form1 without a window: the rules' half of it is the shared fake host, and
// the window's own calls go into the same log of events (T SetTimer, K KillTimer, S Show, U
// Unload), so the tests can read the order of start-up and shut-down.
#pragma once

#include <algorithm>
#include <string_view>

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
  void RenderFrame() override { Host.RenderFrame(); }
  void rtcMsgBox(std::string_view text) override { Host.rtcMsgBox(text); }
  void rtcRandomize() override { Host.rtcRandomize(); }
  float rtcRandomNext() override { return Host.rtcRandomNext(); }

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
