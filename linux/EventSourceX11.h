// The decisions of the X11 event source (EventSourceX11.cpp), apart from the calls that carry
// them out.
#pragma once

#include <signal.h>

#include <ctime>
#include <memory>
#include <optional>

#include "shell/EventSource.h"

namespace nuikaro {

// SDL's event queue, waited on at connection (the display connection's file descriptor) instead
// of in SDL's own wait. DesktopEventSource gives it for a window on X11.
std::unique_ptr<EventSource> ConnectionEventSource(int connection);

// Whether NextEvent, having found SDL's queue empty after a pump (or not: got), goes on to wait at
// the display connection: only when it has nothing yet and may wait at all (timeout not 0).
bool WaitsAtConnection(bool got, int timeoutMilliseconds);

// ppoll's limit for a wait of timeoutMilliseconds; nullopt (no limit) for -1 and any other
// negative value: for as long as it takes.
std::optional<timespec> PollLimit(int timeoutMilliseconds);

// The signals SDL turns into a quit event, held back while the source pumps and waits.
sigset_t CloseSignals();

}  // namespace nuikaro
