// SDL's video and the game window as a front end's start holds them: given back however the start
// ends, and only once a failure has been shown, so that its box still has SDL.
#pragma once

#include <SDL.h>

namespace nuikaro {

class SdlSession {
 public:
  SdlSession() = default;
  SdlSession(const SdlSession&) = delete;
  SdlSession& operator=(const SdlSession&) = delete;
  ~SdlSession() {
    if (window_ != nullptr) {
      SDL_DestroyWindow(window_);
    }
    if (started_) {
      SDL_Quit();
    }
  }

 protected:
  bool started_ = false;  // SDL_Init has succeeded
  SDL_Window* window_ = nullptr;
};

}  // namespace nuikaro
