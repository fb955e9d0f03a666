// Form1's start-up, keys and close, with the window and the host faked.
#include "shell/Form.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "game/tests/FakeHost.h"
#include "shell/ProgramDirectory.h"
#include "tools/Picture.h"

namespace nuikaro {
namespace {

// Plays the window system; the rules' half of it is the shared fake host, and the window's own
// calls go into the same log of events (T SetTimer, K KillTimer, S Show, U Unload), so the tests
// can read the order of start-up and shut-down.
class FakeWindow final : public WindowPlatform {
 public:
  FakeWindow(Game& game, Renderer& view) : Host(game), game_(game), view_(view) {}

  void SetTimer() override {
    Host.Events += 'T';
    SpritesLoadedAtSetTimer = view_.BackSprite.Width > 0 && view_.ItemSprite.Width > 0;
  }
  void KillTimer() override {
    Host.Events += 'K';
    SpritesFreedAtKillTimer = view_.BackSprite.Width == 0 && view_.ItemSprite.Width == 0;
  }
  void Show() override {
    Host.Events += 'S';
    RunningAtShow = game_.Running;
  }
  void Unload() override {
    Host.Events += 'U';
    CloseForm(*Form);
  }
  void RenderFrame() override { Host.RenderFrame(); }
  void rtcMsgBox(std::string_view text) override { Host.rtcMsgBox(text); }
  void rtcRandomize() override { Host.rtcRandomize(); }
  float rtcRandomNext() override { return Host.rtcRandomNext(); }

  int Count(char event) const {
    return static_cast<int>(std::count(Host.Events.begin(), Host.Events.end(), event));
  }

  gametest::FakeHost Host;
  Form1* Form = nullptr;
  bool SpritesLoadedAtSetTimer = false;
  bool SpritesFreedAtKillTimer = false;
  int16_t RunningAtShow = BoolFalse;

 private:
  Game& game_;
  Renderer& view_;
};

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
  FakeWindow window{game, view};
  Form1 form{game, view, window, ""};

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

TEST_F(FormTest, EnterSwitchingStepModeOnMovesAtOnceWhenADirectionIsRequested) {
  StartPlayingAt(5, 5);
  Form_KeyDown(form, VirtualKey::Return);
  EXPECT_EQ(game.StepMode, BoolTrue);
  EXPECT_EQ(game.Segments[0].Y, 6) << "NextDir 2 moves the head one cell down";
  EXPECT_EQ(game.Segments[0].X, 5);
}

TEST_F(FormTest, EnterSwitchingStepModeOnWithNoDirectionMovesNothing) {
  StartPlayingAt(5, 5);
  game.NextDir = NoDirection;
  Form_KeyDown(form, VirtualKey::Return);
  EXPECT_EQ(game.StepMode, BoolTrue);
  EXPECT_EQ(game.Segments[0].Y, 5);
  EXPECT_EQ(Frames(), 0);
}

TEST_F(FormTest, EnterSwitchingStepModeOffMovesNothing) {
  StartPlayingAt(5, 5);
  game.StepMode = BoolTrue;
  game.NextDir = DirRight;
  Form_KeyDown(form, VirtualKey::Return);
  EXPECT_EQ(game.StepMode, BoolFalse);
  EXPECT_EQ(game.Segments[0].X, 5);
  EXPECT_EQ(Frames(), 0);
}

TEST_F(FormTest, EnterTogglesStepModeByBitwiseNot) {
  StartPlayingAt(5, 5);
  game.NextDir = NoDirection;
  game.StepMode = 1;  // not a value the game makes, but NOT must still flip every bit
  Form_KeyDown(form, VirtualKey::Return);
  EXPECT_EQ(game.StepMode, -2);
}

TEST_F(FormTest, InStepModeEachArrowMovesOneCellAtOnce) {
  StartPlayingAt(5, 5);
  game.StepMode = BoolTrue;
  Form_KeyDown(form, VirtualKey::Right);
  Form_KeyDown(form, VirtualKey::Right);
  Form_KeyDown(form, VirtualKey::Down);
  EXPECT_EQ(game.Segments[0].X, 7);
  EXPECT_EQ(game.Segments[0].Y, 6);
  EXPECT_EQ(game.Segments[0].Dir, DirDown);
}

TEST_F(FormTest, InStepModeAnArrowIntoTheWallOnlyRecordsTheDirection) {
  StartPlayingAt(5, 0);
  game.StepMode = BoolTrue;
  Form_KeyDown(form, VirtualKey::Up);
  EXPECT_EQ(game.NextDir, DirUp);
  EXPECT_EQ(game.Segments[0].Y, 0);
  EXPECT_EQ(Frames(), 0);
}

TEST_F(FormTest, ShiftBeforeAnArrowClearsTheDirectionAndTheArrowStillMoves) {
  StartPlayingAt(5, 5);
  game.StepMode = BoolTrue;
  Form_KeyDown(form, 16);
  EXPECT_EQ(game.NextDir, NoDirection);
  EXPECT_EQ(game.Segments[0].Y, 5);
  Form_KeyDown(form, VirtualKey::Down);
  EXPECT_EQ(game.Segments[0].Y, 6);
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

TEST(ProgramDirectoryTest, IsTheFolderOfTheRunningProgramEndingInOneSeparator) {
  const std::string directory = ProgramDirectory();
  ASSERT_GE(directory.size(), 2u);
  const auto isSeparator = [](char character) { return character == '/' || character == '\\'; };
  EXPECT_TRUE(isSeparator(directory.back())) << directory;
  EXPECT_FALSE(isSeparator(directory[directory.size() - 2])) << directory;
  const std::filesystem::path folder(directory);
  EXPECT_TRUE(std::filesystem::exists(folder / "shell_tests") ||
              std::filesystem::exists(folder / "shell_tests.exe"))
      << directory;
  if (directory.back() == '/') {  // on Linux, /proc says exactly where the program lies
    EXPECT_EQ(directory, std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/");
  }
}

}  // namespace
}  // namespace nuikaro
