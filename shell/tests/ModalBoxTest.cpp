// Where the game-over box's window goes; what it shows and which keys close it are tested through
// the event loop (EventLoopTest.cpp), which runs it.
#include "shell/ModalBox.h"

#include <gtest/gtest.h>

#include "shell/Rect.h"

namespace nuikaro {
namespace {

TEST(BoxPlacement, TheBoxIsCentredOverItsOwnerWindow) {
  struct Row {
    Rect owner, box;
  };
  for (const Row& row : {
           Row{{0, 0, 640, 480}, {200, 180, 240, 120}},
           Row{{100, 50, 640, 480}, {300, 230, 240, 120}},
           Row{{-30, -20, 1280, 960}, {490, 400, 240, 120}},
           Row{{10, 20, 641, 481}, {210, 200, 240, 120}},
           Row{{10, 20, 643, 483}, {211, 201, 240, 120}},
           Row{{5, 5, 100, 60}, {-65, -25, 240, 120}},  // an owner smaller than the box
       }) {
    EXPECT_EQ(BoxPlacement(row.owner), row.box)
        << row.owner.X << "," << row.owner.Y << " " << row.owner.Width << "x" << row.owner.Height;
  }
}

}  // namespace
}  // namespace nuikaro
