// The program's start in a web page (web/index.html). The page has put the two bitmap files and
// the font into the virtual file system's root, the program's folder; the game runs in the page's
// canvas until Escape and tells the page how it goes (web/WebPage.h).
#include <SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "render/Panel.h"
#include "render/Renderer.h"
#include "shell/RunGame.h"

EM_JS(void, nuikaro_tell_page_shown, (), { Module['nuikaroPage'].shown(); });
EM_JS(void, nuikaro_tell_page_ended, (), { Module['nuikaroPage'].ended(); });
EM_JS(void, nuikaro_tell_page_failed, (const char* message),
      { Module['nuikaroPage'].failed(UTF8ToString(message)); });

namespace {

using namespace nuikaro;

// "ぬいかろ: <file>: <reason>", as the desktop words it, on stderr and on the page.
void ReportStartupError(const std::string& file, const std::string& reason) {
  std::string message = std::string(TitleText) + ": ";
  if (!file.empty()) {
    message += file + ": ";
  }
  message += reason;
  std::fprintf(stderr, "%s\n", message.c_str());
  nuikaro_tell_page_failed(message.c_str());
}

}  // namespace

int main() {
  // A present need not give the browser its thread: the loop's wait does, right after.
  SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    ReportStartupError("", std::string("cannot start SDL's video: ") + SDL_GetError());
    return EXIT_FAILURE;
  }
  // Neither resizable nor high-density: the canvas holds the frame 1:1, and the page scales it
  // by a whole factor of device pixels.
  SDL_Window* window = SDL_CreateWindow(TitleText, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                        ScreenWidth, ScreenHeight, SDL_WINDOW_HIDDEN);
  int status = EXIT_FAILURE;
  if (window == nullptr) {
    ReportStartupError("", std::string("cannot make the game window: ") + SDL_GetError());
  } else {
    // The page hands over the keys itself; SDL's own listeners would keep every key from the
    // browser, its shortcuts too.
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, 0, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, 0, nullptr);
    emscripten_set_keypress_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, 0, nullptr);
    SDL_StopTextInput();
    SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
    try {
      status = RunGame(window, ReportStartupError, [] { nuikaro_tell_page_shown(); });
    } catch (const std::exception& error) {
      ReportStartupError("", error.what());
    }
    SDL_DestroyWindow(window);
  }
  SDL_Quit();
  if (status == EXIT_SUCCESS) {
    nuikaro_tell_page_ended();
  }
  return status;
}
