#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "render/Renderer.h"

namespace nuikaro {
namespace {

namespace fs = std::filesystem;

// The ways our BMP writer can store a picture.
enum class Layout { Bits1, Bits4, Bits8, Rle8, Bits24, Bits24TopDown, Bits32, Bits32Alpha0 };

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// One row of palette indices in RLE8: runs of a repeated index as encoded pairs, other stretches
// of three or more in absolute mode, then the end of line.
void EncodeRle8Row(std::vector<uint8_t>& out, const std::vector<uint8_t>& row) {
  std::size_t at = 0;
  while (at < row.size()) {
    std::size_t run = 1;
    while (at + run < row.size() && row[at + run] == row[at] && run < 255) {
      ++run;
    }
    if (run >= 2) {
      out.push_back(static_cast<uint8_t>(run));
      out.push_back(row[at]);
      at += run;
      continue;
    }
    std::size_t literal = 1;
    while (at + literal < row.size() && literal < 255 &&
           (at + literal + 1 >= row.size() || row[at + literal] != row[at + literal + 1])) {
      ++literal;
    }
    if (literal < 3) {
      out.push_back(1);
      out.push_back(row[at]);
      ++at;
      continue;
    }
    out.push_back(0);
    out.push_back(static_cast<uint8_t>(literal));
    out.insert(out.end(), row.begin() + at, row.begin() + at + literal);
    if (literal % 2 == 1) {
      out.push_back(0);  // absolute runs end on a 16-bit boundary
    }
    at += literal;
  }
  out.push_back(0);
  out.push_back(0);
}

// Writes picture as a complete BMP file in the given layout. Pictures for the palette layouts
// must have few enough colours.
std::vector<uint8_t> EncodeBmp(const Surface& picture, Layout layout) {
  const bool alpha = layout == Layout::Bits32Alpha0;
  const int bits = layout == Layout::Bits1                             ? 1
                   : layout == Layout::Bits4                           ? 4
                   : layout == Layout::Bits8 || layout == Layout::Rle8 ? 8
                   : layout == Layout::Bits32 || alpha                 ? 32
                                                                       : 24;
  std::vector<uint32_t> palette;
  std::map<uint32_t, uint8_t> index;
  if (bits <= 8) {
    for (uint32_t pixel : picture.Pixels) {
      if (index.emplace(pixel, static_cast<uint8_t>(palette.size())).second) {
        palette.push_back(pixel);
      }
    }
    EXPECT_LE(palette.size(), 1u << bits) << "too many colours for the layout";
    palette.resize(1u << bits, 0);
  }
  const bool topDown = layout == Layout::Bits24TopDown;

  std::vector<uint8_t> data;
  const std::size_t rowBytes = (static_cast<std::size_t>(picture.Width) * bits + 31) / 32 * 4;
  for (int32_t i = 0; i < picture.Height; ++i) {
    const int32_t y = topDown ? i : picture.Height - 1 - i;
    if (layout == Layout::Rle8) {
      std::vector<uint8_t> row;
      for (int32_t x = 0; x < picture.Width; ++x) {
        row.push_back(index[picture.At(x, y)]);
      }
      EncodeRle8Row(data, row);
      continue;
    }
    std::vector<uint8_t> row(rowBytes, 0);
    for (int32_t x = 0; x < picture.Width; ++x) {
      const uint32_t pixel = picture.At(x, y);
      if (bits == 1) {
        row[x / 8] |= static_cast<uint8_t>(index[pixel] << (7 - x % 8));
      } else if (bits == 4) {
        row[x / 2] |= static_cast<uint8_t>(index[pixel] << (x % 2 == 0 ? 4 : 0));
      } else if (bits == 8) {
        row[x] = index[pixel];
      } else {
        for (int b = 0; b < bits / 8; ++b) {
          row[x * (bits / 8) + b] = b < 3 ? (pixel >> (8 * b)) & 0xFF : 0;  // alpha 0
        }
      }
    }
    data.insert(data.end(), row.begin(), row.end());
  }
  if (layout == Layout::Rle8) {
    data.push_back(0);
    data.push_back(1);
  }

  const uint32_t infoSize = alpha ? 108 : 40;
  const uint32_t offset = 14 + infoSize + static_cast<uint32_t>(palette.size()) * 4;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + static_cast<uint32_t>(data.size()));
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, infoSize);
  Put32(out, static_cast<uint32_t>(picture.Width));
  Put32(out, static_cast<uint32_t>(topDown ? -picture.Height : picture.Height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bits));
  Put32(out, layout == Layout::Rle8 ? 1 : alpha ? 3 : 0);  // BI_RLE8, BI_BITFIELDS, BI_RGB
  Put32(out, static_cast<uint32_t>(data.size()));
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, bits <= 8 ? static_cast<uint32_t>(palette.size()) : 0);
  Put32(out, 0);
  if (alpha) {
    Put32(out, 0x00FF0000);
    Put32(out, 0x0000FF00);
    Put32(out, 0x000000FF);
    Put32(out, 0xFF000000);
    Put32(out, 0x73524742);          // 'sRGB'
    out.resize(out.size() + 48, 0);  // end points and gamma, unused with sRGB
  }
  for (uint32_t colour : palette) {
    Put32(out, colour & 0x00FFFFFF);
  }
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

