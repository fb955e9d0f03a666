#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/inotify.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <sstream>
#include <vector>

#include "render/Renderer.h"
#include "tests/support/BmpLayout.h"
#include "tests/support/Golden.h"  // ReadFile

namespace nuikaro {
namespace {

namespace fs = std::filesystem;

// The pictures below are written with the tests' BMP writer (EncodeBmp) and read back.
BmpLayout Layout(BmpHeader header, uint16_t bits, BmpCompression compression = BmpCompression::Rgb,
                 std::array<uint32_t, 4> masks = {}) {
  BmpLayout layout;
  layout.Header = header;
  layout.Bits = bits;
  layout.Compression = compression;
  layout.Masks = masks;
  return layout;
}

BmpLayout TopDown(BmpLayout layout) {
  layout.TopDown = true;
  return layout;
}

BmpLayout WithPalette(BmpLayout layout, int colours) {
  layout.PaletteSize = colours;
  return layout;
}

BmpLayout WithEnd(BmpLayout layout, RleEnd end) {
  layout.End = end;
  return layout;
}

// An OS/2 2.x header cut to the given size.
BmpLayout WithHeaderSize(BmpLayout layout, uint32_t size) {
  layout.HeaderSize = size;
  return layout;
}

// What the game must show for a picture: its colours with the top byte 0, and black where an RLE
// file leaves a pixel out (alpha 0).
Surface Shown(const Picture& picture, bool leavesClearOut) {
  Surface shown(picture.Width, picture.Height);
  for (int y = 0; y < picture.Height; ++y) {
    for (int x = 0; x < picture.Width; ++x) {
      const Rgba& pixel = picture.At(x, y);
      if (!leavesClearOut || pixel.A != 0) {
        shown.Row(y)[x] = static_cast<uint32_t>(pixel.R) << 16 | pixel.G << 8 | pixel.B;
      }
    }
  }
  return shown;
}

// Colour number i of a table: red alone already differs for every i below 256.
Rgba TableColour(int i) {
  return Rgba{static_cast<uint8_t>(i * 79), static_cast<uint8_t>(i * 157 + 32),
              static_cast<uint8_t>(255 - i * 59), 255};
}

// A picture of at most `colours` colours with stretches RLE stores each way: differing pixels,
// runs of one colour and runs of two alternating ones.
Picture PalettePicture(int width, int height, int colours, bool withClearPixels) {
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int index = x < 4 ? x * 7 + y : x < 8 ? y : y + x % 2;
      picture.At(x, y) = TableColour(index % colours);
    }
  }
  if (withClearPixels && width == 13 && height == 6) {
    // Rows are written from the bottom: the end of row 5 and the start of row 4 are one jump
    // over both rows; row 3 has a gap; row 2 is wholly left out; row 0, written last, is left to
    // the end-of-picture code.
    for (int x = 0; x < width; ++x) {
      for (int y = 0; y < height; ++y) {
        const bool clear = (y == 5 && x >= 9) || (y == 4 && x < 10) ||
                           (y == 3 && x >= 3 && x < 6) || y == 2 || y == 0;
        picture.At(x, y).A = clear ? 0 : 255;
      }
    }
  }
  return picture;
}

// The 8-bit value a channel of `bits` bits shows at a level: the nearest one, so full is 255.
uint8_t LevelColour(uint64_t level, int bits) {
  const uint64_t largest = (uint64_t{1} << bits) - 1;
  return static_cast<uint8_t>(bits == 0 ? 0 : (level * 255 + largest / 2) / largest);
}

// A picture whose every colour the masks hold exactly, with scattered levels and alpha.
Picture MaskPicture(int width, int height, const std::array<uint32_t, 4>& masks) {
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t channel[3];
      for (int c = 0; c < 3; ++c) {
        const int bits = std::popcount(masks[c]);
        const uint64_t hash = (static_cast<uint64_t>(x * 53 + y * 97 + c * 31) * 2654435761u) >> 7;
        channel[c] = LevelColour(hash & ((uint64_t{1} << bits) - 1), bits);
      }
      picture.At(x, y) =
          Rgba{channel[0], channel[1], channel[2], static_cast<uint8_t>((x * 37 + y * 11) % 256)};
    }
  }
  return picture;
}

// 16 bits are 5-5-5 and 32 bits 8-8-8 unless the file gives masks.
constexpr std::array<uint32_t, 4> Usual16 = {0x7C00, 0x03E0, 0x001F, 0};
constexpr std::array<uint32_t, 4> Usual32 = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};

struct LayoutCase {
  const char* Name;
  BmpLayout Layout;
  Picture Drawn;
};

