// A picture in memory and the three file formats our artwork is written in. The same picture
// always gives the same file bytes (the PNG's with the same zlib).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nuikaro {

struct Rgba {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  std::uint8_t A = 255;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Top-left origin, rows top to bottom. Reading or writing outside is refused by At().
struct Picture {
  int Width = 0;
  int Height = 0;
  std::vector<Rgba> Pixels;

  Picture(int width, int height, Rgba fill = {});
  Rgba& At(int x, int y);
  const Rgba& At(int x, int y) const;
};

// The info headers a BMP file can have, by their size in bytes.
enum class BmpHeader : std::uint32_t {
  Os2Core = 12,   // OS/2 1.x: 16-bit sizes, 3-byte colours, no compression
  Os2Short = 16,  // OS/2 2.x stopping after the bit count: no compression
  Os2 = 64,       // OS/2 2.x in full
  Info = 40,      // BITMAPINFOHEADER; masks, when used, follow it
  V2 = 52,        // red, green and blue masks in the header
  V3 = 56,        // and alpha
  V4 = 108,       // masks and colour space in the header
  V5 = 124,
};

enum class BmpCompression : std::uint32_t {
  Rgb = 0,
  Rle8 = 1,
  Rle4 = 2,
  Bitfields = 3,
  AlphaBitfields = 6,  // four masks after a 40-byte header
};

// One way of storing a picture. Bits 1, 2, 4 and 8 take a colour table made of the picture's
// colours in order of first appearance.
struct BmpLayout {
  BmpHeader Header = BmpHeader::Info;
  std::uint16_t Bits = 24;
  BmpCompression Compression = BmpCompression::Rgb;
  // Red, green, blue, alpha. With Rgb, 16 bits are 5-5-5 and 32 bits 8-8-8 with alpha on top.
  std::array<std::uint32_t, 4> Masks{};
  bool TopDown = false;  // negative height; never with Os2Core
  // Colours in the table: 0 for 2^Bits; fewer for a short table, more for an oversized one.
  int PaletteSize = 0;
};

// Writes picture in the layout. Each channel is rounded to its mask's width; an RLE file leaves
// out every pixel of alpha 0 (moving over it, ending its row or the picture early), which decoders
// show black. Throws std::invalid_argument when the picture has more colours than the table holds
// or the layout is not one of the above.
std::vector<std::uint8_t> EncodeBmp(const Picture& picture, const BmpLayout& layout);

// 24-bit uncompressed BMP (BITMAPINFOHEADER, bottom-up rows); alpha is dropped.
std::vector<std::uint8_t> EncodeBmp24(const Picture& picture);
// 32-bit BMP with a BITMAPV4HEADER and explicit channel masks, so decoders keep the alpha.
std::vector<std::uint8_t> EncodeBmp32(const Picture& picture);
// RGBA PNG compressed with zlib (the native build's only: the icons are drawn there).
std::vector<std::uint8_t> EncodePng(const Picture& picture);

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace nuikaro
