// The one host for the rules without a window, for the game's tests, the shell's and the
// benchmarks: it counts redraws, boxes and reseeds, and (unless told to keep only the counts)
// snapshots every redraw and logs every call; it hands out scripted random numbers. Needs no test
// framework: a misuse throws, which fails the test it happens in.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/Game.h"

namespace nuikaro {

// Whole-record comparison and printing, so that test failures show the fields.
inline bool operator==(const Segment& a, const Segment& b) {
  return a.State == b.State && a.X == b.X && a.Y == b.Y && a.Dir == b.Dir;
}
inline bool operator==(const Item& a, const Item& b) {
  return a.Kind == b.Kind && a.X == b.X && a.Y == b.Y;
}
inline void PrintTo(const Segment& s, std::ostream* out) {
  *out << "{State " << s.State << ", (" << s.X << ", " << s.Y << "), Dir " << s.Dir << "}";
}
inline void PrintTo(const Item& i, std::ostream* out) {
  *out << "{Kind " << i.Kind << ", (" << i.X << ", " << i.Y << ")}";
}

}  // namespace nuikaro

namespace nuikaro::gametest {

struct Cell {
  int16_t X;
  int16_t Y;
  auto operator<=>(const Cell&) const = default;  // and ==; ordered, for sets of cells
  friend void PrintTo(const Cell& c, std::ostream* out) {
    *out << "(" << c.X << ", " << c.Y << ")";
  }
};

// What the player would have seen in one redraw.
struct Frame {
  int32_t Score;
  int16_t Length;
  int16_t Running;
  int32_t TickCount;
  Segment Head;
  std::array<Item, ItemSlotCount> Items;
};

class FakeHost final : public GameHost {
 public:
  explicit FakeHost(Game& game) : game_(game) {}

  void RenderFrame() override {
    ++FramesDrawn;
    if (Record) {
      Events += 'F';
      Frames.push_back({game_.Score, SnakeLength(game_), game_.Running, game_.TickCount,
                        game_.Segments[0], game_.Items});
    }
    if (OnFrame) {
      OnFrame();
    }
  }
  void rtcMsgBox(std::string_view text) override {
    ++BoxesShown;
    if (Record) {
      Events += 'B';
      Boxes.emplace_back(text);
    }
    if (OnBox) {
      OnBox();
    }
  }
  void rtcRandomize() override {
    ++Reseeds;
    if (Record) {
      Events += 'R';
    }
  }
  float rtcRandomNext() override {
    if (Record) {
      Events += 'N';
    }
    if (Numbers.empty()) {
      if (!MoreNumbers) {
        throw std::logic_error("the rules drew more random numbers than the test scripted");
      }
      return MoreNumbers();
    }
    const float number = Numbers.front();
    Numbers.pop_front();
    return number;
  }

  // Scripts the three numbers of one spawn: the kind draw (0 to 4) and the cell.
  void QueueItem(int kindDraw, int x, int y) {
    Numbers.push_back((static_cast<float>(kindDraw) + 0.5f) / 5.0f);
    Numbers.push_back((static_cast<float>(x) + 0.5f) / 30.0f);
    Numbers.push_back((static_cast<float>(y) + 0.5f) / 30.0f);
  }
  // Scripts a whole renewal with all ten items of kind 1 on one cell.
  void QueueTenItems(int x, int y) {
    for (int slot = 0; slot < BoardItemCount; ++slot) {
      QueueItem(0, x, y);
    }
  }

  bool Record = true;  // false keeps only the counts, for long runs and benchmarks
  long FramesDrawn = 0;
  long BoxesShown = 0;
  long Reseeds = 0;
  std::string Events;  // F redraw, B box, R reseed, N number drawn; in the order they came
  std::vector<Frame> Frames;
  std::vector<std::string> Boxes;
  std::deque<float> Numbers;           // the scripted numbers, used first
  std::function<float()> MoreNumbers;  // where numbers come from once the script is used up
  std::function<void()> OnFrame;       // runs in every redraw, after the snapshot
  std::function<void()> OnBox;         // runs inside the box, as the box's own loop would

 private:
  Game& game_;
};

// Lays a snake on the given cells, head first, every record facing dir; every other record is
// made free, so a snake laid over a longer one leaves nothing of it behind.
inline void LaySnake(Game& game, std::initializer_list<Cell> cells, int16_t dir) {
  for (Segment& segment : game.Segments) {
    segment = Segment{};
  }
  int16_t index = 0;
  for (const Cell& cell : cells) {
    game.Segments[index] = {index == 0 ? StateHead : StateBody, cell.X, cell.Y, dir};
    ++index;
  }
}

// Lays a snake of the given length over distinct cells row by row; record 1 on the head's cell.
inline void LaySnakeOfLength(Game& game, int length) {
  for (int i = 0; i < length; ++i) {
    const int cell = i == 0 ? 0 : i - 1;
    game.Segments[i] = {i == 0 ? StateHead : StateBody, static_cast<int16_t>(cell % BoardSize),
                        static_cast<int16_t>(cell / BoardSize), static_cast<int16_t>(i % 4)};
  }
}

// Puts all ten items on one cell, out of the way of the test.
inline void PutItemsOn(Game& game, int x, int y, int32_t kind = KindGrow3) {
  for (int slot = 0; slot < BoardItemCount; ++slot) {
    game.Items[slot] = {kind, static_cast<int16_t>(x), static_cast<int16_t>(y)};
  }
}

inline Cell CellOf(const Segment& segment) {
  return {segment.X, segment.Y};
}
inline Cell CellOf(const Item& item) {
  return {item.X, item.Y};
}

inline bool IsFreeAndZero(const Segment& segment) {
  return segment == Segment{};
}

}  // namespace nuikaro::gametest
