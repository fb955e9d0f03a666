// The BMP reader's pieces, shared by the files that parse its headers (BitmapHeader.cpp) and
// decode its pixels (BitmapPixels.cpp). Not for use outside render/Bitmap*.cpp.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "render/Bitmap.h"

namespace nuikaro::bitmap {

inline constexpr std::size_t FileHeaderSize = 14;
inline constexpr uint32_t CoreHeaderSize = 12;      // OS/2 1.x: 16-bit sizes, 3-byte colours
inline constexpr uint32_t Os2ShortHeaderSize = 16;  // OS/2 2.x may stop after the bit count
inline constexpr uint32_t Os2HeaderSize = 64;
inline constexpr uint32_t InfoHeaderSize = 40;

// Compression codes. 3 and 4 mean Huffman and RLE24 in an OS/2 2.x header.
inline constexpr uint32_t Rgb = 0;
inline constexpr uint32_t Rle8 = 1;
inline constexpr uint32_t Rle4 = 2;
inline constexpr uint32_t Bitfields = 3;
inline constexpr uint32_t Jpeg = 4;
inline constexpr uint32_t Png = 5;
inline constexpr uint32_t AlphaBitfields = 6;

enum class HeaderKind { Core, Os2, Windows };

inline uint32_t Little16(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8);
}

inline uint32_t Little32(std::span<const unsigned char> bytes, std::size_t at) {
  return Little16(bytes, at) | (Little16(bytes, at + 2) << 16);
}

// One colour channel as a mask: where its bits lie and how many there are.
struct Channel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint64_t Largest = 0;  // the channel's full value, 2^bits - 1; 0 for an empty mask

  explicit Channel(uint32_t mask = 0) : Mask(mask) {
    if (mask != 0) {
      Shift = std::countr_zero(mask);
      Largest = mask >> Shift;
    }
  }
  bool Contiguous() const { return (Largest & (Largest + 1)) == 0; }
  // The nearest 8-bit value, so that full scale is 255 at any width.
  uint32_t Expand(uint32_t pixel) const {
    if (Largest == 0) {
      return 0;
    }
    const uint64_t value = (pixel & Mask) >> Shift;
    return static_cast<uint32_t>((value * 255 + Largest / 2) / Largest);
  }
};

// What the headers say, read and checked before any pixel is.
struct Header {
  HeaderKind Kind = HeaderKind::Windows;
  uint32_t InfoSize = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool TopDown = false;
  uint32_t Bits = 0;
  uint32_t Compression = Rgb;
  std::array<Channel, 3> Channels;  // red, green, blue
  std::vector<uint32_t> Palette;    // XRGB
  std::size_t PixelOffset = 0;
};

class Reader {
 public:
  Reader(const std::string& file, std::span<const unsigned char> bytes, const SizeRule& rule)
      : file_(file), bytes_(bytes), rule_(rule) {}

  Surface Decode();

 private:
  [[noreturn]] void Refuse(const std::string& reason) const { throw PictureError(file_, reason); }
  // The file contradicts itself or breaks the format's own rules.
  [[noreturn]] void Damaged(const std::string& what) const { Refuse("is damaged: " + what); }
  // A well-formed file in a layout we cannot show right.
  [[noreturn]] void NotRead(const std::string& what) const {
    Refuse("is a BMP layout this game does not read: " + what);
  }
  [[noreturn]] void CutShort(const std::string& where) const {
    Refuse("is cut short: the file ends " + where);
  }

  // BitmapHeader.cpp
  void ReadHeader();
  void CheckLayout();
  void ReadMasks(std::size_t& tableStart);
  void ReadPalette(std::size_t tableStart);

  // BitmapPixels.cpp
  uint32_t Colour(uint32_t index) const;
  void DecodeRows(Surface& picture);
  void DecodeRle(Surface& picture);

  const std::string& file_;
  std::span<const unsigned char> bytes_;
  const SizeRule& rule_;
  Header header_;
};

}  // namespace nuikaro::bitmap
