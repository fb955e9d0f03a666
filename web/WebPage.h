// The game in a web page: what passes between the page (web/index.html) and the shell.
//
// The page hands over every key itself (NuikaroPageKey), so that only the game's own keys are kept
// from the browser, and reports a click on the game-over box's OK button (NuikaroBoxOk). Both
// arrive as SDL events in the game's one queue and wake the loop's wait. The shell tells the page
// when the game is shown, has ended or cannot start, and when the box opens and closes, through
// the functions of Module.nuikaroPage.
#pragma once

#include <SDL_stdinc.h>

namespace nuikaro {

// The mouse ID of the button events that stand for a click on the page's OK button; SDL's own
// mouse (0) and touch (SDL_TOUCH_MOUSEID) events on the board never close the box.
inline constexpr Uint32 PageOkButtonMouse = 0x4F4B;

// Ends the event loop's wait soon after the page has queued an event: once the page's own event
// handler has returned, never inside it.
void WakeFromPage();

}  // namespace nuikaro
