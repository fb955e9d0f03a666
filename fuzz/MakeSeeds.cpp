// Writes the fuzzer's seed pictures, one small file for each way a BMP can be stored, into the
// directory given as the only argument:
//   make_fuzz_seeds fuzz/seeds
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tests/support/BmpLayout.h"

namespace {

using nuikaro::BmpCompression;
using nuikaro::BmpHeader;
using nuikaro::BmpLayout;
using nuikaro::Picture;
using nuikaro::Rgba;

// Five colours in runs and single pixels; with alpha 0 in two places, which RLE leaves out.
Picture Sample(int width, int height) {
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int index = x < 3 ? x + y : y;
      picture.At(x, y) =
          Rgba{static_cast<uint8_t>(index * 79 % 5 * 60), static_cast<uint8_t>(index * 31 % 5 * 50),
               static_cast<uint8_t>(200 - index % 5 * 40),
               static_cast<uint8_t>((x + y) % 4 == 3 ? 0 : 255)};
    }
  }
  return picture;
}

struct Seed {
  const char* Name;
  BmpLayout Layout;
};

BmpLayout Make(BmpHeader header, uint16_t bits, BmpCompression compression = BmpCompression::Rgb,
               std::array<uint32_t, 4> masks = {}, bool topDown = false, int palette = 0) {
  BmpLayout layout;
  layout.Header = header;
  layout.Bits = bits;
  layout.Compression = compression;
  layout.Masks = masks;
  layout.TopDown = topDown;
  layout.PaletteSize = palette;
  return layout;
}

BmpLayout WithHeaderSize(BmpLayout layout, uint32_t size) {
  layout.HeaderSize = size;
  return layout;
}

BmpLayout WithEnd(BmpLayout layout, nuikaro::RleEnd end) {
  layout.End = end;
  return layout;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_fuzz_seeds <output directory>\n";
    return 2;
  }
  using enum BmpHeader;
  using enum BmpCompression;
  const std::vector<Seed> seeds = {
      {"os2-core-4.bmp", Make(Os2Core, 4)},
      {"os2-core-24.bmp", Make(Os2Core, 24)},
      {"os2-short-8.bmp", Make(Os2Short, 8)},
      {"os2-rle8.bmp", Make(Os2, 8, Rle8)},
      {"os2-20-rle4.bmp", WithHeaderSize(Make(Os2, 4, Rle4), 20)},
      {"info-4-top-down-short.bmp", Make(Info, 4, Rgb, {}, true, 5)},
      {"info-4-rle4.bmp", Make(Info, 4, Rle4)},
      {"info-8-rle8-short.bmp", Make(Info, 8, Rle8, {}, false, 5)},
      {"info-8-rle8-no-end.bmp", WithEnd(Make(Info, 8, Rle8), nuikaro::RleEnd::Nothing)},
      {"info-8-oversized.bmp", Make(Info, 8, Rgb, {}, false, 300)},
      {"info-16.bmp", Make(Info, 16)},
      {"info-16-alpha-bitfields.bmp",
       Make(Info, 16, AlphaBitfields, {0x0F00, 0x00F0, 0x000F, 0xF000})},
      {"info-24.bmp", Make(Info, 24)},
      {"info-32-bitfields.bmp", Make(Info, 32, Bitfields, {0xFF000000, 0x00000FF0, 0x00FF0000, 0})},
      {"v2-16-bitfields.bmp", Make(V2, 16, Bitfields, {0x0030, 0x0007, 0x0008, 0})},
      {"v3-16-bitfields.bmp", Make(V3, 16, Bitfields, {0x8000, 0x7FC0, 0x0030, 0x000F})},
      {"v4-32-top-down.bmp",
       Make(V4, 32, Bitfields, {0xFFE00000, 0x001FFC00, 0x000003FF, 0}, true)},
      {"v5-8.bmp", Make(V5, 8)},
  };
  try {
    for (const Seed& seed : seeds) {
      nuikaro::WriteFile(std::string(argv[1]) + "/" + seed.Name,
                         nuikaro::EncodeBmp(Sample(7, 5), seed.Layout));
    }
  } catch (const std::exception& error) {
    std::cerr << "make_fuzz_seeds: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
