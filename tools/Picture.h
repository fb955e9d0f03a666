// A picture in memory and the three file formats our artwork is written in. The same picture
// always gives the same file bytes (the PNG's with the same zlib).
#pragma once

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

// 24-bit uncompressed BMP (BITMAPINFOHEADER, bottom-up rows); alpha is dropped.
std::vector<std::uint8_t> EncodeBmp24(const Picture& picture);
// 32-bit BMP with a BITMAPV4HEADER and explicit channel masks, so decoders keep the alpha.
std::vector<std::uint8_t> EncodeBmp32(const Picture& picture);
// RGBA PNG compressed with zlib (the native build's only: the icons are drawn there).
std::vector<std::uint8_t> EncodePng(const Picture& picture);

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace nuikaro
