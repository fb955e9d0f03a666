// The BMP format's numbers, its byte order and its channel-mask arithmetic, shared by the decoder
// (render/Bitmap*.cpp) and every writer of BMP files (tools/, the tests' support).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace nuikaro {

inline constexpr std::size_t BmpFileHeaderSize = 14;

// The info headers a BMP file can have, named by their size in bytes.
enum class BmpHeader : uint32_t {
  Os2Core = 12,   // OS/2 1.x: 16-bit sizes, 3-byte colours, no compression
  Os2Short = 16,  // OS/2 2.x stopping after the bit count; it may stop anywhere up to Os2
  Info = 40,      // BITMAPINFOHEADER; masks, when used, follow it
  V2 = 52,        // red, green and blue masks in the header
  V3 = 56,        // and alpha
  Os2 = 64,       // OS/2 2.x in full
  V4 = 108,       // masks and colour space in the header
  V5 = 124,
};

inline constexpr uint32_t HeaderBytes(BmpHeader header) {
  return static_cast<uint32_t>(header);
}

// Compression codes. In an OS/2 2.x header 3 and 4 mean Huffman and RLE24.
enum class BmpCompression : uint32_t {
  Rgb = 0,
  Rle8 = 1,
  Rle4 = 2,
  Bitfields = 3,
  Jpeg = 4,
  Png = 5,
  AlphaBitfields = 6,  // four masks after a 40-byte header
};

inline uint32_t Little16(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8);
}

inline uint32_t Little32(std::span<const unsigned char> bytes, std::size_t at) {
  return Little16(bytes, at) | (Little16(bytes, at + 2) << 16);
}

inline void PutLe16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void PutLe32(std::vector<uint8_t>& out, uint32_t value) {
  PutLe16(out, value & 0xFFFF);
  PutLe16(out, value >> 16);
}

// One colour channel as a mask: where its bits lie and how many there are. A mask may be 32 bits
// wide, so the scaling is done in 64 bits.
struct ChannelMask {
  uint32_t Mask = 0;
  int Shift = 0;
  uint64_t Largest = 0;  // the channel's full value, 2^bits - 1; 0 for an empty mask

  explicit ChannelMask(uint32_t mask = 0) : Mask(mask) {
    if (mask != 0) {
      Shift = std::countr_zero(mask);
      Largest = mask >> Shift;
    }
  }
  bool Contiguous() const { return (Largest & (Largest + 1)) == 0; }
  // The channel of a stored pixel as the nearest 8-bit value, so that full scale is 255 at any
  // width.
  uint32_t Expand(uint32_t pixel) const {
    if (Largest == 0) {
      return 0;
    }
    const uint64_t value = (pixel & Mask) >> Shift;
    return static_cast<uint32_t>((value * 255 + Largest / 2) / Largest);
  }
  // An 8-bit value rounded to the mask's width, in place: what a writer stores.
  uint32_t Pack(uint8_t value) const {
    return static_cast<uint32_t>((uint64_t{value} * Largest + 127) / 255) << Shift;
  }
};

}  // namespace nuikaro
