// The program's start in a web page (web/index.html). The page has put the two bitmap files and
// the font into the virtual file system's root, the program's folder; the game runs in the page's
// canvas until Escape and tells the page how it goes (web/WebPage.h).
#include <SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "render/Panel.h"
#include "render/Renderer.h"
#include "shell/RunGame.h"
#include "shell/SdlSession.h"
#include "shell/StartupError.h"

EM_JS(void, nuikaro_tell_page_shown, (), { Module['nuikaroPage'].shown(); });
EM_JS(void, nuikaro_tell_page_ended, (), { Module['nuikaroPage'].ended(); });
EM_JS(void, nuikaro_tell_page_failed, (const char* message),
      { Module['nuikaroPage'].failed(UTF8ToString(message)); });

namespace {

using namespace nuikaro;

// The page's way to show why the game cannot start: on stderr and in the page's notice.
void ShowStartupError(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  nuikaro_tell_page_failed(message.c_str());
}

// The page's start: SDL started, the game window made in the canvas.
class PageSession : public SdlSession {
 public:
  // Starts SDL's video and makes the game window in the canvas, still hidden. Throws
  // StartupError.
  SDL_Window* MakeWindow() {
    // A present need not give the browser its thread: the loop's wait does, right after.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
      throw StartupError(std::string("cannot start SDL's video: ") + SDL_GetError());
    }
    started_ = true;
    // Neither resizable nor high-density: the canvas holds the frame 1:1, and the page scales it
    // by a whole factor of device pixels.
    window_ = SDL_CreateWindow(TitleText, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                               ScreenWidth, ScreenHeight, SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) {
      throw StartupError(std::string("cannot make the game window: ") + SDL_GetError());
    }
    // The page hands over the keys itself; SDL's own listeners would keep every key from the
    // browser, its shortcuts too.
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, 0, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, 0, nullptr);
    emscripten_set_keypress_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, 0, nullptr);
    SDL_StopTextInput();
    SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
    return window_;
  }
};

// The game in the page until it ends; the program's exit status.
int RunPage() {
  PageSession session;
  try {
    return RunGame(session.MakeWindow(), [] { nuikaro_tell_page_shown(); });
  } catch (const StartupError& error) {
    ShowStartupError(StartupErrorMessage(error));
    return EXIT_FAILURE;
  } catch (const std::exception& error) {
    // Anything else that stops the game (memory, say) is told the same way, never as an abort.
    ShowStartupError(StartupErrorMessage(StartupError(error.what())));
    return EXIT_FAILURE;
  }
}

}  // namespace

int main() {
  const int status = RunPage();
  // Told only once SDL has given the canvas back.
  if (status == EXIT_SUCCESS) {
    nuikaro_tell_page_ended();
  }
  return status;
}
