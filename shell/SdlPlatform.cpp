#include "shell/SdlPlatform.h"

#include "shell/Gamepads.h"
#include "shell/KeyMap.h"

namespace nuikaro {

SdlPlatform::SdlPlatform(SDL_Window* window, Renderer& renderer, Screen& screen,
                         EventSource& events)
    : window_(window), renderer_(renderer), screen_(screen), events_(events) {}

void SdlPlatform::Run(Form1& form) {
  form_ = &form;
  while (!form.Closed) {
    DeliverNext();
  }
  form_ = nullptr;
}

void SdlPlatform::DeliverNext() {
  const TickSchedule::Clock::time_point now = events_.Now();
  if (schedule_.IsDue(now)) {
    // Scheduled before the tick runs, so a game-over box inside it can push the next one back.
    schedule_.Advance(now);
    TickProc(form_->Game, form_->Host);
    return;
  }
  // In step mode a tick only counts towards the items' renewal: the loop sleeps through such
  // ticks (an idle page would wake ten times a second) and delivers them, in order, before the
  // event that ends the sleep. The renewal's own tick wakes it as before.
  const int quiet = box_ == nullptr ? QuietTicks(form_->Game) : 0;
  SDL_Event event;
  const bool got =
      pads_.TakeRepeat(now, PadKeyWindow(), box_ != nullptr, event) ||
      events_.NextEvent(event, pads_.WaitMilliseconds(now, schedule_.WaitMilliseconds(now, quiet)));
  DeliverLateTicks(quiet);
  if (got) {
    HandleEvent(event);
  }
}

void SdlPlatform::DeliverLateTicks(int quiet) {
  for (int late = schedule_.TakeLate(events_.Now(), quiet); late > 0; --late) {
    TickProc(form_->Game, form_->Host);
  }
}

void SdlPlatform::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:  // desktop log-out, SIGINT, SIGTERM
      CloseForm(*form_);
      return;
    case SDL_WINDOWEVENT:
      if (box_ != nullptr && event.window.windowID == box_->WindowId()) {
        box_->HandleEvent(event);
      } else if (event.window.windowID != SDL_GetWindowID(window_)) {
        return;
      } else if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        CloseForm(*form_);
      } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                 event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        // The window repaints from the back buffer; the game itself is never redrawn for this.
        screen_.Repaint(renderer_.BackBuffer);
      }
      return;
    case SDL_KEYDOWN:  // auto-repeats included: each one counts as a press
      if (box_ != nullptr && event.key.windowID == box_->WindowId()) {
        box_->HandleEvent(event);
      } else {
        Form_KeyDown(*form_, VirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.mod));
      }
      return;
    case SDL_KEYUP:
      if (box_ != nullptr && event.key.windowID == box_->WindowId()) {
        box_->HandleEvent(event);
      }
      return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (box_ != nullptr && event.button.windowID == box_->WindowId()) {
        box_->HandleEvent(event);
      }
      return;
    default: {
      // A pad: the key its button or stick stands for, as if typed where the keyboard types.
      SDL_Event key;
      if (pads_.Take(event, events_.Now(), PadKeyWindow(), box_ != nullptr, key)) {
        HandleEvent(key);
      }
      return;
    }
  }
}

uint32_t SdlPlatform::PadKeyWindow() const {
  return box_ != nullptr ? box_->WindowId() : SDL_GetWindowID(window_);
}

bool SdlPlatform::ServeBox(ModalBox& box) {
  if (box.IsOpen() && form_ != nullptr) {
    box_ = &box;
    while (!box.Closed() && !form_->Closed) {
      DeliverNext();
    }
    box_ = nullptr;
  }
  // No tick waits from before the box closed: the next one comes a full period after.
  schedule_.Postpone(events_.Now());
  return form_ == nullptr || !form_->Closed;
}

void SdlPlatform::SetTimer() {
  schedule_.Start(events_.Now());
}

void SdlPlatform::KillTimer() {
  schedule_.Stop();
}

void SdlPlatform::Show() {
  screen_.Show(renderer_.BackBuffer);
}

void SdlPlatform::Unload() {
  CloseForm(*form_);
}

}  // namespace nuikaro
