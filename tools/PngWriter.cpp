// Writing a picture as an RGBA PNG, its rows compressed by zlib.
#include <zlib.h>

#include <stdexcept>

#include "tools/Picture.h"

namespace nuikaro {

namespace {

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
              const std::vector<std::uint8_t>& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, static_cast<std::uint32_t>(
                   crc32(0, out.data() + typeStart, static_cast<uInt>(out.size() - typeStart))));
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Picture& picture) {
  std::vector<std::uint8_t> raw;  // each row: filter type 0 (none), then RGBA
  for (int y = 0; y < picture.Height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < picture.Width; ++x) {
      const Rgba& pixel = picture.At(x, y);
      raw.insert(raw.end(), {pixel.R, pixel.G, pixel.B, pixel.A});
    }
  }

  uLongf packedSize = compressBound(raw.size());
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), raw.size(), Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("zlib could not compress the picture");
  }
  packed.resize(packedSize);

  std::vector<std::uint8_t> header;
  PutBe32(header, static_cast<std::uint32_t>(picture.Width));
  PutBe32(header, static_cast<std::uint32_t>(picture.Height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive, no interlace

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace nuikaro
