#include "shell/DisplayFailure.h"

namespace nuikaro {

std::string DisplayFailureReason(const DisplayAttempt& attempt) {
  std::string reason;
  if (!attempt.X11Display.empty()) {
    reason = "cannot open the display \"" + attempt.X11Display + "\": ";
    switch (attempt.X11) {
      case X11Answer::Refused:
        reason += "the X server there refused the connection";
        if (!attempt.X11Reason.empty()) {
          reason += ": " + attempt.X11Reason;
        }
        break;
      case X11Answer::NoServer:
        reason += "no X server answers there";
        break;
      case X11Answer::NotAsked:
      case X11Answer::Accepted:
        reason += attempt.SdlError.empty() ? "the X server there took no window" : attempt.SdlError;
        break;
    }
  }
  if (!attempt.WaylandDisplay.empty()) {
    reason += reason.empty() ? "cannot open" : ", nor";
    reason +=
        " the Wayland display \"" + attempt.WaylandDisplay + "\": no compositor answers there";
  }
  if (reason.empty()) {
    reason = "cannot open the display: " + attempt.SdlError;
  }
  return reason;
}

}  // namespace nuikaro
