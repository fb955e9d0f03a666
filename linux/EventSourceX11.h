// SDL's event queue waited on at the X11 display connection (EventSourceX11.cpp).
#pragma once

#include <memory>

#include "shell/EventSource.h"

namespace nuikaro {

// SDL's event queue, waited on at connection (the display connection's file descriptor) instead
// of in SDL's own wait. DesktopEventSource gives it for a window on X11.
std::unique_ptr<EventSource> ConnectionEventSource(int connection);

}  // namespace nuikaro
