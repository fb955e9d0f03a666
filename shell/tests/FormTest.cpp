// Form1's start-up, keys and close, with the window and the host faked.
#include "shell/Form.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace nuikaro {
namespace {

// Writes a 24-bit BMP of one colour.
void WriteBmp(const std::filesystem::path& path, int width, int height) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  const int dataBytes = rowBytes * height;
  std::vector<unsigned char> file(54 + dataBytes, 0);
  auto put32 = [&file](int offset, int value) {
    for (int i = 0; i < 4; ++i) {
      file[offset + i] = static_cast<unsigned char>(value >> (8 * i));
    }
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<int>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  file[26] = 1;
  file[28] = 24;
  put32(34, dataBytes);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      unsigned char* pixel = &file[54 + y * rowBytes + x * 3];
      pixel[0] = 0x40;
      pixel[1] = 0x80;
      pixel[2] = 0xc0;
    }
  }
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

// Plays the window system and the host at once and writes every call into one log, so the tests
// can read the order of start-up and shut-down.
class FakeWindow final : public WindowPlatform, public GameHost {
 public:
  explicit FakeWindow(Renderer& view) : view_(view) {}

  void SetTimer() override {
    Log.push_back("SetTimer");
    SpritesLoadedAtSetTimer = view_.BackSprite.Width > 0 && view_.ItemSprite.Width > 0;
  }
  void KillTimer() override {
    Log.push_back("KillTimer");
    SpritesFreedAtKillTimer = view_.BackSprite.Width == 0 && view_.ItemSprite.Width == 0;
  }
  void Show() override {
    Log.push_back("Show");
    RunningAtShow = view_.Game.Running;
  }
  void Unload() override {
    Log.push_back("Unload");
    CloseForm(*Form);
  }
  void RenderFrame() override {
    Log.push_back("RenderFrame");
    RunningAtFirstFrame = Frames == 0 ? view_.Game.Running : RunningAtFirstFrame;
    ++Frames;
  }
  void rtcMsgBox(std::string_view text) override { Log.push_back("MsgBox " + std::string(text)); }
  void rtcRandomize() override {}
  float rtcRandomNext() override {
    next_ = (next_ + 7) % 30;
    return (static_cast<float>(next_) + 0.5f) / 30.0f;
  }

  int Count(const std::string& call) const {
    return static_cast<int>(std::count(Log.begin(), Log.end(), call));
  }

  Form1* Form = nullptr;
  std::vector<std::string> Log;
  int Frames = 0;
  bool SpritesLoadedAtSetTimer = false;
  bool SpritesFreedAtKillTimer = false;
  int16_t RunningAtShow = False;
  int16_t RunningAtFirstFrame = True;

 private:
  Renderer& view_;
  int next_ = 0;
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
  }
  ~FormTest() override { std::filesystem::remove_all(directory_); }

  void WriteBothBitmaps() {
    WriteBmp(directory_ / "BackTile.bmp", 16, 16);
    WriteBmp(directory_ / "Nuik_Items.bmp", 64, 48);
  }

  // A game in play without the files: head alone at (x, y), no items on the board.
  void StartPlayingAt(int16_t x, int16_t y) {
    SetSegmentState(game, 0, StateHead);
    game.Segments[0].X = x;
    game.Segments[0].Y = y;
    game.NextDir = DirDown;
    game.Running = True;
  }

  Game game;
  Renderer view{game};
  FakeWindow window{view};
  Form1 form{game, view, window, window, ""};

 private:
  std::filesystem::path directory_;
};

TEST_F(FormTest, LoadingTheFormLoadsBothSpritesBeforeTheTimerAndDrawsBeforeShowing) {
  WriteBothBitmaps();
  LoadForm(form);
  EXPECT_TRUE(window.SpritesLoadedAtSetTimer);
  EXPECT_EQ(window.Log, (std::vector<std::string>{"SetTimer", "RenderFrame", "Show"}));
  EXPECT_EQ(window.RunningAtFirstFrame, False) << "Running is set only after the first frame";
  EXPECT_EQ(window.RunningAtShow, True);
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
  EXPECT_EQ(game.StepMode, False);
  EXPECT_EQ(game.Score, 0);
  for (int slot = 0; slot < BoardItemCount; ++slot) {
    EXPECT_NE(game.Items[slot].Kind, KindNone) << "slot " << slot;
  }
}

