// A long random game: whatever the sequence of ticks and key presses, the tables stay sound. It
// lives with the shell's tests because the keys go through the real Form_KeyDown, with the window
// faked, and the game starts through the real Form_Load.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include "tests/support/FakeWindow.h"

namespace nuikaro {
namespace {

bool IsOnBoard(int x, int y) {
  return x >= 0 && x < BoardSize && y >= 0 && y < BoardSize;
}

// Describes the first broken rule, or returns an empty text.
std::string BrokenRule(const Game& game) {
  using std::to_string;
  const int length = SnakeLength(game);
  const Segment& head = game.Segments[0];
  if (length < 1 || head.State != StateHead) {
    return "record 0 is not the head";
  }
  if (length >= 2 && (game.Segments[1].X != head.X || game.Segments[1].Y != head.Y)) {
    return "record 1 is not on the head's cell";
  }
  for (int i = 0; i < SegmentCount; ++i) {
    const Segment& s = game.Segments[i];
    if (i >= length) {
      if (s.State != StateFree || s.X != 0 || s.Y != 0 || s.Dir != 0) {
        return "free record " + to_string(i) + " is not all zero (length " + to_string(length) +
               ")";
      }
    } else if (i > 0 && s.State != StateBody) {
      return "record " + to_string(i) + " of " + to_string(length) + " is not a body record";
    } else if (!IsOnBoard(s.X, s.Y) || s.Dir < DirUp || s.Dir > DirLeft) {
      return "record " + to_string(i) + " lies off the board or faces nowhere";
    }
  }
  for (int slot = 0; slot < BoardItemCount; ++slot) {
    const Item& item = game.Items[slot];
    if (item.Kind < KindGrow3 || item.Kind > KindShrink3 || !IsOnBoard(item.X, item.Y)) {
      return "slot " + to_string(slot) + " holds no item on the board";
    }
  }
  const Item& unused = game.Items[ItemSlotCount - 1];
  if (unused.Kind != KindNone || unused.X != 0 || unused.Y != 0) {
    return "slot 10 was written";
  }
  if (game.Running != BoolTrue || (game.StepMode != BoolTrue && game.StepMode != BoolFalse) ||
      game.TickCount < 0 || game.TickCount >= RenewalTicks || game.Score < 0) {
    return "flags out of range";
  }
  return {};
}

// A player who looks where he goes: among the directions that neither leave the board nor hit the
// body, usually the one towards the nearest item. Keeps the snake alive long enough to grow.
int16_t SteeringDirection(const Game& game, std::mt19937& random) {
  const int length = SnakeLength(game);
  const Segment& head = game.Segments[0];
  int nearest = 1 << 30;
  int towardsX = head.X;
  int towardsY = head.Y;
  for (int slot = 0; slot < BoardItemCount; ++slot) {
    const Item& item = game.Items[slot];
    const int distance = std::abs(item.X - head.X) + std::abs(item.Y - head.Y);
    if (distance > 0 && distance < nearest) {
      nearest = distance;
      towardsX = item.X;
      towardsY = item.Y;
    }
  }
  constexpr int StepX[] = {0, 1, 0, -1};
  constexpr int StepY[] = {-1, 0, 1, 0};
  int16_t safe[4];
  int safeCount = 0;
  int16_t best = NoDirection;
  int bestDistance = 1 << 30;
  for (int16_t dir = DirUp; dir <= DirLeft; ++dir) {
    const int x = head.X + StepX[dir];
    const int y = head.Y + StepY[dir];
    bool free = IsOnBoard(x, y);
    for (int i = 1; i < length && free; ++i) {
      free = game.Segments[i].X != x || game.Segments[i].Y != y;
    }
    if (!free) {
      continue;
    }
    safe[safeCount++] = dir;
    const int distance = std::abs(towardsX - x) + std::abs(towardsY - y);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = dir;
    }
  }
  if (safeCount == 0) {
    return static_cast<int16_t>(random() % 4);  // trapped: any way is the last
  }
  return random() % 10 < 8 ? best : safe[random() % safeCount];
}

// The key for a direction code.
int16_t ArrowKey(int16_t dir) {
  constexpr int16_t Arrows[] = {VirtualKey::Up, VirtualKey::Right, VirtualKey::Down,
                                VirtualKey::Left};
  return Arrows[dir];
}

TEST(Soak, TwoHundredThousandRandomTicksAndKeysKeepTheTablesSound) {
  std::mt19937 random(20240607);
  Game game;
  Renderer view(game);
  // Only the counts are kept; the numbers come from the test's own seeded generator, so a failure
  // can be replayed.
  shelltest::FakeWindow window(game, view);
  window.Host.Record = false;
  window.Host.MoreNumbers = [&random] { return static_cast<float>(random() >> 8) * 0x1p-24f; };
  Form1 form{game, view, window, window.Host, NUIKARO_ASSET_DIR};
  window.Form = &form;
  LoadForm(form);
  ASSERT_EQ(BrokenRule(game), "");

  // Every key but Escape, which would end the game.
  const int16_t anyKey[] = {VirtualKey::Up,   VirtualKey::Right, VirtualKey::Down,
                            VirtualKey::Left, VirtualKey::Other, int16_t{16} /* Shift */,
                            int16_t{32} /* Space */};
  int longest = 1;
  for (int operation = 0; operation < 200000; ++operation) {
    const unsigned choice = random() % 100;
    if (choice < 55) {
      TickProc(game, form.Host);
    } else if (choice < 95) {  // a careful direction
      Form_KeyDown(form, ArrowKey(SteeringDirection(game, random)));
    } else if (choice < 98) {
      Form_KeyDown(form, anyKey[random() % std::size(anyKey)]);
    } else {
      Form_KeyDown(form, VirtualKey::Return);
    }
    const std::string broken = BrokenRule(game);
    if (!broken.empty()) {
      FAIL() << broken << ", after operation " << operation;
    }
    longest = std::max<int>(longest, SnakeLength(game));
  }

  // The run must have gone through what it is meant to stress.
  EXPECT_FALSE(form.Closed);
  EXPECT_GT(window.Host.BoxesShown, 100);
  EXPECT_GT(window.Host.Reseeds, 10000);
  EXPECT_GT(longest, 50);
  std::cout << "[          ] " << window.Host.BoxesShown << " game overs, longest snake " << longest
            << "\n";
}

}  // namespace
}  // namespace nuikaro
