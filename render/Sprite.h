// Off-screen sprite surfaces, made once at start-up from the two bitmap files.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "render/Surface.h"

namespace nuikaro {

inline constexpr const char* BackTileFile = "BackTile.bmp";
inline constexpr const char* ItemSheetFile = "Nuik_Items.bmp";

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

// One read-only drawing source with its size. The surface stands for the bitmap and its device
// context: every copy out of the sprite reads Pixels.
struct Sprite {
  int32_t Width = 0;
  int32_t Height = 0;
  Surface Pixels;
};

// Reads a BMP file and converts it to the back buffer's format. Throws PictureError when the file
// is missing, unreadable, no BMP, or claims a picture too large to be one of ours.
Surface LoadPicture(const std::string& path);

// Makes a sprite holding its own copy of the picture's pixels.
Sprite LoadSprite(const Surface& picture);

// Releases the sprite's pixels; Width and Height read 0 afterwards.
void FreeSprite(Sprite& sprite);

}  // namespace nuikaro
