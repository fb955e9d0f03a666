// SDL's event queue waited on at the X11 display connection (EventSourceX11.cpp).
#pragma once

#include <functional>
#include <memory>

#include "shell/EventSource.h"

namespace nuikaro {

// SDL's event queue, waited on at connection (the display connection's file descriptor) instead
// of in SDL's own wait. alreadyRead, when given, tells whether events read from the connection
// still wait in the display's own queue; then the connection is not waited on. DesktopEventSource
// gives it for a window on X11.
std::unique_ptr<EventSource> ConnectionEventSource(int connection,
                                                   std::function<bool()> alreadyRead = {});

}  // namespace nuikaro