class LoadTest : public testing::Test {
 protected:
  LoadTest() {
    directory =
        fs::temp_directory_path() / ("nuikaro-load-" + std::to_string(getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(directory);
  }
  ~LoadTest() override { fs::remove_all(directory); }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const fs::path path = directory / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  // Expects LoadPicture to refuse the file with a reason containing the given words, and the
  // message to name the file.
  void ExpectRefused(const std::string& path, const std::string& words) {
    try {
      LoadPicture(path);
      ADD_FAILURE() << path << " was accepted";
    } catch (const PictureError& error) {
      EXPECT_EQ(error.File(), path);
      EXPECT_NE(error.Reason().find(words), std::string::npos) << error.Reason();
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
  }

  fs::path directory;
};

// 13 by 5, so that every row needs padding in every layout.
Surface TwoColourPicture() {
  Surface picture(13, 5);
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 13; ++x) {
      picture.Row(y)[x] = (x * 3 + y) % 4 == 0 ? 0x00F08040 : 0x00000000;
    }
  }
  return picture;
}

Surface SixteenColourPicture() {
  Surface picture(13, 5);
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 13; ++x) {
      const uint32_t shade = static_cast<uint32_t>(x < 6 ? (x + y) % 16 : y * 3);  // some runs
      picture.Row(y)[x] = shade * 0x00100F01 + 0x00000F00;
    }
  }
  return picture;
}

TEST_F(LoadTest, EveryStorageOfOnePictureLoadsAsTheSamePixels) {
  const Surface two = TwoColourPicture();
  const Surface sixteen = SixteenColourPicture();
  const std::pair<Layout, const char*> layouts[] = {
      {Layout::Bits1, "1-bit"},   {Layout::Bits4, "4-bit"},
      {Layout::Bits8, "8-bit"},   {Layout::Rle8, "RLE8"},
      {Layout::Bits24, "24-bit"}, {Layout::Bits24TopDown, "24-bit top-down"},
      {Layout::Bits32, "32-bit"}, {Layout::Bits32Alpha0, "32-bit with alpha 0"}};
  for (const auto& [layout, name] : layouts) {
    for (const Surface* picture : {&two, &sixteen}) {
      if (layout == Layout::Bits1 && picture == &sixteen) {
        continue;
      }
      const Surface loaded = LoadPicture(Write("picture.bmp", EncodeBmp(*picture, layout)));
      EXPECT_EQ(loaded.Width, picture->Width) << name;
      EXPECT_EQ(loaded.Height, picture->Height) << name;
      EXPECT_EQ(loaded.Pixels, picture->Pixels) << name;
    }
  }
}

TEST_F(LoadTest, ASpriteKeepsItsOwnCopyAndFreeingItLeavesNothing) {
  Surface picture = TwoColourPicture();
  Sprite sprite = LoadSprite(picture);
  picture.Pixels.assign(picture.Pixels.size(), 0x00FFFFFF);
  EXPECT_EQ(sprite.Width, 13);
  EXPECT_EQ(sprite.Height, 5);
  EXPECT_EQ(sprite.Pixels.Pixels, TwoColourPicture().Pixels);

  FreeSprite(sprite);
  EXPECT_EQ(sprite.Width, 0);
  EXPECT_EQ(sprite.Height, 0);
  EXPECT_EQ(sprite.Pixels.Pixels.capacity(), 0u);
}

// What the system says when a folder is read as a file: Linux opens it and refuses the read
// (EISDIR), Windows refuses to open it (EACCES).
std::string ReasonForReadingAFolder(const std::string& path) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file != nullptr) {
    char byte = 0;
    EXPECT_EQ(std::fread(&byte, 1, 1, file), 0u);
    const int error = errno;
    std::fclose(file);
    return std::strerror(error);
  }
  return std::strerror(errno);
}

TEST_F(LoadTest, AFileThatIsMissingOrUnreadableGivesTheSystemsReason) {
  ExpectRefused((directory / "BackTile.bmp").string(), std::strerror(ENOENT));
  const std::string reason = ReasonForReadingAFolder(directory.string());
  EXPECT_NE(reason, std::strerror(0));
  ExpectRefused(directory.string(), reason);
}

