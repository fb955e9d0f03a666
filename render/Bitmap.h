// Decoding BMP files from their bytes into the back buffer's format, or refusing them with a
// reason a player understands. Plain byte arithmetic: no SDL, no files.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "render/Surface.h"

namespace nuikaro {

// A picture file that cannot be used, with a reason a player understands.
class PictureError : public std::runtime_error {
 public:
  PictureError(std::string file, std::string reason);
  const std::string& File() const { return file_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string file_;
  std::string reason_;
};

// No picture of ours is larger on either side: the sprite sheet is read in 16-pixel cells from its
// top left, so more is never drawn, and at this size a picture takes 4 MiB.
inline constexpr int32_t LargestPictureSide = 1024;

// The sizes a picture may have, checked from its header before anything is decoded. Name
// completes "... must be 1 to 480 pixels wide" in the refusal.
struct SizeRule {
  int32_t MinWidth = 1;
  int32_t MinHeight = 1;
  int32_t MaxWidth = LargestPictureSide;
  int32_t MaxHeight = LargestPictureSide;
  const char* Name = "a picture of this game";
};

// The largest file a picture within LargestPictureSide can need: 32 bits a pixel, a colour
// profile and whatever a writer leaves after the pixels.
inline constexpr std::size_t LargestPictureFile =
    std::size_t{LargestPictureSide} * LargestPictureSide * 4 + (std::size_t{1} << 20);

// Decodes the BMP file held in bytes, named file in any refusal. Reads 1, 2, 4 and 8 bits with a
// colour table (also RLE4 and RLE8), 16 and 32 bits with the usual or any contiguous channel
// masks, 24 bits; OS/2 1.x and 2.x headers and the Windows headers of 40, 52, 56, 108 and 124
// bytes; rows stored bottom-up or top-down. Pixels an RLE picture leaves out are black. Every
// loaded pixel has its top byte 0. Throws PictureError for anything else, before decoding when the
// header tells.
Surface DecodePicture(const std::string& file, std::span<const unsigned char> bytes,
                      const SizeRule& rule = {});

}  // namespace nuikaro
