// The SDL side of the shell: the window Form1 lives in, its event loop and timer, and the game's
// host. Presenting is the Screen's job, the random numbers the RandomSource's.
#pragma once

#include <SDL.h>

#include "game/Game.h"
#include "game/RandomSource.h"
#include "render/Renderer.h"
#include "shell/EventSource.h"
#include "shell/Form.h"
#include "shell/ModalBox.h"
#include "shell/Screen.h"
#include "shell/TickSchedule.h"

namespace nuikaro {

class SdlPlatform final : public WindowPlatform {
 public:
  // window: made by the caller, still hidden (Show maps it). renderer: its back buffer is what
  // the window shows. events: where the loop takes its events and time from. random: the rules'
  // random numbers. Throws StartupError when the window has no way to show a frame.
  SdlPlatform(SDL_Window* window, Renderer& renderer, EventSource& events, RandomSource& random);
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // The message loop: delivers the form's key presses, close requests and ticks until the form
  // is closed.
  void Run(Form1& form);

  void SetTimer() override;
  void KillTimer() override;
  void Show() override;
  void Unload() override;

  // Draws the frame into the back buffer, then shows it. After the form has closed (during the
  // game-over box) nothing is drawn any more.
  void RenderFrame() override;
  // Opens the box and runs the loop until the player closes it or the form is closed; the game
  // window meanwhile repaints and takes close requests. The next tick comes a full period after.
  void rtcMsgBox(std::string_view text) override;
  // The rules ask their one host for random numbers: passed on to the random source.
  void rtcRandomize() override;
  float rtcRandomNext() override;

 private:
  // One turn of the loop: a due tick, or the next event.
  void DeliverNext();
  void HandleEvent(const SDL_Event& event);

  SDL_Window* window_;
  Renderer& renderer_;
  EventSource& events_;
  Screen screen_;
  Form1* form_ = nullptr;    // the form whose loop runs, while Run runs
  ModalBox* box_ = nullptr;  // the open game-over box, if any
  TickSchedule schedule_{std::chrono::milliseconds(TimerPeriodMilliseconds)};
  RandomSource& random_;
};

}  // namespace nuikaro
