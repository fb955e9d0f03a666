// Form1's start-up, keys and close, with the window and the host faked.
#include "shell/Form.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/FakeWindow.h"
#include "tools/Picture.h"

namespace nuikaro {
namespace {

class FormTest : public ::testing::Test {
 protected:
  FormTest() {
    directory_ = std::filesystem::temp_directory_path() /
                 ("nuikaro-form-test-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory_);
    form.Directory = directory_.string() + "/";
    window.Form = &form;
    window.Host.QueueTenItems(20, 20);  // the first game's items, out of the way
  }
  ~FormTest() override { std::filesystem::remove_all(directory_); }

  // A bitmap file of one colour in the form's folder.
  void WriteBmp(const std::string& name, int width, int height) {
    WriteFile((directory_ / name).string(),
              EncodeBmp24(Picture(width, height, Rgba{0xc0, 0x80, 0x40})));
  }
  void WriteBothBitmaps() {
    WriteBmp("BackTile.bmp", 16, 16);
    WriteBmp("Nuik_Items.bmp", 64, 48);
  }

  // A game in play without the files: head alone at (x, y), no items on the board.
  void StartPlayingAt(int16_t x, int16_t y) {
    SetSegmentState(game, 0, StateHead);
    game.Segments[0].X = x;
    game.Segments[0].Y = y;
    game.NextDir = DirDown;
    game.Running = BoolTrue;
  }

  int Frames() const { return static_cast<int>(window.Host.Frames.size()); }

  Game game;
  Renderer view{game};
  shelltest::FakeWindow window{game, view};
  Form1 form{game, view, window, window.Host, ""};

 private:
  std::filesystem::path directory_;
};

TEST_F(FormTest, LoadingTheFormLoadsBothSpritesBeforeTheTimerAndDrawsBeforeShowing) {
  WriteBothBitmaps();
  LoadForm(form);
  EXPECT_TRUE(window.SpritesLoadedAtSetTimer);
  // The timer, the ten items (each a reseed and three numbers), the first frame, the window.
  std::string tenItems;
  for (int item = 0; item < BoardItemCount; ++item) {
    tenItems += "RNNN";
  }
  EXPECT_EQ(window.Host.Events, "T" + tenItems + "FS");
  ASSERT_EQ(Frames(), 1);
  EXPECT_EQ(window.Host.Frames[0].Running, BoolFalse)
      << "Running is set only after the first frame";
  EXPECT_EQ(window.RunningAtShow, BoolTrue);
}

TEST_F(FormTest, TheFirstGameStartsWithTheHeadAloneOnTheTopLeftCellHeadingDown) {
  WriteBothBitmaps();
  LoadForm(form);
  const Segment& head = game.Segments[0];
  EXPECT_EQ(head.State, StateHead);
  EXPECT_EQ(head.X, 0);
  EXPECT_EQ(head.Y, 0);
  EXPECT_EQ(head.Dir, DirUp);
  EXPECT_EQ(SnakeLength(game), 1);
  EXPECT_EQ(game.NextDir, DirDown);
  EXPECT_EQ(game.StepMode, BoolFalse);
  EXPECT_EQ(game.Score, 0);
  for (int slot = 0; slot < BoardItemCount; ++slot) {
    EXPECT_NE(game.Items[slot].Kind, KindNone) << "slot " << slot;
  }
}

TEST_F(FormTest, AMissingBitmapStopsTheStartBeforeTheTimerOrTheWindow) {
  WriteBmp("Nuik_Items.bmp", 64, 48);
  try {
    LoadForm(form);
    FAIL() << "a missing BackTile.bmp must stop the start";
  } catch (const PictureError& error) {
    EXPECT_EQ(std::filesystem::path(error.File()).filename(), "BackTile.bmp");
  }
  std::filesystem::remove(std::filesystem::path(form.Directory) / "Nuik_Items.bmp");
  WriteBmp("BackTile.bmp", 16, 16);
  try {
    LoadForm(form);
    FAIL() << "a missing Nuik_Items.bmp must stop the start";
  } catch (const PictureError& error) {
    EXPECT_EQ(std::filesystem::path(error.File()).filename(), "Nuik_Items.bmp");
  }
  EXPECT_EQ(window.Host.Events, "");
  EXPECT_EQ(game.Running, BoolFalse);
}

TEST_F(FormTest, ShuttingDownFreesTheSpritesAndThenKillsTheTimer) {
  WriteBothBitmaps();
  LoadForm(form);
  window.Host.Events.clear();
  CloseForm(form);
  EXPECT_TRUE(window.SpritesFreedAtKillTimer);
  EXPECT_EQ(window.Host.Events, "K");
}

TEST_F(FormTest, EveryCloseRequestAfterTheFirstDoesNothing) {
  WriteBothBitmaps();
  LoadForm(form);
  CloseForm(form);
  CloseForm(form);
  Form_KeyDown(form, VirtualKey::Escape);
  EXPECT_EQ(window.Count('K'), 1);
  EXPECT_TRUE(form.Closed);
}

TEST_F(FormTest, EscapeClosesTheGameOnceWithoutMovingTheSnake) {
  WriteBothBitmaps();
  LoadForm(form);
  game.StepMode = BoolTrue;
  const Segment headBefore = game.Segments[0];
  const int framesBefore = Frames();
  Form_KeyDown(form, VirtualKey::Escape);
  EXPECT_EQ(window.Count('U'), 1);
  EXPECT_EQ(window.Count('K'), 1);
  EXPECT_TRUE(form.Closed);
  EXPECT_EQ(game.Segments[0].Y, headBefore.Y);
  EXPECT_EQ(Frames(), framesBefore);
}

TEST_F(FormTest, ArrowsInTimedPlayOnlyRecordTheDirection) {
  StartPlayingAt(5, 5);
  const std::vector<std::pair<int16_t, int16_t>> arrows = {{VirtualKey::Up, DirUp},
                                                           {VirtualKey::Right, DirRight},
                                                           {VirtualKey::Down, DirDown},
                                                           {VirtualKey::Left, DirLeft}};
  for (const auto& [key, dir] : arrows) {
    Form_KeyDown(form, key);
    EXPECT_EQ(game.NextDir, dir) << "key " << key;
  }
  EXPECT_EQ(game.Segments[0].X, 5);
  EXPECT_EQ(game.Segments[0].Y, 5);
  EXPECT_EQ(Frames(), 0);
}

TEST_F(FormTest, AnyOtherKeyClearsTheDirectionAndMovesNothing) {
  StartPlayingAt(5, 5);
  game.StepMode = BoolTrue;
  for (const int16_t key : {int16_t{16}, int16_t{32}, int16_t{0}, int16_t{65}}) {
    game.NextDir = DirRight;
    Form_KeyDown(form, key);
    EXPECT_EQ(game.NextDir, NoDirection) << "key " << key;
  }
  EXPECT_EQ(game.Segments[0].X, 5);
  EXPECT_EQ(game.Segments[0].Y, 5);
  EXPECT_EQ(game.StepMode, BoolTrue);
}

struct StepModeCase {
  const char* What;
  int16_t StepMode;  // before the keys
  int16_t NextDir;
  gametest::Cell Head;
  std::vector<int16_t> Keys;
  int16_t StepModeAfter;
  int16_t NextDirAfter;
  gametest::Cell HeadAfter;
  int Moves;  // each move is drawn once
};

// Step mode as the game holds it, true -1 and false 0, and what the keys do in it.
TEST_F(FormTest, EnterSwitchesStepModeAndInStepModeEachKeyWithADirectionMovesAtOnce) {
  using namespace VirtualKey;
  const std::vector<StepModeCase> cases = {
      {"Enter switching it on moves at once in the requested direction",
       BoolFalse,
       DirDown,
       {5, 5},
       {Return},
       BoolTrue,
       DirDown,
       {5, 6},
       1},
      {"Enter switching it on with no direction requested moves nothing",
       BoolFalse,
       NoDirection,
       {5, 5},
       {Return},
       BoolTrue,
       NoDirection,
       {5, 5},
       0},
      {"Enter switching it off moves nothing",
       BoolTrue,
       DirRight,
       {5, 5},
       {Return},
       BoolFalse,
       DirRight,
       {5, 5},
       0},
      {"Enter four times leaves it off",
       BoolFalse,
       NoDirection,
       {5, 5},
       {Return, Return, Return, Return},
       BoolFalse,
       NoDirection,
       {5, 5},
       0},
      {"each arrow moves one cell",
       BoolTrue,
       DirDown,
       {5, 5},
       {Right, Right, Down},
       BoolTrue,
       DirDown,
       {7, 6},
       3},
      {"an arrow into the wall only records the direction",
       BoolTrue,
       DirDown,
       {5, 0},
       {Up},
       BoolTrue,
       DirUp,
       {5, 0},
       0},
      {"Shift clears the direction, and the next arrow still moves",
       BoolTrue,
       DirDown,
       {5, 5},
       {16, Down},
       BoolTrue,
       DirDown,
       {5, 6},
       1},
  };
  for (const StepModeCase& row : cases) {
    SCOPED_TRACE(row.What);
    Game fresh;
    game = fresh;
    window.Host.Frames.clear();
    StartPlayingAt(row.Head.X, row.Head.Y);
    game.StepMode = row.StepMode;
    game.NextDir = row.NextDir;
    for (const int16_t key : row.Keys) {
      Form_KeyDown(form, key);
    }
    EXPECT_EQ(game.StepMode, row.StepModeAfter);
    EXPECT_EQ(game.NextDir, row.NextDirAfter);
    EXPECT_EQ(gametest::CellOf(game.Segments[0]), row.HeadAfter);
    EXPECT_EQ(Frames(), row.Moves);
  }
}

TEST_F(FormTest, NoKeyDoesAnythingWhileTheGameIsNotRunning) {
  StartPlayingAt(5, 5);
  game.Running = BoolFalse;
  game.StepMode = BoolTrue;
  for (const int16_t key : {VirtualKey::Up, VirtualKey::Right, VirtualKey::Down, VirtualKey::Left,
                            VirtualKey::Return, VirtualKey::Escape, int16_t{32}}) {
    Form_KeyDown(form, key);
  }
  EXPECT_EQ(game.NextDir, DirDown);
  EXPECT_EQ(game.StepMode, BoolTrue);
  EXPECT_EQ(game.Segments[0].X, 5);
  EXPECT_EQ(game.Segments[0].Y, 5);
  EXPECT_EQ(window.Host.Events, "");
  EXPECT_FALSE(form.Closed);
}

}  // namespace
}  // namespace nuikaro
