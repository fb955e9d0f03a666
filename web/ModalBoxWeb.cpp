// The web page: the game-over box is an element of the page (#gameover) over the board, since the
// page has one canvas for every SDL window. It takes the game window's keys while it is open, so
// none of them reaches the game, and closes as the desktop's box does: Enter, Space or Escape let
// go after being pressed, or the page's OK button.
#include <SDL.h>
#include <emscripten.h>

#include <string>

#include "shell/ModalBox.h"
#include "web/WebPage.h"

namespace {

// The window the open box stands for; 0 while no box is open.
Uint32 openBoxWindow = 0;

}  // namespace

EM_JS(void, nuikaro_show_box, (const char* text),
      { Module['nuikaroPage'].showBox(UTF8ToString(text)); });

EM_JS(void, nuikaro_hide_box, (), { Module['nuikaroPage'].hideBox(); });

// The page's OK button was clicked (or tapped).
extern "C" EMSCRIPTEN_KEEPALIVE void NuikaroBoxOk() {
  if (openBoxWindow == 0) {
    return;
  }
  SDL_Event event{};
  event.button.windowID = openBoxWindow;
  event.button.which = nuikaro::PageOkButtonMouse;
  event.button.button = SDL_BUTTON_LEFT;
  event.button.clicks = 1;
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.state = SDL_PRESSED;
  SDL_PushEvent(&event);
  event.type = SDL_MOUSEBUTTONUP;
  event.button.state = SDL_RELEASED;
  SDL_PushEvent(&event);
  nuikaro::WakeFromPage();
}

namespace nuikaro {

ModalBox::ModalBox(SDL_Window* owner, const char*, std::string_view text, FontCache&) {
  // The box stands for the game window in the loop: the window's events come to the box.
  window_ = owner;
  windowId_ = SDL_GetWindowID(owner);
  openBoxWindow = windowId_;
  nuikaro_show_box(std::string(text).c_str());
}

ModalBox::~ModalBox() {
  openBoxWindow = 0;
  nuikaro_hide_box();
}

void ModalBox::HandleEvent(const SDL_Event& event) {
  // The board's own clicks and the window's events leave the box as it is: the canvas keeps its
  // picture.
  input_.Take(event,
              [](const SDL_MouseButtonEvent& button) { return button.which == PageOkButtonMouse; });
}

}  // namespace nuikaro
