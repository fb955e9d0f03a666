// The game window Form1 and its event procedures: start-up, keys, close.
//
// Nothing here knows SDL. Everything from outside comes through two objects: the WindowPlatform
// (the window, the timer and the close request) and the rules' GameHost (the redraw, the
// game-over box and the random source). The shell's SDL code implements both; the tests fake them.
#pragma once

#include <cstdint>
#include <string>

#include "game/Game.h"
#include "render/Renderer.h"

namespace nuikaro {

// Virtual-key codes of the six keys the game knows; Other stands for every other key.
namespace VirtualKey {
inline constexpr int16_t Other = 0;
inline constexpr int16_t Return = 13;
inline constexpr int16_t Escape = 27;
inline constexpr int16_t Left = 37;
inline constexpr int16_t Up = 38;
inline constexpr int16_t Right = 39;
inline constexpr int16_t Down = 40;
}  // namespace VirtualKey

inline constexpr int TimerPeriodMilliseconds = 100;

// What Form1 needs from the window system, beyond what the rules need of their host. All calls
// come on the game's one thread.
class WindowPlatform {
 public:
  // Starts the game timer: TickProc every 100 ms from the event loop until KillTimer.
  virtual void SetTimer() = 0;
  virtual void KillTimer() = 0;
  // Shows the window; called once, after Form_Load has drawn the first frame.
  virtual void Show() = 0;
  // Asks the window to close from code. Form_QueryUnload has run (through CloseForm) when it
  // returns, and the event loop ends.
  virtual void Unload() = 0;

 protected:
  ~WindowPlatform() = default;
};

// The game window: the game it runs, its drawing, and the window system it lives in.
struct Form1 {
  nuikaro::Game& Game;
  Renderer& View;
  WindowPlatform& Platform;
  GameHost& Host;         // the rules' host, given to every rule the form calls
  std::string Directory;  // where the two bitmap files lie; ends in '/'
  bool Closed = false;    // set by CloseForm, so a second close request does nothing
};

// The program's start: Form_Load, then the window is shown with the first frame in it. Throws
// PictureError when a bitmap file is missing or bad; the window is then never shown.
void LoadForm(Form1& form);

// Called once when the window loads, before it is shown. The platform makes the client area
// 640 by 480 when it creates the window, so only InitGame is left to do.
void Form_Load(Form1& form);
// Loads both sprites, starts the timer, sets up the first game, draws it, and sets Running last.
void InitGame(Form1& form);

// A key-down event (each auto-repeat too) with the key's virtual-key code; modifiers are ignored.
void Form_KeyDown(Form1& form, int16_t keyCode);

// Every close request (close box, desktop log-out, signals, Escape) lands here; the first one
// runs Form_QueryUnload, later ones do nothing. A close is never refused.
void CloseForm(Form1& form);
void Form_QueryUnload(Form1& form);
// Frees both sprites and the fonts, then kills the timer.
void ShutdownGame(Form1& form);

}  // namespace nuikaro