TEST_F(FormTest, AMissingBitmapStopsTheStartBeforeTheTimerOrTheWindow) {
  WriteBmp(std::filesystem::path(form.Directory) / "Nuik_Items.bmp", 64, 48);
  try {
    LoadForm(form);
    FAIL() << "a missing BackTile.bmp must stop the start";
  } catch (const PictureError& error) {
    EXPECT_EQ(std::filesystem::path(error.File()).filename(), "BackTile.bmp");
  }
  std::filesystem::remove(std::filesystem::path(form.Directory) / "Nuik_Items.bmp");
  WriteBmp(std::filesystem::path(form.Directory) / "BackTile.bmp", 16, 16);
  try {
    LoadForm(form);
    FAIL() << "a missing Nuik_Items.bmp must stop the start";
  } catch (const PictureError& error) {
    EXPECT_EQ(std::filesystem::path(error.File()).filename(), "Nuik_Items.bmp");
  }
  EXPECT_TRUE(window.Log.empty());
  EXPECT_EQ(game.Running, False);
}

TEST_F(FormTest, ShuttingDownFreesTheSpritesAndThenKillsTheTimer) {
  WriteBothBitmaps();
  LoadForm(form);
  window.Log.clear();
  CloseForm(form);
  EXPECT_TRUE(window.SpritesFreedAtKillTimer);
  EXPECT_EQ(window.Log, std::vector<std::string>{"KillTimer"});
}

TEST_F(FormTest, EveryCloseRequestAfterTheFirstDoesNothing) {
  WriteBothBitmaps();
  LoadForm(form);
  CloseForm(form);
  CloseForm(form);
  Form_KeyDown(form, VK_ESCAPE);
  EXPECT_EQ(window.Count("KillTimer"), 1);
  EXPECT_TRUE(form.Closed);
}

TEST_F(FormTest, EscapeClosesTheGameOnceWithoutMovingTheSnake) {
  WriteBothBitmaps();
  LoadForm(form);
  game.StepMode = True;
  const Segment headBefore = game.Segments[0];
  const int framesBefore = window.Frames;
  Form_KeyDown(form, VK_ESCAPE);
  EXPECT_EQ(window.Count("Unload"), 1);
  EXPECT_EQ(window.Count("KillTimer"), 1);
  EXPECT_TRUE(form.Closed);
  EXPECT_EQ(game.Segments[0].Y, headBefore.Y);
  EXPECT_EQ(window.Frames, framesBefore);
}

TEST_F(FormTest, ArrowsInTimedPlayOnlyRecordTheDirection) {
  StartPlayingAt(5, 5);
  const std::vector<std::pair<int16_t, int16_t>> arrows = {
      {VK_UP, DirUp}, {VK_RIGHT, DirRight}, {VK_DOWN, DirDown}, {VK_LEFT, DirLeft}};
  for (const auto& [key, dir] : arrows) {
    Form_KeyDown(form, key);
    EXPECT_EQ(game.NextDir, dir) << "key " << key;
  }
  EXPECT_EQ(game.Segments[0].X, 5);
  EXPECT_EQ(game.Segments[0].Y, 5);
  EXPECT_EQ(window.Frames, 0);
}

TEST_F(FormTest, AnyOtherKeyClearsTheDirectionAndMovesNothing) {
  StartPlayingAt(5, 5);
  game.StepMode = True;
  for (const int16_t key : {int16_t{16}, int16_t{32}, int16_t{0}, int16_t{65}}) {
    game.NextDir = DirRight;
    Form_KeyDown(form, key);
    EXPECT_EQ(game.NextDir, NoDirection) << "key " << key;
  }
  EXPECT_EQ(game.Segments[0].X, 5);
  EXPECT_EQ(game.Segments[0].Y, 5);
  EXPECT_EQ(game.StepMode, True);
}

