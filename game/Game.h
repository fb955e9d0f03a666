// All state of one game of ぬいかろ, and the rules that work on it.
//
// The state is one plain struct of fixed-size tables and scalars; every field is zero when a Game
// is made, as at program start. The rules are free procedures that take the game first. What the
// rules need from outside (the redraw, the modal game-over box, the random source) comes through
// GameHost, which the shell implements and tests fake. Nothing here knows of a window or a file.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace nuikaro {

inline constexpr int BoardSize = 30;      // cells across and down; coordinates run 0 to 29
inline constexpr int CellPixels = 16;     // a cell covers 16 by 16 pixels of the board
inline constexpr int SegmentCount = 900;  // one record per board cell
inline constexpr int ItemSlotCount = 11;  // slots 0 to 9 lie on the board; slot 10 stays empty
inline constexpr int BoardItemCount = 10;
inline constexpr int RenewalTicks = 200;  // all items are renewed every 200 counted ticks

// Booleans are 16-bit: true is -1, false is 0 (Enter toggles step mode with a bitwise NOT).
inline constexpr int16_t True = -1;
inline constexpr int16_t False = 0;

// Direction codes; they double as the column of a snake picture in the sprite sheet.
inline constexpr int16_t DirUp = 0;
inline constexpr int16_t DirRight = 1;
inline constexpr int16_t DirDown = 2;
inline constexpr int16_t DirLeft = 3;
inline constexpr int16_t NoDirection = -1;  // NextDir only: no direction requested

// Segment states; they double as the row of a snake picture in the sprite sheet.
inline constexpr int32_t StateFree = 0;
inline constexpr int32_t StateHead = 1;
inline constexpr int32_t StateBody = 2;

// Item kinds; a kind doubles as the column of its picture in row 0 of the sprite sheet.
inline constexpr int32_t KindNone = 0;
inline constexpr int32_t KindGrow3 = 1;
inline constexpr int32_t KindGrow5 = 2;
inline constexpr int32_t KindShrink3 = 3;

inline constexpr std::string_view GameOverText = "GameOver!";

struct Segment {
  int32_t State;
  int16_t X;
  int16_t Y;
  int16_t Dir;
};

struct Item {
  int32_t Kind;
  int16_t X;
  int16_t Y;
};

struct Game {
  std::array<Segment, SegmentCount> Segments{};  // record 0 is the head
  std::array<Item, ItemSlotCount> Items{};
  int32_t Score = 0;
  int16_t Running = False;  // ticks and keys are handled only while true
  int16_t StepMode = False;
  int16_t NextDir = 0;    // direction requested by the last key, or NoDirection
  int32_t TickCount = 0;  // counted ticks towards the next renewal of all items
};

// What the rules need from the program around them. Calls come on the game's one thread.
class GameHost {
 public:
  // Draws the whole frame from the current state and shows it.
  virtual void RenderFrame() = 0;
  // Shows a modal box with the text and an OK button; returns once the player has closed it.
  virtual void rtcMsgBox(std::string_view text) = 0;
  // Reseeds the random source from the clock without restarting its sequence.
  virtual void rtcRandomize() = 0;
  // Returns the next random number, from 0 inclusive to 1 exclusive.
  virtual float rtcRandomNext() = 0;

 protected:
  ~GameHost() = default;
};

// Snake body table.
int16_t SnakeLength(const Game& game);
void SetSegmentState(Game& game, int16_t index, int32_t state);
int16_t FollowSegment(Game& game, int16_t index, int16_t x, int16_t y, int16_t dir);
void GrowSnake(Game& game, GameHost& host, int16_t count);
void ShrinkSnake(Game& game, GameHost& host, int16_t count);

// Tick and movement.
void TickProc(Game& game, GameHost& host);
void MoveSnake(Game& game, GameHost& host, int16_t dir);

// Items and pick-ups.
void SpawnItem(Game& game, GameHost& host, int16_t slot);
void SpawnAllItems(Game& game, GameHost& host);
void CheckPickups(Game& game, GameHost& host);

// Game over and restart.
void CheckSelfHit(Game& game, GameHost& host);
void RestartGame(Game& game, GameHost& host);

}  // namespace nuikaro
