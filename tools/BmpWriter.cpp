// Writing the artwork's BMP files: 24 bits for the pictures the game loads, 32 bits with alpha for
// the window icon.
#include "render/BmpFormat.h"
#include "tools/Picture.h"

namespace nuikaro {

namespace {

// 2835 pixels per metre is 72 dpi; some viewers show 0 as "unknown", which is harmless but odd.
constexpr std::uint32_t PixelsPerMetre = 2835;

// Rows bottom-up, each padded to a multiple of four bytes; a pixel's bytes are blue, green, red
// and, with four bytes a pixel, alpha.
std::vector<std::uint8_t> PixelRows(const Picture& picture, int bytesPerPixel) {
  const std::size_t rowBytes =
      (static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(bytesPerPixel) + 3) / 4 *
      4;
  std::vector<std::uint8_t> rows;
  for (int y = picture.Height - 1; y >= 0; --y) {
    const std::size_t rowStart = rows.size();
    for (int x = 0; x < picture.Width; ++x) {
      const Rgba& pixel = picture.At(x, y);
      rows.insert(rows.end(), {pixel.B, pixel.G, pixel.R});
      if (bytesPerPixel == 4) {
        rows.push_back(pixel.A);
      }
    }
    rows.resize(rowStart + rowBytes, 0);
  }
  return rows;
}

// The file: its header, an info header of the given kind (Info, or V4 with the masks of the
// pixels' byte order and sRGB), then the pixels.
std::vector<std::uint8_t> BmpFile(const Picture& picture, BmpHeader header, std::uint16_t bits,
                                  BmpCompression compression) {
  const std::vector<std::uint8_t> pixels = PixelRows(picture, bits / 8);
  const auto imageSize = static_cast<std::uint32_t>(pixels.size());
  const std::uint32_t offset = BmpFileHeaderSize + HeaderBytes(header);
  std::vector<std::uint8_t> out = {'B', 'M'};
  PutLe32(out, offset + imageSize);
  PutLe32(out, 0);
  PutLe32(out, offset);
  PutLe32(out, HeaderBytes(header));
  PutLe32(out, static_cast<std::uint32_t>(picture.Width));
  PutLe32(out, static_cast<std::uint32_t>(picture.Height));  // positive: rows bottom-up
  PutLe16(out, 1);                                           // planes
  PutLe16(out, bits);
  PutLe32(out, static_cast<std::uint32_t>(compression));
  PutLe32(out, imageSize);
  PutLe32(out, PixelsPerMetre);
  PutLe32(out, PixelsPerMetre);
  PutLe32(out, 0);  // colours used: none, no table
  PutLe32(out, 0);  // important colours: all
  if (header == BmpHeader::V4) {
    constexpr std::uint32_t LcsSrgb = 0x73524742;  // 'sRGB'
    for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) {
      PutLe32(out, mask);
    }
    PutLe32(out, LcsSrgb);
    for (int i = 0; i < 12; ++i) {  // colour-space endpoints and gammas, unused with sRGB
      PutLe32(out, 0);
    }
  }
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Picture& picture) {
  return BmpFile(picture, BmpHeader::Info, 24, BmpCompression::Rgb);
}

std::vector<std::uint8_t> EncodeBmp32(const Picture& picture) {
  return BmpFile(picture, BmpHeader::V4, 32, BmpCompression::Bitfields);
}

}  // namespace nuikaro
