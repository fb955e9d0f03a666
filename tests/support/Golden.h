// Pictures stored as binary PPM files, for the tests that compare what is drawn with a picture
// that was looked at once and committed (NUIKARO_UPDATE_GOLDEN=1 stores it anew).
#pragma once

// Set by a front end whose text is drawn by the FreeType and SDL_ttf the stored pictures were made
// with (Debian's); elsewhere only what does not depend on the glyphs is compared.
#ifndef NUIKARO_TEXT_AS_STORED
#define NUIKARO_TEXT_AS_STORED 0
#endif

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/Surface.h"
#include "tools/Picture.h"  // WriteFile, for storing a picture anew

namespace nuikaro {

inline std::vector<uint8_t> EncodePpm(const Surface& picture) {
  const std::string header =
      "P6\n" + std::to_string(picture.Width) + " " + std::to_string(picture.Height) + "\n255\n";
  std::vector<uint8_t> bytes(header.begin(), header.end());
  for (uint32_t pixel : picture.Pixels) {
    bytes.push_back((pixel >> 16) & 0xFF);
    bytes.push_back((pixel >> 8) & 0xFF);
    bytes.push_back(pixel & 0xFF);
  }
  return bytes;
}

// The whole file, or nothing when it cannot be read.
inline std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// True when the stored pictures are to be written instead of compared.
inline bool UpdatingGolden() {
  const char* update = std::getenv("NUIKARO_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

}  // namespace nuikaro
