// What differs between the desktops the game runs on, defined once per system and picked by
// CMake: Linux in DesktopLinux.cpp and, for what needs the X11 window, the *X11.cpp files;
// Windows in DesktopWindows.cpp. main.cpp calls the first five in this order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "shell/EventSource.h"

struct SDL_Window;

namespace nuikaro {

// Before SDL starts: why no window can be shown here, or empty when one may be.
std::string MissingDisplayReason();

// Before SDL starts: the hints SDL must have from its start.
void PrepareDesktop();

// Before SDL starts, when X11 is the one driver SDL will try: why the X server there cannot be
// used, or empty when it can (or when SDL will choose for itself).
std::string RefusedDisplayReason();

// Once SDL has opened no display on a driver of its own choice: why, naming each display the
// environment gives.
std::string UnreachableDisplayReason();

// The whole factor the desktop asks windows to open at: 2 and up on a high-density screen. On
// X11: GDK_SCALE, else the Xft.dpi resource, no larger than fits the window's screen (see
// StartScale). 1 elsewhere: on Wayland the compositor's output scale reaches the window through
// SDL's high-density support instead, as a larger drawable at the same window size; Windows
// scales a program that does not declare itself aware of the screen's density by itself.
int32_t DesktopStartScale(SDL_Window* window);

// Once the window is made, before it is shown: its icon and what it takes of the input.
void DressWindow(SDL_Window* window);

// Where the game's event loop takes its events from; window is the game window.
std::unique_ptr<EventSource> DesktopEventSource(SDL_Window* window);

// Makes a hidden window a modal dialog in the eyes of the window manager. Only X11 needs it; on
// other desktops it does nothing.
void MarkAsModalDialog(SDL_Window* window);

}  // namespace nuikaro