TEST_F(FormTest, EnterSwitchingStepModeOnMovesAtOnceWhenADirectionIsRequested) {
  StartPlayingAt(5, 5);
  Form_KeyDown(form, VK_RETURN);
  EXPECT_EQ(game.StepMode, True);
  EXPECT_EQ(game.Segments[0].Y, 6) << "NextDir 2 moves the head one cell down";
  EXPECT_EQ(game.Segments[0].X, 5);
}

TEST_F(FormTest, EnterSwitchingStepModeOnWithNoDirectionMovesNothing) {
  StartPlayingAt(5, 5);
  game.NextDir = NoDirection;
  Form_KeyDown(form, VK_RETURN);
  EXPECT_EQ(game.StepMode, True);
  EXPECT_EQ(game.Segments[0].Y, 5);
  EXPECT_EQ(window.Frames, 0);
}

TEST_F(FormTest, EnterSwitchingStepModeOffMovesNothing) {
  StartPlayingAt(5, 5);
  game.StepMode = True;
  game.NextDir = DirRight;
  Form_KeyDown(form, VK_RETURN);
  EXPECT_EQ(game.StepMode, False);
  EXPECT_EQ(game.Segments[0].X, 5);
  EXPECT_EQ(window.Frames, 0);
}

TEST_F(FormTest, EnterTogglesStepModeByBitwiseNot) {
  StartPlayingAt(5, 5);
  game.NextDir = NoDirection;
  game.StepMode = 1;  // not a value the game makes, but NOT must still flip every bit
  Form_KeyDown(form, VK_RETURN);
  EXPECT_EQ(game.StepMode, -2);
}

TEST_F(FormTest, InStepModeEachArrowMovesOneCellAtOnce) {
  StartPlayingAt(5, 5);
  game.StepMode = True;
  Form_KeyDown(form, VK_RIGHT);
  Form_KeyDown(form, VK_RIGHT);
  Form_KeyDown(form, VK_DOWN);
  EXPECT_EQ(game.Segments[0].X, 7);
  EXPECT_EQ(game.Segments[0].Y, 6);
  EXPECT_EQ(game.Segments[0].Dir, DirDown);
}

TEST_F(FormTest, InStepModeAnArrowIntoTheWallOnlyRecordsTheDirection) {
  StartPlayingAt(5, 0);
  game.StepMode = True;
  Form_KeyDown(form, VK_UP);
  EXPECT_EQ(game.NextDir, DirUp);
  EXPECT_EQ(game.Segments[0].Y, 0);
  EXPECT_EQ(window.Frames, 0);
}

TEST_F(FormTest, ShiftBeforeAnArrowClearsTheDirectionAndTheArrowStillMoves) {
  StartPlayingAt(5, 5);
  game.StepMode = True;
  Form_KeyDown(form, 16);
  EXPECT_EQ(game.NextDir, NoDirection);
  EXPECT_EQ(game.Segments[0].Y, 5);
  Form_KeyDown(form, VK_DOWN);
  EXPECT_EQ(game.Segments[0].Y, 6);
}

TEST_F(FormTest, NoKeyDoesAnythingWhileTheGameIsNotRunning) {
  StartPlayingAt(5, 5);
  game.Running = False;
  game.StepMode = True;
  for (const int16_t key : {VK_UP, VK_RIGHT, VK_DOWN, VK_LEFT, VK_RETURN, VK_ESCAPE, int16_t{32}}) {
    Form_KeyDown(form, key);
  }
  EXPECT_EQ(game.NextDir, DirDown);
  EXPECT_EQ(game.StepMode, True);
  EXPECT_EQ(game.Segments[0].X, 5);
  EXPECT_EQ(game.Segments[0].Y, 5);
  EXPECT_TRUE(window.Log.empty());
  EXPECT_FALSE(form.Closed);
}

}  // namespace
}  // namespace nuikaro