std::vector<LayoutCase> LayoutCases() {
  using enum BmpHeader;
  using enum BmpCompression;
  const Picture two = PalettePicture(13, 6, 2, false);
  const Picture four = PalettePicture(13, 6, 4, false);
  const Picture sixteen = PalettePicture(13, 6, 16, false);
  const Picture many = PalettePicture(13, 6, 23, false);
  const Picture five = PalettePicture(13, 6, 5, false);
  const Picture rle = PalettePicture(13, 6, 11, true);
  const Picture wholeRle = PalettePicture(13, 6, 11, false);
  const Picture photo = MaskPicture(13, 6, Usual32);
  return {
      {"1-bit", Layout(Info, 1), two},
      {"1-bit top-down", TopDown(Layout(Info, 1)), two},
      {"2-bit", Layout(Info, 2), four},
      {"4-bit", Layout(Info, 4), sixteen},
      {"4-bit, short table", WithPalette(Layout(Info, 4), 5), five},
      {"8-bit", Layout(Info, 8), many},
      {"8-bit, short table", WithPalette(Layout(Info, 8), 23), many},
      {"8-bit, oversized table", WithPalette(Layout(Info, 8), 300), many},
      {"8-bit top-down in a v5 header", TopDown(Layout(V5, 8)), many},
      {"8-bit, one pixel high", Layout(Info, 8), PalettePicture(7, 1, 23, false)},
      {"8-bit, one pixel wide", Layout(Info, 8), PalettePicture(1, 5, 23, false)},
      {"RLE8 leaving pixels out", Layout(Info, 8, Rle8), rle},
      {"RLE8 whole", Layout(Info, 8, Rle8), wholeRle},
      {"RLE8 whole without the end-of-picture code",
       WithEnd(Layout(Info, 8, Rle8), RleEnd::Nothing), wholeRle},
      {"RLE8 whole ending on an end of row", WithEnd(Layout(Info, 8, Rle8), RleEnd::Row), wholeRle},
      {"RLE8, short table", WithPalette(Layout(V4, 8, Rle8), 11), rle},
      {"RLE4 leaving pixels out", Layout(Info, 4, Rle4), rle},
      {"RLE4 whole", Layout(Info, 4, Rle4), wholeRle},
      {"RLE4 whole without the end-of-picture code",
       WithEnd(Layout(Info, 4, Rle4), RleEnd::Nothing), wholeRle},
      {"RLE4 in an OS/2 2.x header", Layout(Os2, 4, Rle4), rle},
      {"OS/2 1.x, 1-bit", Layout(Os2Core, 1), two},
      {"OS/2 1.x, 2-bit", Layout(Os2Core, 2), four},
      {"OS/2 1.x, 4-bit, short table", WithPalette(Layout(Os2Core, 4), 5), five},
      {"OS/2 1.x, 8-bit", Layout(Os2Core, 8), many},
      {"OS/2 1.x, 24-bit", Layout(Os2Core, 24), photo},
      {"OS/2 2.x, 8-bit", Layout(Os2, 8), many},
      {"OS/2 2.x short header, 4-bit", Layout(Os2Short, 4), sixteen},
      {"OS/2 2.x short header, 24-bit", Layout(Os2Short, 24), photo},
      // Cut inside the compression field, right after it, right after the colour count, and
      // one byte short of the whole header.
      {"OS/2 2.x header of 17 bytes, 8-bit", WithHeaderSize(Layout(Os2, 8), 17), many},
      {"OS/2 2.x header of 20 bytes, RLE4", WithHeaderSize(Layout(Os2, 4, Rle4), 20), rle},
      {"OS/2 2.x header of 36 bytes, 8-bit, short table",
       WithHeaderSize(WithPalette(Layout(Os2, 8), 23), 36), many},
      {"OS/2 2.x header of 63 bytes, 24-bit", WithHeaderSize(Layout(Os2, 24), 63), photo},
      {"24-bit", Layout(Info, 24), photo},
      {"24-bit top-down", TopDown(Layout(Info, 24)), photo},
      {"24-bit, one pixel high", Layout(Info, 24), MaskPicture(5, 1, Usual32)},
      {"24-bit in a v4 header", Layout(V4, 24), photo},
      {"16-bit 5-5-5", Layout(Info, 16), MaskPicture(13, 6, Usual16)},
      {"16-bit 5-6-5", Layout(Info, 16, Bitfields, {0xF800, 0x07E0, 0x001F, 0}),
       MaskPicture(13, 6, {0xF800, 0x07E0, 0x001F, 0})},
      {"16-bit 2-3-1 in a v2 header", Layout(V2, 16, Bitfields, {0x0030, 0x0007, 0x0008, 0}),
       MaskPicture(13, 6, {0x0030, 0x0007, 0x0008, 0})},
      {"16-bit 3-10-3 blue on top", Layout(Info, 16, Bitfields, {0x0007, 0x1FF8, 0xE000, 0}),
       MaskPicture(13, 6, {0x0007, 0x1FF8, 0xE000, 0})},
      {"16-bit 1-9-2 with 4 bits of alpha",
       Layout(V3, 16, Bitfields, {0x8000, 0x7FC0, 0x0030, 0x000F}),
       MaskPicture(13, 6, {0x8000, 0x7FC0, 0x0030, 0x000F})},
      {"16-bit 4-4-4-4 alpha bitfields top-down",
       TopDown(Layout(Info, 16, AlphaBitfields, {0x0F00, 0x00F0, 0x000F, 0xF000})),
       MaskPicture(13, 6, {0x0F00, 0x00F0, 0x000F, 0xF000})},
      {"32-bit with a byte of alpha", Layout(Info, 32), photo},
      {"32-bit masks red on top, green 8 bits at 4, blue in the middle",
       Layout(Info, 32, Bitfields, {0xFF000000, 0x00000FF0, 0x00FF0000, 0}),
       MaskPicture(13, 6, {0xFF000000, 0x00000FF0, 0x00FF0000, 0})},
      {"32-bit 11-11-10", Layout(V4, 32, Bitfields, {0xFFE00000, 0x001FFC00, 0x000003FF, 0}),
       MaskPicture(13, 6, {0xFFE00000, 0x001FFC00, 0x000003FF, 0})},
      {"32-bit 7-18-7 top-down",
       TopDown(Layout(V5, 32, Bitfields, {0x0000007F, 0x01FFFF80, 0xFE000000, 0})),
       MaskPicture(13, 6, {0x0000007F, 0x01FFFF80, 0xFE000000, 0})},
      {"32-bit alpha bitfields", Layout(Info, 32, AlphaBitfields, Usual32), photo},
      {"32-bit, red 32 bits wide and no green or blue",
       Layout(Info, 32, Bitfields, {0xFFFFFFFF, 0, 0, 0}),
       MaskPicture(13, 6, {0xFFFFFFFF, 0, 0, 0})},
      {"32-bit as the icon is written", Layout(V4, 32, Bitfields, Usual32), photo},
  };
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

TEST_F(LoadTest, EveryLayoutLoadsAsThePictureItEncoded) {
  for (const LayoutCase& layout : LayoutCases()) {
    const bool rle = layout.Layout.Compression == BmpCompression::Rle8 ||
                     layout.Layout.Compression == BmpCompression::Rle4;
    Surface loaded;
    try {
      loaded = LoadPicture(Write("picture.bmp", EncodeBmp(layout.Drawn, layout.Layout)));
    } catch (const PictureError& error) {
      ADD_FAILURE() << layout.Name << ": " << error.Reason();
      continue;
    }
    const Surface expected = Shown(layout.Drawn, rle);
    EXPECT_EQ(loaded.Width, expected.Width) << layout.Name;
    EXPECT_EQ(loaded.Height, expected.Height) << layout.Name;
    EXPECT_EQ(loaded.Pixels, expected.Pixels) << layout.Name;
  }
}

// Bytes changed in place, little-endian.
std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, std::size_t at, uint32_t value,
                             int size = 4) {
  for (int i = 0; i < size; ++i) {
    bytes.at(at + static_cast<std::size_t>(i)) = static_cast<uint8_t>(value >> (8 * i));
  }
  return bytes;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

// Where the pixels of a file start.
std::size_t PixelOffset(const std::vector<uint8_t>& bytes) {
  return bytes.at(10) | bytes.at(11) << 8 | bytes.at(12) << 16;
}

// An RLE file with codes of its own in place of its pixels.
std::vector<uint8_t> WithCodes(const std::vector<uint8_t>& file, std::vector<uint8_t> pixels) {
  std::vector<uint8_t> bytes(file.begin(),
                             file.begin() + static_cast<std::ptrdiff_t>(PixelOffset(file)));
  bytes.insert(bytes.end(), pixels.begin(), pixels.end());
  return bytes;
}

struct RefusalCase {
  RefusalCase(std::string name, std::vector<uint8_t> bytes, std::string reason,
              std::uintmax_t holeTo = 0, std::string path = {})
      : Name(std::move(name)),
        Bytes(std::move(bytes)),
        Reason(std::move(reason)),
        HoleTo(holeTo),
        Path(std::move(path)) {}

  std::string Name;
  std::vector<uint8_t> Bytes;
  std::string Reason;     // words the reason must contain
  std::uintmax_t HoleTo;  // the file's size, when the bytes are followed by a hole up to it
  std::string Path;       // a file of the system's to read instead of the bytes
};

std::vector<RefusalCase> RefusalCases() {
  using enum BmpHeader;
  using enum BmpCompression;
  const Picture picture = PalettePicture(13, 6, 11, false);
  const std::vector<uint8_t> bits24 = EncodeBmp(picture, Layout(Info, 24));
  const std::vector<uint8_t> bits8 = EncodeBmp(picture, Layout(Info, 8));
  const std::vector<uint8_t> core = EncodeBmp(picture, Layout(Os2Core, 8));
  const std::vector<uint8_t> os2 = EncodeBmp(PalettePicture(13, 6, 2, false), Layout(Os2, 1));
  const std::vector<uint8_t> oneBit = EncodeBmp(PalettePicture(13, 6, 2, false), Layout(Info, 1));
  const std::vector<uint8_t> shortTable = EncodeBmp(picture, WithPalette(Layout(Info, 8), 11));
  const std::vector<uint8_t> bits32 = EncodeBmp(picture, Layout(Info, 32, Bitfields, Usual32));
  const std::vector<uint8_t> rle8 = EncodeBmp(picture, WithPalette(Layout(Info, 8, Rle8), 11));
  const std::vector<uint8_t> rle4 = EncodeBmp(picture, Layout(Info, 4, Rle4));
  const std::vector<uint8_t> rle4Short = EncodeBmp(picture, WithPalette(Layout(Info, 4, Rle4), 11));
  constexpr std::size_t Width = 18, Height = 22, Bits = 28, Compression = 30, Masks = 54;

  std::vector<RefusalCase> cases = {
      {"empty", {}, "is empty"},
      {"text", {'h', 'e', 'l', 'l', 'o'}, "is not a BMP picture"},
      {"PNG", {0x89, 'P', 'N', 'G', 13, 10, 26, 10}, "is not a BMP picture"},
      {"only B right", Patched(bits24, 1, 'X', 1), "is not a BMP picture"},
      {"only M right", Patched(bits24, 0, 'X', 1), "is not a BMP picture"},
      {"header of 8 bytes", Patched(bits24, 14, 8), "is damaged: its header claims to be 8 bytes"},
      {"header of 200 bytes", Patched(bits24, 14, 200), "does not read: a header of 200 bytes"},
      {"header cut", Cut(bits24, 40), "is cut short: the file ends inside its header"},
      {"width 0", Patched(bits24, Width, 0), "is damaged: it claims a size of 0 by 6 pixels"},
      {"width -13", Patched(bits24, Width, static_cast<uint32_t>(-13)), "size of -13 by 6"},
      {"height 0", Patched(bits24, Height, 0), "size of 13 by 0"},
      {"top-down height of the least 32-bit number", Patched(bits24, Height, 0x80000000),
       "is 13 by 2147483648 pixels"},
      {"OS/2 1.x width 0", Patched(core, Width, 0, 2), "size of 0 by 6"},
      {"OS/2 1.x height 0", Patched(core, 20, 0, 2), "size of 13 by 0"},
      {"width 1025 alone, no pixels", Cut(Patched(bits24, Width, 1025), 54),
       "is 1025 by 6 pixels; a picture of this game must be 1 to 1024 pixels wide"},
      {"height 1025 alone, no pixels", Cut(Patched(bits24, Height, 1025), 54), "is 13 by 1025"},
      {"top-down height 1025", Cut(Patched(bits24, Height, static_cast<uint32_t>(-1025)), 54),
       "is 13 by 1025"},
      {"OS/2 1.x width 1025", Cut(Patched(core, Width, 1025, 2), 26), "is 1025 by 6"},
      {"OS/2 1.x height 1025", Cut(Patched(core, 20, 1025, 2), 26), "is 13 by 1025"},
      {"pixels cut", Cut(bits24, bits24.size() - 40), "is cut short"},
      {"pixels start past the end", Patched(bits24, 10, static_cast<uint32_t>(bits24.size() + 1)),
       "is cut short"},
      {"pixels start inside the header", Patched(bits24, 10, 50),
       "is damaged: its pixels start inside its header"},
      {"colour table runs into the pixels", Patched(shortTable, 10, 54 + 10 * 4),
       "is damaged: its colour table runs into its pixels"},
      {"colour 11 of 11", Patched(shortTable, PixelOffset(shortTable) + 3, 11, 1),
       "is damaged: a pixel uses colour 11 of a colour table of 11"},
      {"compression 7", Patched(bits24, Compression, 7), "does not read: compression 7"},
      {"JPEG inside", Patched(bits24, Compression, 4), "does not read: a JPEG picture inside"},
      {"PNG inside", Patched(bits24, Compression, 5), "does not read: a PNG picture inside"},
      {"OS/2 Huffman", Patched(os2, Compression, 3), "does not read: OS/2 Huffman compression"},
      {"OS/2 RLE24", Patched(os2, Compression, 4), "does not read: OS/2 RLE24 compression"},
      {"bitfields on 8 bits", Patched(bits8, Compression, 3),
       "is damaged: channel masks on 8 bits a pixel"},
      {"bitfields on 24 bits", Patched(bits24, Compression, 3), "channel masks on 24 bits"},
      {"bitfields on 1 bit", Patched(oneBit, Compression, 3), "channel masks on 1 bits"},
      {"RLE8 on 24 bits", Patched(bits24, Compression, 1), "is damaged: RLE8 compression on 24"},
      {"RLE4 on 8 bits", Patched(bits8, Compression, 2), "is damaged: RLE4 compression on 8"},
      {"RLE8 on 4 bits", Patched(rle4, Compression, 1), "RLE8 compression on 4"},
      {"RLE8 top-down", EncodeBmp(picture, TopDown(Layout(Info, 8, Rle8))),
       "is damaged: RLE8 compressed rows claim top-down order"},
      {"RLE4 top-down", EncodeBmp(picture, TopDown(Layout(Info, 4, Rle4))), "top-down"},
      {"0 bits", Patched(bits24, Bits, 0, 2), "is damaged: it claims 0 bits a pixel"},
      {"64 bits", Patched(bits24, Bits, 64, 2), "does not read: 64 bits a pixel"},
      {"OS/2 1.x, 16 bits", Patched(core, 24, 16, 2), "does not read: 16 bits a pixel in an OS/2"},
      {"masks with a gap", Patched(bits32, Masks, 0x00F0F000),
       "does not read: a channel mask with gaps in it"},
      {"masks overlapping", Patched(bits32, Masks, 0x0000FF80),
       "is damaged: its channel masks overlap"},
      {"16-bit mask one bit past 16 bits",
       Patched(EncodeBmp(picture, Layout(Info, 16, Bitfields, {0xF800, 0x07E0, 0x001F, 0})), Masks,
               0x10000),
       "is damaged: a channel mask reaches past its 16-bit pixels"},
      {"no colour masks", Patched(Patched(Patched(bits32, Masks, 0), Masks + 4, 0), Masks + 8, 0),
       "is damaged: its colour masks are all empty"},
      {"masks cut", Cut(bits32, 60), "is cut short: the file ends inside its channel masks"},
  };
  // Rows 13 pixels wide are stored 16 wide; a run may fill that, not one pixel more.
  std::vector<uint8_t> literal17 = {0, 17};
  literal17.resize(20, 1);
  const std::vector<RefusalCase> rle = {
      {"RLE8 run past a row", WithCodes(rle8, {17, 1, 0, 1}),
       "is damaged: its compressed pixels run past the end of a row"},
      {"RLE8 run of 16 and 1 past a row", WithCodes(rle8, {16, 1, 1, 1, 0, 1}),
       "past the end of a row"},
      {"RLE8 stored pixels past a row", WithCodes(rle8, literal17), "past the end of a row"},
      {"RLE8 colour past the table", WithCodes(rle8, {1, 11, 0, 1}),
       "is damaged: a pixel uses colour 11 of a colour table of 11"},
      {"RLE8 jump past the picture", WithCodes(rle8, {0, 2, 0, 6, 0, 1}),
       "is damaged: its compressed pixels jump past the end of the picture"},
      {"RLE8 rows past the picture",
       WithCodes(rle8, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}),
       "is damaged: its compressed pixels run past the end of the picture"},
      {"RLE8 ends early", WithCodes(rle8, {2, 1, 0, 0, 13, 1}),
       "is cut short: the file ends before its compressed pixels do"},
      {"RLE8 stored pixels cut", WithCodes(rle8, {0, 5, 1, 1}), "is cut short"},
      {"RLE8 leaving pixels out without the end-of-picture code",
       EncodeBmp(PalettePicture(13, 6, 11, true), WithEnd(Layout(Info, 8, Rle8), RleEnd::Nothing)),
       "is cut short: the file ends before its compressed pixels do"},
      {"RLE4 run with a colour past the table", WithCodes(rle4Short, {2, 0x0B, 0, 1}),
       "is damaged: a pixel uses colour 11 of a colour table of 11"},
      {"RLE4 stored pixels with a colour past the table",
       WithCodes(rle4Short, {0, 3, 0x01, 0xB0, 0, 1}),
       "is damaged: a pixel uses colour 11 of a colour table of 11"},
      {"RLE4 run past a row", WithCodes(rle4, {17, 0x12, 0, 1}), "past the end of a row"},
      {"RLE4 ends early", Cut(rle4, rle4.size() - 6), "is cut short"},
  };
  cases.insert(cases.end(), rle.begin(), rle.end());
  // A "BM" file of 10 to 17 bytes ends inside its header however much of it is there.
  for (std::size_t size = 10; size <= 17; ++size) {
    cases.push_back({"BM of " + std::to_string(size) + " bytes", Cut(bits24, size),
                     "is cut short: the file ends inside its header"});
  }
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)  // a web page's files are the ones it wrote
  // Far more than any picture of ours needs: a file whose size says so is refused before a byte is
  // read (reserving room for it would fail); one that says it is empty and reads on for gigabytes,
  // as a file that grows while it is read, is read only up to the limit.
  const std::string tooLarge = "is far too large to be a picture of this game";
  cases.push_back({"a terabyte, mostly a hole", bits24, tooLarge, std::uintmax_t{1} << 40});
  cases.push_back(
      {"Linux's page map of the test, empty by its size", {}, tooLarge, 0, "/proc/self/pagemap"});
