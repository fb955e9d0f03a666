// The Windows side of the text seam: faces from GDI as bytes, the shipped face as the fallback.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/FontSource.h"

namespace nuikaro {
namespace {

// Beside the test program, as beside the game.
std::string ShippedFontPath() {
  char path[MAX_PATH] = {};
  std::string folder(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return folder.substr(0, folder.find_last_of('\\') + 1) + "ipagp.ttf";
}

const std::string ShippedFont = ShippedFontPath();

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool IsShippedFont(const FontFile& font) {
  return font.Bytes.empty() && font.Path.ends_with("ipagp.ttf");
}

// The shipped face, made known to GDI for this process only, stands for a face of the system.
class SystemFaceTest : public testing::Test {
 protected:
  SystemFaceTest() { added_ = AddFontResourceExA(ShippedFont.c_str(), FR_PRIVATE, nullptr); }
  ~SystemFaceTest() override { RemoveFontResourceExA(ShippedFont.c_str(), FR_PRIVATE, nullptr); }
  int added_ = 0;
};

TEST_F(SystemFaceTest, AFaceTheSystemHasComesAsTheBytesOfItsFile) {
  ASSERT_GT(added_, 0) << ShippedFont;
  const FontFile font = FindFontFile("IPAPGothic", "ぬいかろ得点：0123456789");
  EXPECT_EQ(font.Index, 0);
  EXPECT_EQ(font.Bytes, ReadBytes(ShippedFont));
  EXPECT_NE(font.Path.find("IPAPGothic"), std::string::npos) << font.Path;
}

TEST_F(SystemFaceTest, AFaceWithoutEveryCharacterGivesWayToTheShippedFile) {
  ASSERT_GT(added_, 0) << ShippedFont;
  EXPECT_TRUE(IsShippedFont(FindFontFile("IPAPGothic", "ぬいかろ\u0E01")));  // no Thai in it
}

TEST(ShippedFace, StandsForAFaceTheSystemLacks) {
  const FontFile font = FindFontFile("No Such Face Anywhere", "ぬいかろ");
  EXPECT_TRUE(IsShippedFont(font)) << font.Path;
  EXPECT_EQ(font.Path, ShippedFont);
}

}  // namespace
}  // namespace nuikaro
