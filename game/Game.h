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
inline constexpr int16_t BoolTrue = -1;
inline constexpr int16_t BoolFalse = 0;

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
  int16_t Running = BoolFalse;  // ticks and keys are handled only while true
  int16_t StepMode = BoolFalse;
  int16_t NextDir = 0;    // direction requested by the last key, or NoDirection
  int32_t TickCount = 0;  // counted ticks towards the next renewal of all items
};

// What the rules need from the program around them. Calls come on the game's one thread.
class GameHost {
 public:
  // Draws the whole frame from the current state and shows it; draws nothing once the program
  // has been closed during the box (see rtcMsgBox).
  virtual void RenderFrame() = 0;
  // Shows a modal box with the text and an OK button; returns once the player has closed it, or
  // as soon as the program is closed while it is open. From such a close on the host draws
  // nothing: the rules run on to the end of the move (the restart too), unseen.
  virtual void rtcMsgBox(std::string_view text) = 0;
  // Reseeds the random source from the clock without restarting its sequence.
  virtual void rtcRandomize() = 0;
  // Returns the next random number, from 0 inclusive to 1 exclusive.
  virtual float rtcRandomNext() = 0;

 protected:
  ~GameHost() = default;
};

// The rules. Each comment says who calls the procedure, how many frames it draws through
// host.RenderFrame, whether it can wait in the game-over box (and restart the game before it
// returns), and what it leaves in the tables. No procedure allocates or fails on the values the
// game produces; all run on the game's one thread.

// Snake body table: record 0 is the head, records 1 to length - 1 the body, all later records
// free and all zero.

// The snake's length: the index of the first free record, 900 when all are live. Reads only.
// Called by MoveSnake, GrowSnake and ShrinkSnake.
int16_t SnakeLength(const Game& game);
// Sets State of one record and nothing else. Called by InitGame and RestartGame, with (0, head).
void SetSegmentState(Game& game, int16_t index, int32_t state);
// A live record takes the cell and Dir given and gives True; a free one is left alone (False).
// Called by MoveSnake, tail first. Draws nothing.
int16_t FollowSegment(Game& game, int16_t index, int16_t x, int16_t y, int16_t dir);
// Adds count body records at the tail (count + 1 to a lone head), all stacked on one cell, never
// past record 899; record 0 is not touched. Then draws exactly one frame, also when nothing
// changed. Called by CheckPickups with 3 and 5.
void GrowSnake(Game& game, GameHost& host, int16_t count);
// Frees up to count records from the tail, all fields zero, never record 0. Then draws exactly
// one frame. Called by CheckPickups with 3 and by RestartGame with 899.
void ShrinkSnake(Game& game, GameHost& host, int16_t count);

// Tick and movement.

// Called by the shell's timer every 100 ms. Does nothing while Running is false. Counts the tick;
// at the 200th renews all items and draws one frame. Unless in step mode it then calls MoveSnake
// with NextDir (the head's Dir when none is requested), so it too may wait in the box.
void TickProc(Game& game, GameHost& host);
// How many of the coming ticks would do nothing but count: in step mode, those before the tick
// that renews the items; none otherwise. The shell may sleep through them and deliver them late,
// in order, before the next key.
int QuietTicks(const Game& game);
// One step of the head in dir (0 to 3). A step off the board changes nothing and draws nothing.
// Otherwise the head moves first, CheckSelfHit may wait in the box and restart the game, the body
// follows (record 1 lands on the head's cell) and CheckPickups ends with a frame: one frame for a
// plain move, one more per item taken, two more for a restart. Called by TickProc and, in step
// mode, by Form_KeyDown.
void MoveSnake(Game& game, GameHost& host, int16_t dir);

// Items and pick-ups.

// Reseeds the random source and gives one slot a random kind (1 to 3) and cell, three numbers
// drawn. Draws nothing. Called by SpawnAllItems and CheckPickups.
void SpawnItem(Game& game, GameHost& host, int16_t slot);
// SpawnItem for slots 0 to 9 in order; slot 10 stays empty. Draws nothing. Called by InitGame, by
// TickProc on every 200th tick and by RestartGame.
void SpawnAllItems(Game& game, GameHost& host);
// Applies every item on the head's cell, lowest slot first (growth and shrinking draw a frame
// each), raises Score and replaces each item taken; then draws one frame, also when nothing was
// taken. The head is not moved. Called by MoveSnake as the last step of every accepted move.
void CheckPickups(Game& game, GameHost& host);

// Game over and restart.

// Compares the head with every body record. On a hit clears Running, waits in the host's modal
// box until the player closes it, and restarts the game: one box per move, however many records
// the head meets. Always returns to its caller, MoveSnake, which calls it after moving the head
// and before the body follows.
void CheckSelfHit(Game& game, GameHost& host);
// Leaves the head alone on its cell with its Dir, ten new items and Score 0, drawing two frames
// (ShrinkSnake's and its own); sets Running last. NextDir, StepMode and TickCount carry over.
// Called only by CheckSelfHit.
void RestartGame(Game& game, GameHost& host);

}  // namespace nuikaro