#endif
  return cases;
}

TEST_F(LoadTest, RefusesWhatItCannotShowRightWithTheReasonAndTheFilesName) {
  for (const RefusalCase& refusal : RefusalCases()) {
    SCOPED_TRACE(refusal.Name);
    const std::string path =
        refusal.Path.empty() ? Write("picture.bmp", refusal.Bytes) : refusal.Path;
    if (refusal.HoleTo > 0) {
      fs::resize_file(path, refusal.HoleTo);
    }
    ExpectRefused(path, refusal.Reason);
  }
}

TEST_F(LoadTest, ASpriteKeepsItsOwnCopyAndFreeingItLeavesNothing) {
  Surface picture = Shown(MaskPicture(13, 5, Usual32), false);
  Sprite sprite = LoadSprite(picture);
  picture.Pixels.assign(picture.Pixels.size(), 0x00FFFFFF);
  EXPECT_EQ(sprite.Width, 13);
  EXPECT_EQ(sprite.Height, 5);
  EXPECT_EQ(sprite.Pixels.Pixels, Shown(MaskPicture(13, 5, Usual32), false).Pixels);

  FreeSprite(sprite);
  EXPECT_EQ(sprite.Width, 0);
  EXPECT_EQ(sprite.Height, 0);
  EXPECT_EQ(sprite.Pixels.Pixels.capacity(), 0u);
}