TEST_F(LoadTest, AnEmptyTruncatedOrForeignFileIsRefusedWithItsReason) {
  ExpectRefused(Write("empty.bmp", {}), "is empty");
  ExpectRefused(Write("text.bmp", {'h', 'e', 'l', 'l', 'o'}), "not a BMP picture");
  ExpectRefused(Write("png.bmp", {0x89, 'P', 'N', 'G', 13, 10, 26, 10}), "not a BMP picture");

  const std::vector<uint8_t> whole = EncodeBmp(SixteenColourPicture(), Layout::Bits24);
  ExpectRefused(Write("header.bmp", {whole.begin(), whole.begin() + 20}), "cut short");
  ExpectRefused(Write("pixels.bmp", {whole.begin(), whole.end() - 40}), "cut short");
  const std::vector<uint8_t> rle = EncodeBmp(SixteenColourPicture(), Layout::Rle8);
  ExpectRefused(Write("rle.bmp", {rle.begin(), rle.end() - 12}), "cut short");
}

TEST_F(LoadTest, AHeaderClaimingAHugePictureIsRefusedBeforeDecoding) {
  std::vector<uint8_t> bytes = EncodeBmp(TwoColourPicture(), Layout::Bits24);
  bytes.resize(154, 0);
  std::vector<uint8_t> size;
  Put32(size, 70000);
  std::copy(size.begin(), size.end(), bytes.begin() + 18);  // width
  std::copy(size.begin(), size.end(), bytes.begin() + 22);  // height
  ExpectRefused(Write("huge.bmp", bytes), "70000 by 70000");

  Put32(size, static_cast<uint32_t>(-70000));  // a top-down picture just as huge
  std::copy(size.end() - 4, size.end(), bytes.begin() + 22);
  ExpectRefused(Write("huge-top-down.bmp", bytes), "70000 by 70000");
}

TEST_F(LoadTest, LoadSpritesReadsTheTileAndTheSheetFromTheDirectory) {
  Write(BackTileFile, EncodeBmp(SixteenColourPicture(), Layout::Bits24));
  Write(ItemSheetFile, EncodeBmp(Surface(64, 48), Layout::Bits4));
  Game game;
  Renderer renderer(game);
  LoadSprites(renderer, directory.string() + "/");
  EXPECT_EQ(renderer.BackSprite.Width, 13);
  EXPECT_EQ(renderer.BackSprite.Pixels.Pixels, SixteenColourPicture().Pixels);
  EXPECT_EQ(renderer.ItemSprite.Width, 64);
  EXPECT_EQ(renderer.ItemSprite.Height, 48);

  FreeSprites(renderer);
  EXPECT_EQ(renderer.BackSprite.Width + renderer.BackSprite.Height, 0);
  EXPECT_EQ(renderer.ItemSprite.Width + renderer.ItemSprite.Height, 0);
  EXPECT_TRUE(renderer.ItemSprite.Pixels.Pixels.empty());
}

TEST_F(LoadTest, LoadSpritesRefusesATileOver480AndASheetUnder64By48) {
  Game game;
  Renderer renderer(game);
  const std::string prefix = directory.string() + "/";
  const auto expectRefused = [&](const std::string& file, const std::string& words) {
    try {
      LoadSprites(renderer, prefix);
      ADD_FAILURE() << "accepted";
    } catch (const PictureError& error) {
      EXPECT_EQ(error.File(), prefix + file);
      EXPECT_NE(error.Reason().find(words), std::string::npos) << error.Reason();
    }
  };
  expectRefused(BackTileFile, std::strerror(ENOENT));
  Write(BackTileFile, EncodeBmp(Surface(481, 1), Layout::Bits1));
  Write(ItemSheetFile, EncodeBmp(Surface(64, 48), Layout::Bits1));
  expectRefused(BackTileFile, "481 by 1");
  Write(BackTileFile, EncodeBmp(Surface(1, 481), Layout::Bits1));
  expectRefused(BackTileFile, "1 by 481");

  Write(BackTileFile, EncodeBmp(Surface(480, 480), Layout::Bits1));
  Write(ItemSheetFile, EncodeBmp(Surface(63, 48), Layout::Bits1));
  expectRefused(ItemSheetFile, "63 by 48");
  Write(ItemSheetFile, EncodeBmp(Surface(64, 47), Layout::Bits1));
  expectRefused(ItemSheetFile, "64 by 47");
  Write(ItemSheetFile, EncodeBmp(Surface(65, 49), Layout::Bits1));
  LoadSprites(renderer, prefix);
  EXPECT_EQ(renderer.ItemSprite.Width, 65);
}

TEST(ProgramDirectoryTest, IsTheFolderOfTheRunningProgramEndingInOneSeparator) {
  const std::string directory = ProgramDirectory();
  ASSERT_GE(directory.size(), 2u);
  const auto isSeparator = [](char character) { return character == '/' || character == '\\'; };
  EXPECT_TRUE(isSeparator(directory.back())) << directory;
  EXPECT_FALSE(isSeparator(directory[directory.size() - 2])) << directory;
  const fs::path folder(directory);
  EXPECT_TRUE(fs::exists(folder / "render_tests") || fs::exists(folder / "render_tests.exe"))
      << directory;
  if (directory.back() == '/') {  // on Linux, /proc says exactly where the program lies
    EXPECT_EQ(directory, fs::canonical("/proc/self/exe").parent_path().string() + "/");
  }
}

}  // namespace
}  // namespace nuikaro
