// Linux: X11 or Wayland; the icon is built into the program as a BMP.
#include <SDL.h>
#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "linux/Icon.h"
#include "linux/KeyReleases.h"
#include "linux/X11Probe.h"
#include "nuikaro/Identity.h"
#include "shell/DisplayFailure.h"
#include "shell/Environment.h"
#include "shell/FrontEnd.h"

namespace nuikaro {

std::string MissingDisplayReason() {
  if (IsSet("SDL_VIDEODRIVER") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
    return "";
  }
  return "no display to open the game window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

namespace {

// The environment made to say what the process's locale is. SDL's X11 message box and its input
// method set the locale from the environment (setlocale(LC_ALL, "")) and would undo the game's
// own choice: the error box would then draw no text at all under LANG=C.
void ExportLocale() {
  if (!IsSet("LC_ALL")) {
    setenv("LC_CTYPE", std::setlocale(LC_CTYPE, nullptr), 1);
    return;
  }
  // LC_ALL would outweigh LC_CTYPE: every category is given its own variable instead.
  const std::pair<int, const char*> categories[] = {
      {LC_CTYPE, "LC_CTYPE"},
      {LC_NUMERIC, "LC_NUMERIC"},
      {LC_TIME, "LC_TIME"},
      {LC_COLLATE, "LC_COLLATE"},
      {LC_MONETARY, "LC_MONETARY"},
      {LC_MESSAGES, "LC_MESSAGES"},
      {LC_PAPER, "LC_PAPER"},
      {LC_NAME, "LC_NAME"},
      {LC_ADDRESS, "LC_ADDRESS"},
      {LC_TELEPHONE, "LC_TELEPHONE"},
      {LC_MEASUREMENT, "LC_MEASUREMENT"},
      {LC_IDENTIFICATION, "LC_IDENTIFICATION"},
  };
  for (const auto& [category, name] : categories) {
    setenv(name, std::setlocale(category, nullptr), 1);
  }
  unsetenv("LC_ALL");
}

}  // namespace

// SDL hands the caption and the error box's text to X11 in the locale's character type; without
// a UTF-8 one (LANG=C, for one) the older WM_NAME property comes out garbled and the box empty.
// With only DISPLAY set X11 is the one driver tried: SDL would otherwise go on to Wayland, whose
// library prints a line of its own when that fails.
void PrepareDesktop() {
  std::setlocale(LC_ALL, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0 &&
      std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr) {
    ExportLocale();
  }
  if (!IsSet("SDL_VIDEODRIVER") && IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  }
  // The window's X11 class (both parts) and Wayland app_id are the desktop entry's name, so that
  // docks and task bars match the window to its launcher and icon. SDL reads them at its start.
  setenv("SDL_VIDEO_X11_WMCLASS", AppId, 1);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", AppId, 1);
}

std::string RefusedDisplayReason() {
  const char* driver = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (IsSet("SDL_VIDEODRIVER") || driver == nullptr || std::strcmp(driver, "x11") != 0) {
    return "";
  }
  DisplayAttempt attempt;
  attempt.X11Display = std::getenv("DISPLAY");
  attempt.X11 = ProbeX11Display(attempt.X11Display, attempt.X11Reason);
  return attempt.X11 == X11Answer::Accepted ? "" : DisplayFailureReason(attempt);
}

std::string UnreachableDisplayReason() {
  DisplayAttempt attempt;
  attempt.SdlError = SDL_GetError();
  if (IsSet("DISPLAY")) {
    attempt.X11Display = std::getenv("DISPLAY");
    attempt.X11 = ProbeX11Display(attempt.X11Display, attempt.X11Reason);
  }
  if (IsSet("WAYLAND_DISPLAY")) {
    attempt.WaylandDisplay = std::getenv("WAYLAND_DISPLAY");
  }
  return DisplayFailureReason(attempt);
}

void DressWindow(SDL_Window* window) {
  SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromConstMem(IconBmp, static_cast<int>(IconBmpSize)), 1);
  if (icon != nullptr) {
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
  }
  DropKeyReleases(window);
}

}  // namespace nuikaro