// Runs on over a row's padding (13 pixels are stored 16 wide) load as the same runs stopped at
// the row's end: the padding's pixels are dropped unread, even where they name no colour.
TEST_F(LoadTest, AnRleRowMayRunOnOverItsPaddingWhichIsDropped) {
  using enum BmpHeader;
  using enum BmpCompression;
  const Picture picture = PalettePicture(13, 6, 11, false);
  const std::vector<uint8_t> rle8 = EncodeBmp(picture, WithPalette(Layout(Info, 8, Rle8), 11));
  const std::vector<uint8_t> rle4 = EncodeBmp(picture, WithPalette(Layout(Info, 4, Rle4), 11));
  // Stored pixels: colours 0 to 10 and round again, then padding of colour 255 (or 15).
  std::vector<uint8_t> stored8;
  std::vector<uint8_t> stored4;
  for (int i = 0; i < 16; ++i) {
    stored8.push_back(static_cast<uint8_t>(i < 13 ? i % 11 : 255));
  }
  for (int i = 0; i < 16; i += 2) {
    stored4.push_back(static_cast<uint8_t>((i < 13 ? i % 11 : 15) << 4 | (i < 12 ? 10 - i : 15)));
  }
  const auto literal = [](const std::vector<uint8_t>& stored, std::size_t count) {
    std::vector<uint8_t> codes(2 + stored.size(), 0);
    codes[1] = static_cast<uint8_t>(count);
    std::copy(stored.begin(), stored.end(), codes.begin() + 2);
    return codes;
  };
  const auto then = [](std::vector<uint8_t> codes, const std::vector<uint8_t>& more) {
    codes.insert(codes.end(), more.begin(), more.end());
    return codes;
  };
  std::vector<uint8_t> stored8Of13(stored8.begin(), stored8.begin() + 14);
  stored8Of13.back() = 0;  // a stored stretch ends on a 16-bit boundary
  const std::vector<uint8_t> stored4Of13(stored4.begin(), stored4.begin() + 8);
  struct Case {
    const char* Name;
    std::vector<uint8_t> Padded;
    std::vector<uint8_t> Plain;
  };
  const std::vector<Case> cases = {
      {"RLE8 run", WithCodes(rle8, {16, 3, 0, 0, 2, 4, 0, 1}),
       WithCodes(rle8, {13, 3, 0, 0, 2, 4, 0, 1})},
      {"RLE8 run after a stored stretch", WithCodes(rle8, {0, 3, 1, 2, 3, 0, 13, 7, 0, 1}),
       WithCodes(rle8, {0, 3, 1, 2, 3, 0, 10, 7, 0, 1})},
      {"RLE8 stored pixels", WithCodes(rle8, then(literal(stored8, 16), {0, 0, 1, 9, 0, 1})),
       WithCodes(rle8, then(literal(stored8Of13, 13), {0, 0, 1, 9, 0, 1}))},
      {"RLE4 run", WithCodes(rle4, {16, 0x34, 0, 0, 2, 0x45, 0, 1}),
       WithCodes(rle4, {13, 0x34, 0, 0, 2, 0x45, 0, 1})},
      {"RLE4 stored pixels", WithCodes(rle4, then(literal(stored4, 16), {0, 1})),
       WithCodes(rle4, then(literal(stored4Of13, 13), {0, 1}))},
  };
  for (const Case& padded : cases) {
    SCOPED_TRACE(padded.Name);
    const Surface plain = LoadPicture(Write("plain.bmp", padded.Plain));
    EXPECT_EQ(LoadPicture(Write("padded.bmp", padded.Padded)).Pixels, plain.Pixels);
    EXPECT_NE(plain.Row(5)[12], 0u) << "the row's last pixel was left out";
  }
}

