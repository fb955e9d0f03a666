// The words for a display the game could not open, chosen from what was found out about it.
#pragma once

#include <string>

namespace nuikaro {

// How the X server that DISPLAY names took a connection.
enum class X11Answer {
  NotAsked,  // DISPLAY unset, or the server was not tried
  Accepted,
  NoServer,  // nothing answers there
  Refused,   // a server answers and turns the game away
};

// What is known when no display could be opened.
struct DisplayAttempt {
  std::string X11Display;  // DISPLAY; empty when unset
  X11Answer X11 = X11Answer::NotAsked;
  std::string X11Reason;       // the server's own words for a refusal, as Xlib passes them on
  std::string WaylandDisplay;  // WAYLAND_DISPLAY; empty when unset
  std::string SdlError;        // SDL's reason, for when nothing better is known
};

// "cannot open the display ...", naming each display and why it could not be used.
std::string DisplayFailureReason(const DisplayAttempt& attempt);

}  // namespace nuikaro
