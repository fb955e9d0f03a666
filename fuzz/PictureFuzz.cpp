// libFuzzer entry point: any bytes through the BMP decoder. A refusal must be the decoder's own
// PictureError naming the file; a loaded picture must have the size its header claims, within the
// largest allowed, and no pixel with its top byte set. Anything else aborts, and libFuzzer keeps
// the input that did it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "render/Bitmap.h"

namespace {

const std::string FileName = "fuzzed.bmp";

uint32_t Little(const uint8_t* data, std::size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | data[at + static_cast<std::size_t>(i)];
  }
  return value;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "picture_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  nuikaro::Surface picture;
  try {
    picture = nuikaro::DecodePicture(FileName, std::span<const unsigned char>(data, size));
  } catch (const nuikaro::PictureError& error) {
    if (error.File() != FileName || error.Reason().empty() ||
        std::string(error.what()).find(FileName) == std::string::npos) {
      Fail("a refusal without the file's name or a reason");
    }
    return 0;
  }
  // Accepted: the header is there, and its size is the picture's.
  if (size < 26) {
    Fail("a picture accepted from a file too short for its header");
  }
  int64_t width = 0;
  int64_t height = 0;
  if (Little(data, 14, 4) == 12) {
    width = Little(data, 18, 2);
    height = Little(data, 20, 2);
  } else {
    width = static_cast<int32_t>(Little(data, 18, 4));
    height = static_cast<int32_t>(Little(data, 22, 4));
    height = height < 0 ? -height : height;
  }
  if (picture.Width != width || picture.Height != height || width < 1 || height < 1 ||
      width > nuikaro::LargestPictureSide || height > nuikaro::LargestPictureSide ||
      picture.Pixels.size() != static_cast<std::size_t>(width * height)) {
    Fail("a picture of another size than its header claims");
  }
  for (uint32_t pixel : picture.Pixels) {
    if ((pixel & 0xFF000000) != 0) {
      Fail("a loaded pixel with its top byte set");
    }
  }
  return 0;
}