// A binary PPM (P6) of 8-bit channels, as ImageMagick writes one.
Surface ReadPpm(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFile(path);
  std::istringstream header(
      std::string(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 64)));
  std::string magic;
  int width = 0;
  int height = 0;
  int largest = 0;
  header >> magic >> width >> height >> largest;
  if (magic != "P6" || largest != 255 || width <= 0 || height <= 0) {
    ADD_FAILURE() << path << " is no 8-bit P6 picture";
    return Surface(1, 1);
  }
  const std::size_t start = static_cast<std::size_t>(header.tellg()) + 1;
  Surface picture(width, height);
  if (bytes.size() < start + picture.Pixels.size() * 3) {
    ADD_FAILURE() << path << " is cut short";
    return picture;
  }
  for (std::size_t i = 0; i < picture.Pixels.size(); ++i) {
    const uint8_t* rgb = &bytes[start + i * 3];
    picture.Pixels[i] = static_cast<uint32_t>(rgb[0]) << 16 | rgb[1] << 8 | rgb[2];
  }
  return picture;
}

// Pictures written by ImageMagick (render/tests/bitmaps/make.sh) load as ImageMagick itself
// decodes them. Its RLE8 rows of widths 30 and 37 run on over the row's padding.
TEST_F(LoadTest, PicturesWrittenByImageMagickLoadAsImageMagickReadsThem) {
  struct Case {
    const char* Name;
    uint32_t Bits;
    uint32_t Compression;  // 0 none, 1 RLE8, 3 channel masks
  };
  const Case cases[] = {
      {"rle8-30", 8, 1}, {"rle8-37", 8, 1},   {"rle8-40", 8, 1},
      {"pal8-30", 8, 0}, {"pal8-37", 8, 0},   {"pal8-40", 8, 0},
      {"pal4-37", 4, 0}, {"rgb24-37", 24, 0}, {"argb32-37", 32, 3},
  };
  for (const Case& written : cases) {
    SCOPED_TRACE(written.Name);
    const std::string path = std::string(NUIKARO_BITMAPS_DIR) + written.Name;
    const std::vector<uint8_t> bytes = ReadFile(path + ".bmp");
    ASSERT_GT(bytes.size(), 34u);
    EXPECT_EQ(bytes[28] | bytes[29] << 8, static_cast<int>(written.Bits)) << "bits a pixel";
    EXPECT_EQ(bytes[30] | bytes[31] << 8 | bytes[32] << 16 | bytes[33] << 24,
              static_cast<int>(written.Compression))
        << "compression";
    const Surface loaded = LoadPicture(path + ".bmp");
    const Surface decoded = ReadPpm(path + ".ppm");
    EXPECT_EQ(loaded.Width, decoded.Width);
    EXPECT_EQ(loaded.Height, decoded.Height);
    EXPECT_EQ(loaded.Pixels, decoded.Pixels);
  }
}

