// The seam between the shell and each system the game runs on. A front end is one folder (linux/,
// windows/, web/) that defines what is declared here, adds those files to the shell's and the
// renderer's libraries (render/FontSource.h is its part of the text) and makes the program with
// its own main. The desktops' main calls RunDesktop, which calls the first six below in the order
// they are declared; the web page's main starts SDL itself and calls RunGame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "shell/EventSource.h"

struct SDL_Window;

namespace nuikaro {

// --- What a front end defines ---------------------------------------------------------------

// Before SDL starts: the hints SDL must have from its start.
void PrepareDesktop();

// Before SDL starts: why no window can be shown here, or empty when one may be.
std::string MissingDisplayReason();

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

// The game-over box (shell/ModalBox.h): a front end either adds the shell's window box
// (nuikaro_window_box, which calls MarkAsModalDialog) or defines ModalBox itself.

// Makes a hidden window a modal dialog in the eyes of the window manager. Only X11 needs it; on
// other desktops it does nothing.
void MarkAsModalDialog(SDL_Window* window);

// --- What the shell offers a front end ------------------------------------------------------

// The whole desktop program: checks the display, starts SDL, makes the window, runs the game in it
// and reports a failure to start. Returns the program's exit status.
int RunDesktop();

}  // namespace nuikaro
