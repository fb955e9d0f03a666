#include "shell/SdlGameHost.h"

#include <string>

#include "render/Panel.h"
#include "shell/ModalBox.h"

namespace nuikaro {

SdlGameHost::SdlGameHost(SDL_Window* window, Renderer& renderer, Screen& screen, SdlPlatform& loop,
                         RandomSource& random)
    : window_(window), renderer_(renderer), screen_(screen), loop_(loop), random_(random) {}

void SdlGameHost::RenderFrame() {
  if (closedDuringBox_) {
    return;  // the restart that follows a close during the box is never seen
  }
  nuikaro::RenderFrame(renderer_);
  screen_.Present(renderer_.BackBuffer);
}

void SdlGameHost::rtcMsgBox(std::string_view text) {
  ModalBox box(window_, TitleText, text, renderer_.Fonts);
  if (!box.IsOpen()) {
    // No window for our own box: SDL's, which blocks the loop, is still better than none.
    const std::string message(text);
    SDL_ShowSimpleMessageBox(0, TitleText, message.c_str(), window_);
  }
  if (!loop_.ServeBox(box)) {
    closedDuringBox_ = true;
  }
}

void SdlGameHost::rtcRandomize() {
  random_.Randomize();
}

float SdlGameHost::rtcRandomNext() {
  return random_.Next();
}

}  // namespace nuikaro