// A missing file gives the system's reason; anything but a regular file is refused before a byte
// is read, at once: a named pipe with no writer would hold a plain open up for ever (the test
// lets it go after five seconds, as a writer). On Linux the system says the pipe was never opened
// at all, not even one that cannot wait.
TEST_F(LoadTest, AFileThatIsMissingOrNoRegularFileIsRefusedAtOnceWithTheReason) {
#ifdef __EMSCRIPTEN__
  GTEST_SKIP() << "a web page's build has no thread to watch the load from";
#endif
  struct Case {
    std::string Path;
    std::string Reason;
  };
  std::vector<Case> cases = {
      {(directory / "BackTile.bmp").string(),
       std::string("cannot be opened: ") + std::strerror(ENOENT)},
      {directory.string(), "is a folder, not a picture file"},
  };
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)  // a web page's files are the ones it wrote
  fs::create_directories(directory / "pipe");
  const std::string pipe = (directory / "pipe" / "BackTile.bmp").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0) << std::strerror(errno);
  cases.push_back({pipe, "is a named pipe (FIFO), not a picture file"});
  cases.push_back({"/dev/null", "is a device, not a picture file"});
#endif
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
  const int opens = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(opens, 0) << std::strerror(errno);
  ASSERT_GE(inotify_add_watch(opens, pipe.c_str(), IN_OPEN), 0) << std::strerror(errno);
