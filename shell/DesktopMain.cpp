// The desktop program's start: make the window Form1, load it, run its message loop.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "render/Panel.h"
#include "render/Renderer.h"
#include "shell/Environment.h"
#include "shell/FrontEnd.h"
#include "shell/RunGame.h"
#include "shell/SdlSession.h"
#include "shell/StartupError.h"

namespace {

using namespace nuikaro;

// The desktop's way to show why the game cannot start: on stderr and, when there is a display to
// show it on, in an error box.
void ShowStartupError(const std::string& message, bool displayOpen) {
  std::fprintf(stderr, "%s\n", message.c_str());
  if (displayOpen) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, TitleText, message.c_str(), nullptr);
  }
}

// SDL falls back to drivers that draw nowhere when no desktop is reachable; the game would then
// run invisibly for ever. Only a driver asked for on purpose is taken as it is.
bool IsInvisibleDriver(const char* driver) {
  return driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
         std::strcmp(driver, "dummy") == 0;
}

// The desktop's start: the display checked, SDL started on it, the game window made.
class DesktopSession : public SdlSession {
 public:
  // Checks the display and starts SDL's video on it. Throws StartupError.
  void OpenDisplay() {
    PrepareDesktop();
    const bool driverOnPurpose = IsSet("SDL_VIDEODRIVER");
    if (std::string reason = MissingDisplayReason(); !reason.empty()) {
      throw StartupError(std::move(reason));
    }
    if (std::string reason = RefusedDisplayReason(); !reason.empty()) {
      throw StartupError(std::move(reason));
    }
    // Otherwise SDL backs the window surface with OpenGL on X11: ten times the memory and CPU.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
      throw StartupError(driverOnPurpose ? std::string("cannot open the display: ") + SDL_GetError()
                                         : UnreachableDisplayReason());
    }
    started_ = true;
    if (!driverOnPurpose && IsInvisibleDriver(SDL_GetCurrentVideoDriver())) {
      throw StartupError(UnreachableDisplayReason());
    }
    displayOpen_ = true;
    // Pads steer as a second keyboard (shell/Gamepads.h); without them the game runs as before.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  }

  // Makes the game window, still hidden, at the desktop's start scale. Throws StartupError.
  SDL_Window* MakeWindow() {
    window_ = SDL_CreateWindow(TitleText, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               ScreenWidth, ScreenHeight,
                               SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window_ == nullptr) {
      throw StartupError(std::string("cannot make the game window: ") + SDL_GetError());
    }
    // Smaller than the frame would cut it off; larger shows it scaled.
    SDL_SetWindowMinimumSize(window_, ScreenWidth, ScreenHeight);
    // On a high-density desktop the window opens at its whole factor, the frame scaled crisply.
    const int32_t scale = DesktopStartScale(window_);
    if (scale > 1) {
      SDL_SetWindowSize(window_, ScreenWidth * scale, ScreenHeight * scale);
      SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    // The game reads keys, never text: without this every key press also goes through the input
    // method, and the pointer wakes the loop for nothing.
    SDL_StopTextInput();
    SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
    DressWindow(window_);
    return window_;
  }

  // A box can be shown: SDL has a display that is seen.
  bool DisplayOpen() const { return displayOpen_; }

 private:
  bool displayOpen_ = false;
};

}  // namespace

int nuikaro::RunDesktop() {
  DesktopSession session;
  try {
    session.OpenDisplay();
    return RunGame(session.MakeWindow());
  } catch (const StartupError& error) {
    ShowStartupError(StartupErrorMessage(error), session.DisplayOpen());
    return EXIT_FAILURE;
  } catch (const std::exception& error) {
    // Anything else that stops the game (memory, say) is told the same way, never as an abort.
    ShowStartupError(StartupErrorMessage(StartupError(error.what())), session.DisplayOpen());
    return EXIT_FAILURE;
  }
}
