// A trial connection to an X server, to tell a server that refuses the game from no server.
#pragma once

#include <string>

#include "shell/DisplayFailure.h"

namespace nuikaro {

// Opens and closes a connection to display. A refusal's reason, which Xlib only writes to
// stderr, is caught and returned in reason instead.
X11Answer ProbeX11Display(const std::string& display, std::string& reason);

}  // namespace nuikaro
