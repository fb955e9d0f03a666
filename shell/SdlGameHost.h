// The rules' host in the game window: the redraw, the game-over box and the random numbers.
#pragma once

#include <SDL.h>

#include <string_view>

#include "game/Game.h"
#include "game/RandomSource.h"
#include "render/Renderer.h"
#include "shell/Screen.h"
#include "shell/SdlPlatform.h"

namespace nuikaro {

class SdlGameHost final : public GameHost {
 public:
  // window: the game window, which the box is shown over. renderer: draws the frame that screen
  // shows. loop: serves the box while it is open. random: the rules' random numbers.
  SdlGameHost(SDL_Window* window, Renderer& renderer, Screen& screen, SdlPlatform& loop,
              RandomSource& random);
  SdlGameHost(const SdlGameHost&) = delete;
  SdlGameHost& operator=(const SdlGameHost&) = delete;

  // Draws the frame into the back buffer, then shows it; nothing once the game was closed
  // during the box.
  void RenderFrame() override;
  // Opens the box and has the loop serve it until the player closes it or the game is closed.
  void rtcMsgBox(std::string_view text) override;
  void rtcRandomize() override;
  float rtcRandomNext() override;

 private:
  SDL_Window* window_;
  Renderer& renderer_;
  Screen& screen_;
  SdlPlatform& loop_;
  RandomSource& random_;
  bool closedDuringBox_ = false;
};

}  // namespace nuikaro
