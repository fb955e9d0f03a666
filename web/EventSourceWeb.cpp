// The web page: SDL's queue, filled by the page, and a wait that gives the browser back its
// thread (an asyncify sleep) until the page queues an event or the next tick falls due. SDL's own
// wait would look at its queue every millisecond.
#include <SDL.h>
#include <emscripten.h>

#include <memory>

#include "shell/EventSource.h"
#include "shell/FrontEnd.h"
#include "shell/Gamepad.h"
#include "shell/KeyMap.h"
#include "web/WebPage.h"

namespace {

// The game window the page's keys belong to, whether or not SDL thinks the page has the focus.
Uint32 pageWindow = 0;

}  // namespace

// Sleeps until the timeout (-1: none) or until WakeFromPage. The browser runs meanwhile.
EM_JS(void, nuikaro_wait_for_page, (int milliseconds), {
  Asyncify.handleSleep(function(wakeUp) {
    var timer = 0;
    var done = function() {
      clearTimeout(timer);
      Module['nuikaroWake'] = null;
      wakeUp();
    };
    if (milliseconds >= 0) {
      timer = setTimeout(done, milliseconds);
    }
    Module['nuikaroWake'] = done;
  });
});

// Called from code the page called: the wait resumes once that code has returned to the page.
EM_JS(void, nuikaro_wake_from_page, (), {
  var wake = Module['nuikaroWake'];
  if (wake) {
    Module['nuikaroWake'] = null;
    Promise.resolve().then(wake);
  }
});

// A key pressed (pressed 1) or let go (0) on the page; key is the browser's name of it.
extern "C" EMSCRIPTEN_KEEPALIVE void NuikaroPageKey(const char* key, int pressed, int repeat) {
  SDL_Event event = nuikaro::PageKeyEvent(key, pressed, repeat, pageWindow);
  SDL_PushEvent(&event);
  nuikaro::WakeFromPage();
}

// A control of one of the page's pads changed: its standard-layout number, its new value
// (nuikaro::PagePadEvent). It reaches the loop as SDL's controller event, as a desktop pad's does.
extern "C" EMSCRIPTEN_KEEPALIVE void NuikaroPagePad(int pad, int isAxis, int index, double value) {
  SDL_Event event;
  if (nuikaro::PagePadEvent(pad, isAxis != 0, index, value, event)) {
    SDL_PushEvent(&event);
    nuikaro::WakeFromPage();
  }
}

namespace nuikaro {

void WakeFromPage() {
  nuikaro_wake_from_page();
}

namespace {

class PageEventSource final : public EventSource {
 public:
  TickSchedule::Clock::time_point Now() override { return TickSchedule::Clock::now(); }
  bool NextEvent(SDL_Event& event, int timeoutMilliseconds) override {
    if (SDL_PollEvent(&event) != 0) {
      return true;
    }
    if (timeoutMilliseconds == 0) {
      return false;
    }
    nuikaro_wait_for_page(timeoutMilliseconds);
    return SDL_PollEvent(&event) != 0;
  }
};

}  // namespace

std::unique_ptr<EventSource> DesktopEventSource(SDL_Window* window) {
  pageWindow = SDL_GetWindowID(window);
  return std::make_unique<PageEventSource>();
}

}  // namespace nuikaro
