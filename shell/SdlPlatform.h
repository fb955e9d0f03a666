// The shell's event loop: the window Form1 lives in, its events and its timer. Presenting is the
// Screen's job, the rules' host (the redraw, the box, random numbers) the SdlGameHost's.
#pragma once

#include <SDL.h>

#include "render/Renderer.h"
#include "shell/EventSource.h"
#include "shell/Form.h"
#include "shell/Gamepads.h"
#include "shell/ModalBox.h"
#include "shell/Screen.h"
#include "shell/TickSchedule.h"

namespace nuikaro {

class SdlPlatform final : public WindowPlatform {
 public:
  // window: made by the caller, still hidden (Show maps it). renderer: its back buffer is what
  // the window shows, through screen. events: where the loop takes its events and time from.
  SdlPlatform(SDL_Window* window, Renderer& renderer, Screen& screen, EventSource& events);
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // The message loop: delivers the form's key presses, close requests and ticks until the form
  // is closed.
  void Run(Form1& form);

  // Serves the open box until the player closes it or the form is closed; the game window
  // meanwhile repaints and takes close requests, ticks are held. The next tick comes a full
  // period after. False when the form was closed.
  bool ServeBox(ModalBox& box);

  void SetTimer() override;
  void KillTimer() override;
  void Show() override;
  void Unload() override;

 private:
  // One turn of the loop: a due tick, or the next event.
  void DeliverNext();
  void DeliverLateTicks(int quiet);  // the quiet ticks slept through, up to now
  void HandleEvent(const SDL_Event& event);
  uint32_t PadKeyWindow() const;  // the open box's window, else the game window

  SDL_Window* window_;
  Renderer& renderer_;
  Screen& screen_;
  EventSource& events_;
  Form1* form_ = nullptr;    // the form whose loop runs, while Run runs
  ModalBox* box_ = nullptr;  // the open game-over box, if any
  TickSchedule schedule_{std::chrono::milliseconds(TimerPeriodMilliseconds)};
  Gamepads pads_;
};

}  // namespace nuikaro