#endif
  for (const Case& refusal : cases) {
    SCOPED_TRACE(refusal.Path);
    std::future<void> load =
        std::async(std::launch::async, [&] { ExpectRefused(refusal.Path, refusal.Reason); });
    if (load.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
      ADD_FAILURE() << "the load waited on the file";
#if !defined(_WIN32)
      close(open(refusal.Path.c_str(), O_WRONLY));
#endif
    }
    load.get();
  }
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
  alignas(inotify_event) char opened[sizeof(inotify_event) + 256];
  EXPECT_LT(read(opens, opened, sizeof opened), 0) << "the named pipe was opened";
  close(opens);
#endif
}

TEST_F(LoadTest, LoadSpritesReadsTheTileAndTheSheetFromTheDirectory) {
  const Picture tile = MaskPicture(13, 5, Usual32);
  Write(BackTileFile, EncodeBmp(tile, Layout(BmpHeader::Info, 24)));
  Write(ItemSheetFile, EncodeBmp(Picture(64, 48), Layout(BmpHeader::Info, 4)));
  Game game;
  Renderer renderer(game);
  LoadSprites(renderer, directory.string() + "/");
  EXPECT_EQ(renderer.BackSprite.Width, 13);
  EXPECT_EQ(renderer.BackSprite.Pixels.Pixels, Shown(tile, false).Pixels);
  EXPECT_EQ(renderer.ItemSprite.Width, 64);
  EXPECT_EQ(renderer.ItemSprite.Height, 48);

  FreeSprites(renderer);
  EXPECT_EQ(renderer.BackSprite.Width + renderer.BackSprite.Height, 0);
  EXPECT_EQ(renderer.ItemSprite.Width + renderer.ItemSprite.Height, 0);
  EXPECT_TRUE(renderer.ItemSprite.Pixels.Pixels.empty());
}

