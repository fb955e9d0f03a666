// What differs between the desktops the game runs on: one definition file per system (Linux,
// Windows), which CMake picks. main.cpp calls these in this order.
#pragma once

#include <string>

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

// Once the window is made, before it is shown: its icon and what it takes of the input.
void DressWindow(SDL_Window* window);

}  // namespace nuikaro
