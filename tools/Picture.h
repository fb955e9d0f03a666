// A picture in memory and the three file formats our artwork is written in. Everything here is
// plain byte arithmetic, so the same picture always gives the same file bytes.
#pragma once

#include <cstdint>
#include <span>
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
// RGBA PNG with stored (uncompressed) deflate blocks: no zlib needed, and the icons are tiny.
std::vector<std::uint8_t> EncodePng(const Picture& picture);

// The checksums PNG needs: CRC-32 of the chunks and Adler-32 of the zlib stream.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace nuikaro