TEST_F(LoadTest, LoadSpritesChecksTheTileAndSheetSizesFromTheHeaders) {
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
  // Only the header is written: a size outside the rule is refused before any pixel is read.
  const auto headerOnly = [&](const std::string& file, int width, int height) {
    Write(file, Cut(EncodeBmp(Picture(width, height), Layout(BmpHeader::Info, 1)), 54));
  };
  const BmpLayout oneBit = Layout(BmpHeader::Info, 1);
  expectRefused(BackTileFile, std::strerror(ENOENT));
  Write(ItemSheetFile, EncodeBmp(Picture(64, 48), oneBit));
  headerOnly(BackTileFile, 481, 1);
  expectRefused(BackTileFile,
                "is 481 by 1 pixels; a background tile must be 1 to 480 pixels wide "
                "and 1 to 480 high");
  headerOnly(BackTileFile, 1, 481);
  expectRefused(BackTileFile, "1 by 481");

  Write(BackTileFile, EncodeBmp(Picture(480, 480), oneBit));
  headerOnly(ItemSheetFile, 63, 48);
  expectRefused(ItemSheetFile,
                "is 63 by 48 pixels; the sprite sheet must be 64 to 1024 pixels "
                "wide and 48 to 1024 high");
  headerOnly(ItemSheetFile, 64, 47);
  expectRefused(ItemSheetFile, "64 by 47");
  headerOnly(ItemSheetFile, 1025, 48);
  expectRefused(ItemSheetFile, "1025 by 48");
  headerOnly(ItemSheetFile, 64, 1025);
  expectRefused(ItemSheetFile, "64 by 1025");

  Write(BackTileFile, EncodeBmp(Picture(1, 1), oneBit));
  Write(ItemSheetFile, EncodeBmp(Picture(1024, 1024), oneBit));
  LoadSprites(renderer, prefix);
  EXPECT_EQ(renderer.BackSprite.Width, 1);
  EXPECT_EQ(renderer.ItemSprite.Width, 1024);
  EXPECT_EQ(renderer.ItemSprite.Height, 1024);
}

}  // namespace
}  // namespace nuikaro
