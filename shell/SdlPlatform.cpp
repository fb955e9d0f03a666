#include "shell/SdlPlatform.h"

#include <string>

#include "shell/KeyMap.h"

namespace nuikaro {

SdlPlatform::SdlPlatform(SDL_Window* window, Renderer& renderer)
    : window_(window), renderer_(renderer), screen_(window) {}

void SdlPlatform::Run() {
  while (!form_->Closed) {
    const TickSchedule::Clock::time_point now = TickSchedule::Clock::now();
    if (schedule_.IsDue(now)) {
      // Scheduled before the tick runs, so a game-over box inside it can push the next one back.
      schedule_.Advance(now);
      TickProc(form_->State, *this);
      continue;
    }
    const int wait = schedule_.WaitMilliseconds(now);
    SDL_Event event;
    const int got = wait < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, wait);
    if (got != 0) {
      HandleEvent(event);
    }
  }
}

void SdlPlatform::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:  // desktop log-out, SIGINT, SIGTERM
      CloseForm(*form_);
      break;
    case SDL_WINDOWEVENT:
      if (event.window.windowID != SDL_GetWindowID(window_)) {
        break;
      }
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        CloseForm(*form_);
      } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                 event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        // The window repaints from the back buffer; the game itself is never redrawn for this.
        Repaint();
      }
      break;
    case SDL_KEYDOWN:  // auto-repeats included: each one counts as a press
      Form_KeyDown(*form_, VirtualKeyFromSdl(event.key.keysym.sym));
      break;
    default:
      break;
  }
}

void SdlPlatform::Present() {
  if (shown_) {
    screen_.Present(renderer_.BackBuffer);
  }
}

void SdlPlatform::Repaint() {
  screen_.Invalidate();
  Present();
}

void SdlPlatform::SetTimer() {
  schedule_.Start(TickSchedule::Clock::now());
}

void SdlPlatform::KillTimer() {
  schedule_.Stop();
}

void SdlPlatform::Show() {
  SDL_ShowWindow(window_);
  shown_ = true;
  Present();
}

void SdlPlatform::Unload() {
  CloseForm(*form_);
}

void SdlPlatform::RenderFrame() {
  nuikaro::RenderFrame(renderer_);
}

void SdlPlatform::rtcMsgBox(std::string_view text) {
  const std::string message(text);
  // Flags 0: an OK button and no icon.
  SDL_ShowSimpleMessageBox(0, GameTitle, message.c_str(), window_);
  // SDL kept the keys pressed at the game window while the box was open and would replay them
  // now; the game was not running then, so they are dropped. The ticks it missed are dropped too.
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_TEXTINPUT);
  schedule_.Postpone(TickSchedule::Clock::now());
}

void SdlPlatform::rtcRandomize() {
  random_.Randomize();
}

float SdlPlatform::rtcRandomNext() {
  return random_.Next();
}

}  // namespace nuikaro
