// The icons' PNG files: read back through zlib they hold exactly the pixels drawn, and they are
// compressed. The committed icons are compared by pixels: another zlib may choose other bytes.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tools/Artwork.h"
#include "tools/Picture.h"

namespace nuikaro {
namespace {

std::uint32_t Be32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes.at(at)) << 24 | bytes.at(at + 1) << 16 |
         bytes.at(at + 2) << 8 | bytes.at(at + 3);
}

// Reads what EncodePng writes: 8-bit RGBA, not interlaced, rows unfiltered. Every chunk's CRC is
// checked, and the rows must inflate to exactly the picture's size.
Picture DecodePng(const std::vector<std::uint8_t>& bytes) {
  const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 8 || !std::equal(signature.begin(), signature.end(), bytes.begin())) {
    throw std::runtime_error("no PNG signature");
  }
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> packed;
  std::string type;
  for (std::size_t at = 8; type != "IEND"; at += 12 + Be32(bytes, at)) {
    const std::uint32_t length = Be32(bytes, at);
    if (at + 12 + length > bytes.size()) {
      throw std::runtime_error("a chunk runs past the end");
    }
    type.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + 4),
                bytes.begin() + static_cast<std::ptrdiff_t>(at + 8));
    if (crc32(0, bytes.data() + at + 4, length + 4) != Be32(bytes, at + 8 + length)) {
      throw std::runtime_error(type + ": wrong CRC");
    }
    const auto data = bytes.begin() + static_cast<std::ptrdiff_t>(at + 8);
    if (type == "IHDR") {
      width = static_cast<int>(Be32(bytes, at + 8));
      height = static_cast<int>(Be32(bytes, at + 12));
      const std::vector<std::uint8_t> rgba8 = {8, 6, 0, 0, 0};
      if (length != 13 || !std::equal(rgba8.begin(), rgba8.end(), data + 8)) {
        throw std::runtime_error("not 8-bit RGBA without interlace");
      }
    } else if (type == "IDAT") {
      packed.insert(packed.end(), data, data + length);
    }
  }
  const std::size_t rowBytes = 1 + 4 * static_cast<std::size_t>(width);
  std::vector<std::uint8_t> raw(rowBytes * static_cast<std::size_t>(height) + 1);
  uLongf rawSize = raw.size();
  if (uncompress(raw.data(), &rawSize, packed.data(), packed.size()) != Z_OK ||
      rawSize != raw.size() - 1) {
    throw std::runtime_error("the pixels do not inflate to the picture's rows");
  }
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = raw.data() + rowBytes * static_cast<std::size_t>(y);
    if (row[0] != 0) {
      throw std::runtime_error("a filtered row");
    }
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* pixel = row + 1 + 4 * x;
      picture.At(x, y) = Rgba{pixel[0], pixel[1], pixel[2], pixel[3]};
    }
  }
  return picture;
}

TEST(Png, ReadsBackToTheSamePixelsAlphaIncluded) {
  Picture picture(5, 7);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 5; ++x) {
      picture.At(x, y) = Rgba{static_cast<std::uint8_t>(x * 50), static_cast<std::uint8_t>(y * 30),
                              static_cast<std::uint8_t>(x * y), static_cast<std::uint8_t>(x * 60)};
    }
  }
  const Picture back = DecodePng(EncodePng(picture));
  EXPECT_EQ(back.Width, 5);
  EXPECT_EQ(back.Height, 7);
  EXPECT_TRUE(back.Pixels == picture.Pixels);
}

// Each icon, drawn now and as committed: the same pixels, in under half the raw RGBA size.
TEST(Png, IconsAreCompressedAndTheCommittedOnesHoldTheDrawnPixels) {
  std::vector<std::pair<std::string, Picture>> icons;
  for (int size : IconSizes) {
    icons.emplace_back("nuikaro-" + std::to_string(size), DrawIcon(size));
  }
  for (int size : WebIconSizes) {
    icons.emplace_back("nuikaro-" + std::to_string(size), DrawIcon(size));
    icons.emplace_back("nuikaro-maskable-" + std::to_string(size), DrawMaskableIcon(size));
  }
  for (const auto& [name, drawn] : icons) {
    const std::size_t rawBytes = drawn.Pixels.size() * 4;
    const std::vector<std::uint8_t> written = EncodePng(drawn);
    EXPECT_LT(written.size() * 2, rawBytes) << name;
    const std::string path = std::string(NUIKARO_ASSET_DIR) + name + ".png";
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> committed{std::istreambuf_iterator<char>(file),
                                              std::istreambuf_iterator<char>()};
    EXPECT_LT(committed.size() * 2, rawBytes) << path;
    EXPECT_TRUE(DecodePng(committed).Pixels == drawn.Pixels) << path;
  }
}

}  // namespace
}  // namespace nuikaro
