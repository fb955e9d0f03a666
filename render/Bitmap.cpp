#include "render/Bitmap.h"

#include "render/BitmapReader.h"

namespace nuikaro {

namespace bitmap {

Surface Reader::Decode() {
  ReadHeader();
  Surface picture(header_.Width, header_.Height);
  if (header_.Compression == BmpCompression::Rle8 || header_.Compression == BmpCompression::Rle4) {
    DecodeRle(picture);
  } else {
    DecodeRows(picture);
  }
  return picture;
}

}  // namespace bitmap

PictureError::PictureError(std::string file, std::string reason)
    : std::runtime_error("\"" + file + "\" " + reason),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

Surface DecodePicture(const std::string& file, std::span<const unsigned char> bytes,
                      const SizeRule& rule) {
  return bitmap::Reader(file, bytes, rule).Decode();
}

}  // namespace nuikaro
