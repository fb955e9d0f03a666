// The SDL side of the shell: the window Form1 lives in, its event loop and timer, the game-over
// box, and the Screen the back buffer is presented through.
#pragma once

#include <SDL.h>

#include "game/Game.h"
#include "game/RandomSource.h"
#include "render/Renderer.h"
#include "shell/Form.h"
#include "shell/Screen.h"
#include "shell/TickSchedule.h"

namespace nuikaro {

inline constexpr const char* GameTitle = "ぬいかろ";

class SdlPlatform final : public WindowPlatform, public GameHost {
 public:
  // The window is made hidden; Show maps it. The renderer's back buffer is what Present shows.
  // Throws ScreenError when the window has no way to show a frame.
  SdlPlatform(SDL_Window* window, Renderer& renderer);
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // The form whose events this platform delivers; set once, before LoadForm.
  void Attach(Form1& form) { form_ = &form; }

  // The message loop: delivers key presses, close requests and ticks until the form is closed.
  void Run();

  // Shows the back buffer in the window, scaled to its size: only what changed since the last
  // present. Does nothing before Show: a present to an unmapped window is lost anyway, and the
  // expose after mapping repeats it.
  void Present();
  // Shows the whole back buffer again: the window lost its pixels (exposed, resized).
  void Repaint();

  void SetTimer() override;
  void KillTimer() override;
  void Show() override;
  void Unload() override;

  void RenderFrame() override;
  void rtcMsgBox(std::string_view text) override;
  void rtcRandomize() override;
  float rtcRandomNext() override;

 private:
  void HandleEvent(const SDL_Event& event);

  SDL_Window* window_;
  Renderer& renderer_;
  Screen screen_;
  Form1* form_ = nullptr;
  TickSchedule schedule_{std::chrono::milliseconds(TimerPeriodMilliseconds)};
  RandomSource random_;
  bool shown_ = false;
};

}  // namespace nuikaro
