// The BMP reader's pieces, shared by the files that parse its headers (BitmapHeader.cpp) and
// decode its pixels (BitmapPixels.cpp). Not for use outside render/Bitmap*.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "render/Bitmap.h"
#include "render/BmpFormat.h"

namespace nuikaro::bitmap {

enum class HeaderKind { Core, Os2, Windows };

// What the headers say, read and checked before any pixel is.
struct Header {
  HeaderKind Kind = HeaderKind::Windows;
  uint32_t InfoSize = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool TopDown = false;
  uint32_t Bits = 0;
  BmpCompression Compression = BmpCompression::Rgb;
  std::array<ChannelMask, 3> Channels;  // red, green, blue
  std::vector<uint32_t> Palette;        // XRGB
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
  std::size_t ReadHeaderKind();  // the header's kind from its size; where it ends
  void CheckLayout();
  void ReadMasks(std::size_t& tableStart);
  void ReadPalette(std::size_t tableStart);

  // BitmapPixels.cpp
  uint32_t Colour(uint32_t index) const;
  void DecodeRows(Surface& picture);
  void DecodeRle(Surface& picture);
  // Where an RLE decode stands: the next byte, and the next pixel (Y counted from the bottom row).
  struct RlePen {
    std::size_t At = 0;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t StoredWidth = 0;  // a row's width as stored uncompressed: its padding may be coded
  };
  void PutRle(Surface& picture, RlePen& pen, uint32_t index) const;
  uint32_t NextRle(RlePen& pen) const;

  const std::string& file_;
  std::span<const unsigned char> bytes_;
  const SizeRule& rule_;
  Header header_;
};

}  // namespace nuikaro::bitmap
