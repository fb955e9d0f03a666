#include "tools/Picture.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <stdexcept>

namespace nuikaro {

Picture::Picture(int width, int height, Rgba fill)
    : Width(width), Height(height), Pixels(static_cast<std::size_t>(width * height), fill) {}

Rgba& Picture::At(int x, int y) {
  if (x < 0 || y < 0 || x >= Width || y >= Height) {
    throw std::out_of_range("pixel outside the picture");
  }
  return Pixels[static_cast<std::size_t>(y * Width + x)];
}

const Rgba& Picture::At(int x, int y) const {
  return const_cast<Picture&>(*this).At(x, y);
}

namespace {

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutLe16(out, value & 0xFFFF);
  PutLe16(out, value >> 16);
}

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

// 2835 pixels per metre is 72 dpi; some viewers show 0 as "unknown", which is harmless but odd.
constexpr std::uint32_t PixelsPerMetre = 2835;

void PutFileHeader(std::vector<std::uint8_t>& out, std::uint32_t headerSize,
                   std::uint32_t imageSize) {
  const std::uint32_t offset = 14 + headerSize;
  out.push_back('B');
  out.push_back('M');
  PutLe32(out, offset + imageSize);
  PutLe32(out, 0);
  PutLe32(out, offset);
}

void PutInfoFields(std::vector<std::uint8_t>& out, std::uint32_t headerSize, const Picture& picture,
                   std::uint16_t bitCount, std::uint32_t compression, std::uint32_t imageSize) {
  PutLe32(out, headerSize);
  PutLe32(out, static_cast<std::uint32_t>(picture.Width));
  PutLe32(out, static_cast<std::uint32_t>(picture.Height));  // positive: rows stored bottom-up
  PutLe16(out, 1);
  PutLe16(out, bitCount);
  PutLe32(out, compression);
  PutLe32(out, imageSize);
  PutLe32(out, PixelsPerMetre);
  PutLe32(out, PixelsPerMetre);
  PutLe32(out, 0);
  PutLe32(out, 0);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Picture& picture) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(picture.Width) * 3 + 3) & ~3u;
  const std::uint32_t imageSize = rowBytes * static_cast<std::uint32_t>(picture.Height);
  std::vector<std::uint8_t> out;
  PutFileHeader(out, 40, imageSize);
  PutInfoFields(out, 40, picture, 24, 0, imageSize);
  for (int y = picture.Height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.Width; ++x) {
      const Rgba& pixel = picture.At(x, y);
      out.insert(out.end(), {pixel.B, pixel.G, pixel.R});
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(picture.Width) * 3; pad < rowBytes; ++pad) {
      out.push_back(0);
    }
  }
  return out;
}

std::vector<std::uint8_t> EncodeBmp32(const Picture& picture) {
  constexpr std::uint32_t V4HeaderSize = 108;
  constexpr std::uint32_t BiBitfields = 3;
  constexpr std::uint32_t LcsSrgb = 0x73524742;  // 'sRGB'
  const std::uint32_t imageSize =
      static_cast<std::uint32_t>(picture.Width) * static_cast<std::uint32_t>(picture.Height) * 4;
  std::vector<std::uint8_t> out;
  PutFileHeader(out, V4HeaderSize, imageSize);
  PutInfoFields(out, V4HeaderSize, picture, 32, BiBitfields, imageSize);
  PutLe32(out, 0x00FF0000);  // red mask
  PutLe32(out, 0x0000FF00);  // green mask
  PutLe32(out, 0x000000FF);  // blue mask
  PutLe32(out, 0xFF000000);  // alpha mask
  PutLe32(out, LcsSrgb);
  for (int i = 0; i < 12; ++i) {  // colour-space endpoints and gammas, unused with sRGB
    PutLe32(out, 0);
  }
  for (int y = picture.Height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.Width; ++x) {
      const Rgba& pixel = picture.At(x, y);
      out.insert(out.end(), {pixel.B, pixel.G, pixel.R, pixel.A});
    }
  }
  return out;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) {
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      }
      entries[n] = c;
    }
    return entries;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t byte : bytes) {
    crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  constexpr std::uint32_t Modulus = 65521;
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : bytes) {
    a = (a + byte) % Modulus;
    b = (b + a) % Modulus;
  }
  return (b << 16) | a;
}

namespace {

void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
              const std::vector<std::uint8_t>& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, Crc32(std::span(out).subspan(typeStart)));
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

  std::vector<std::uint8_t> zlib = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
  constexpr std::size_t MaxStored = 65535;
  std::size_t done = 0;
  do {
    const std::size_t length = std::min(MaxStored, raw.size() - done);
    const bool last = done + length == raw.size();
    zlib.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
    PutLe16(zlib, static_cast<std::uint32_t>(length));
    PutLe16(zlib, static_cast<std::uint32_t>(~length & 0xFFFF));
    zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(done),
                raw.begin() + static_cast<std::ptrdiff_t>(done + length));
    done += length;
  } while (done < raw.size());
  PutBe32(zlib, Adler32(raw));

  std::vector<std::uint8_t> header;
  PutBe32(header, static_cast<std::uint32_t>(picture.Width));
  PutBe32(header, static_cast<std::uint32_t>(picture.Height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive, no interlace

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", zlib);
  PutChunk(out, "IEND", {});
  return out;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace nuikaro
