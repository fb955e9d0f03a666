// The desktop program's start: make the window Form1, load it, run its message loop.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "render/Panel.h"
#include "render/Renderer.h"
#include "shell/Environment.h"
#include "shell/FrontEnd.h"
#include "shell/RunGame.h"

namespace {

using namespace nuikaro;

// A reason the game cannot start; File is empty when no file is to blame.
struct StartupError {
  std::string File;
  std::string Reason;
};

// Prints "ぬいかろ: <file>: <reason>" and, when there is a display to show it on, the same in an
// error box.
void ReportStartupError(const StartupError& error, bool displayOpen) {
  std::string message = std::string(TitleText) + ": ";
  if (!error.File.empty()) {
    message += error.File + ": ";
  }
  message += error.Reason;
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

}  // namespace

int nuikaro::RunDesktop() {
  PrepareDesktop();
  const bool driverOnPurpose = IsSet("SDL_VIDEODRIVER");
  if (const std::string reason = MissingDisplayReason(); !reason.empty()) {
    ReportStartupError({"", reason}, false);
    return EXIT_FAILURE;
  }
  if (const std::string reason = RefusedDisplayReason(); !reason.empty()) {
    ReportStartupError({"", reason}, false);
    return EXIT_FAILURE;
  }
  // Otherwise SDL backs the window surface with OpenGL on X11: ten times the memory and CPU.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    ReportStartupError(driverOnPurpose ? StartupError{"", std::string("cannot open the display: ") +
                                                              SDL_GetError()}
                                       : StartupError{"", UnreachableDisplayReason()},
                       false);
    return EXIT_FAILURE;
  }
  if (!driverOnPurpose && IsInvisibleDriver(SDL_GetCurrentVideoDriver())) {
    ReportStartupError({"", UnreachableDisplayReason()}, false);
    SDL_Quit();
    return EXIT_FAILURE;
  }
  // Pads steer as a second keyboard (shell/Gamepads.h); without them the game runs as before.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  int status = EXIT_FAILURE;
  SDL_Window* window = SDL_CreateWindow(
      TitleText, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, ScreenWidth, ScreenHeight,
      SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (window == nullptr) {
    ReportStartupError({"", std::string("cannot make the game window: ") + SDL_GetError()}, true);
  } else {
    // Smaller than the frame would cut it off; larger shows it scaled.
    SDL_SetWindowMinimumSize(window, ScreenWidth, ScreenHeight);
    // On a high-density desktop the window opens at its whole factor, the frame scaled crisply.
    const int32_t scale = DesktopStartScale(window);
    if (scale > 1) {
      SDL_SetWindowSize(window, ScreenWidth * scale, ScreenHeight * scale);
      SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    // The game reads keys, never text: without this every key press also goes through the input
    // method, and the pointer wakes the loop for nothing.
    SDL_StopTextInput();
    SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
    DressWindow(window);
    try {
      status = RunGame(window, [](const std::string& file, const std::string& reason) {
        ReportStartupError({file, reason}, true);
      });
    } catch (const std::exception& error) {
      ReportStartupError({"", error.what()}, true);
    }
    SDL_DestroyWindow(window);
  }
  SDL_Quit();
  return status;
}
