#include "tools/IconFile.h"

#include <stdexcept>

#include "render/BmpFormat.h"

namespace nuikaro {

namespace {

std::vector<std::uint8_t> EncodeImage(const Picture& picture) {
  const auto size = static_cast<std::uint32_t>(picture.Width);
  const std::uint32_t maskRowBytes = (size + 31) / 32 * 4;
  std::vector<std::uint8_t> out;
  PutLe32(out, HeaderBytes(BmpHeader::Info));
  PutLe32(out, size);      // width
  PutLe32(out, size * 2);  // height of picture and mask together
  PutLe16(out, 1);         // planes
  PutLe16(out, 32);        // bits per pixel
  PutLe32(out, static_cast<std::uint32_t>(BmpCompression::Rgb));
  PutLe32(out, size * size * 4 + maskRowBytes * size);
  for (int i = 0; i < 4; ++i) {  // resolution and palette: unused
    PutLe32(out, 0);
  }
  for (int y = picture.Height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.Width; ++x) {
      const Rgba& pixel = picture.At(x, y);
      out.insert(out.end(), {pixel.B, pixel.G, pixel.R, pixel.A});
    }
  }
  for (int y = picture.Height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskRowBytes, 0);
    for (int x = 0; x < picture.Width; ++x) {
      if (picture.At(x, y).A == 0) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(std::span<const Picture> pictures) {
  constexpr std::uint32_t DirectoryBytes = 6;
  constexpr std::uint32_t EntryBytes = 16;
  std::vector<std::vector<std::uint8_t>> images;
  for (const Picture& picture : pictures) {
    if (picture.Width != picture.Height || picture.Width < 1 || picture.Width > 256) {
      throw std::invalid_argument("an icon image must be square, 1 to 256 pixels");
    }
    images.push_back(EncodeImage(picture));
  }
  std::vector<std::uint8_t> out;
  PutLe16(out, 0);  // reserved
  PutLe16(out, 1);  // icon, not cursor
  PutLe16(out, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = DirectoryBytes + EntryBytes * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const auto size = static_cast<std::uint32_t>(pictures[i].Width);
    out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));  // width; 0 means 256
    out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));  // height
    out.push_back(0);                                                  // no palette
    out.push_back(0);                                                  // reserved
    PutLe16(out, 1);                                                   // planes
    PutLe16(out, 32);                                                  // bits per pixel
    PutLe32(out, static_cast<std::uint32_t>(images[i].size()));
    PutLe32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& image : images) {
    out.insert(out.end(), image.begin(), image.end());
  }
  return out;
}

}  // namespace nuikaro
