// The ten items on the board: random placement and pick-up by the snake's head.
#include <cassert>
#include <cmath>
#include <limits>

#include "game/Game.h"

namespace nuikaro {

namespace {

// Draws 0 and 3 give kind 1, draws 1 and 4 kind 2, draw 2 kind 3: chances 2, 2 and 1 in 5.
constexpr std::array<int32_t, 5> KindOfDraw = {KindGrow3, KindGrow5, KindShrink3, KindGrow3,
                                               KindGrow5};

// floor(next number * range): an integer from 0 to range - 1 as long as the host keeps its
// promise of numbers below 1.
int DrawBelow(GameHost& host, int range) {
  const double number = host.rtcRandomNext();
  const int drawn = static_cast<int>(std::floor(number * range));
  assert(drawn >= 0 && drawn < range);
  return drawn;
}

// The score stops at the largest count it can hold instead of overflowing.
int32_t AddPoints(int32_t score, int32_t points) {
  constexpr int32_t Highest = std::numeric_limits<int32_t>::max();
  return score > Highest - points ? Highest : score + points;
}

}  // namespace

void SpawnItem(Game& game, GameHost& host, int16_t slot) {
  assert(slot >= 0 && slot < ItemSlotCount);
  // Reseeded before every spawn; the source goes on with its sequence, so the ten spawns of one
  // renewal still differ.
  host.rtcRandomize();
  Item& item = game.Items[slot];
  item.Kind = KindOfDraw[DrawBelow(host, static_cast<int>(KindOfDraw.size()))];
  item.X = static_cast<int16_t>(DrawBelow(host, BoardSize));
  item.Y = static_cast<int16_t>(DrawBelow(host, BoardSize));
}

void SpawnAllItems(Game& game, GameHost& host) {
  for (int16_t slot = 0; slot < BoardItemCount; ++slot) {
    SpawnItem(game, host, slot);
  }
}

void CheckPickups(Game& game, GameHost& host) {
  // Growth and shrinking never touch the head, so every item under it is taken in this one pass,
  // lowest slot first; a slot's replacement is not looked at again until the next move.
  for (int16_t slot = 0; slot < BoardItemCount; ++slot) {
    const Item& item = game.Items[slot];
    const Segment& head = game.Segments[0];
    if (item.X != head.X || item.Y != head.Y) {
      continue;
    }
    switch (item.Kind) {
      case KindGrow3:
        GrowSnake(game, host, 3);
        game.Score = AddPoints(game.Score, 3);
        break;
      case KindGrow5:
        GrowSnake(game, host, 5);
        game.Score = AddPoints(game.Score, 5);
        break;
      case KindShrink3:
        ShrinkSnake(game, host, 3);
        break;
      default:
        break;
    }
    SpawnItem(game, host, slot);
  }
  host.RenderFrame();
}

}  // namespace nuikaro
