// One whole frame of the real artwork compared with a stored picture of it.
//
// When a change to the artwork, the board or the side panel is meant to change the frame, look at
// the new frame and store it as the expected one:
//   NUIKARO_UPDATE_GOLDEN=1 ./build/render/render_tests --gtest_filter='GoldenFrame*'
// and commit render/tests/golden/frame.ppm. On a mismatch the frame actually drawn is written to
// golden-frame-actual.ppm in the test's working directory, to compare by eye.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/Renderer.h"

namespace nuikaro {
namespace {

const std::string GoldenFile = std::string(NUIKARO_GOLDEN_DIR) + "frame.ppm";

std::vector<uint8_t> EncodePpm(const Surface& frame) {
  const std::string header =
      "P6\n" + std::to_string(frame.Width) + " " + std::to_string(frame.Height) + "\n255\n";
  std::vector<uint8_t> bytes(header.begin(), header.end());
  for (uint32_t pixel : frame.Pixels) {
    bytes.push_back((pixel >> 16) & 0xFF);
    bytes.push_back((pixel >> 8) & 0xFF);
    bytes.push_back(pixel & 0xFF);
  }
  return bytes;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// A snake of five that has just turned right, one item of each kind and more, score 0.
void LayOutGame(Game& game) {
  const Segment snake[] = {{StateHead, 12, 10, DirRight},
                           {StateBody, 11, 10, DirRight},
                           {StateBody, 10, 10, DirRight},
                           {StateBody, 10, 11, DirUp},
                           {StateBody, 10, 12, DirUp}};
  std::copy(std::begin(snake), std::end(snake), game.Segments.begin());
  const int16_t cells[BoardItemCount][2] = {{3, 3},  {25, 4}, {7, 20},  {18, 15}, {29, 29},
                                            {0, 29}, {15, 2}, {22, 22}, {5, 12},  {14, 25}};
  for (int32_t slot = 0; slot < BoardItemCount; ++slot) {
    game.Items[slot] = Item{slot % 3 + 1, cells[slot][0], cells[slot][1]};
  }
  game.Score = 0;
}

TEST(GoldenFrameTest, AFixedGameDrawnWithTheRealArtworkMatchesTheStoredFrame) {
  Game game;
  LayOutGame(game);
  Renderer renderer(game);
  LoadSprites(renderer, NUIKARO_ASSET_DIR);
  RenderFrame(renderer);
  const std::vector<uint8_t> actual = EncodePpm(renderer.BackBuffer);

  const char* update = std::getenv("NUIKARO_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    WriteFile(GoldenFile, actual);
    GTEST_SKIP() << "stored the frame as " << GoldenFile;
  }
  const std::vector<uint8_t> expected = ReadFile(GoldenFile);
  ASSERT_FALSE(expected.empty()) << GoldenFile << " is missing";
  if (actual != expected) {
    WriteFile("golden-frame-actual.ppm", actual);
  }
  ASSERT_EQ(actual.size(), expected.size());
  std::size_t differing = 0;
  std::size_t first = actual.size();
  const std::size_t headerSize = actual.size() - renderer.BackBuffer.Pixels.size() * 3;
  for (std::size_t at = headerSize; at < actual.size(); ++at) {
    if (actual[at] != expected[at]) {
      ++differing;
      first = std::min(first, at);
    }
  }
  const std::size_t pixel = (first - headerSize) / 3;
  EXPECT_EQ(differing, 0u) << "first difference at x " << pixel % ScreenWidth << ", y "
                           << pixel / ScreenWidth << "; the frame drawn is in "
                           << "golden-frame-actual.ppm";
}

}  // namespace
}  // namespace nuikaro
