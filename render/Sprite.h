// Off-screen sprite surfaces, made once at start-up from the two bitmap files.
#pragma once

#include <cstdint>
#include <string>

#include "nuikaro/Identity.h"  // BackTileFile and ItemSheetFile
#include "render/Bitmap.h"
#include "render/Surface.h"

namespace nuikaro {

// One read-only drawing source with its size. The surface stands for the bitmap and its device
// context: every copy out of the sprite reads Pixels.
struct Sprite {
  int32_t Width = 0;
  int32_t Height = 0;
  Surface Pixels;
};

// Reads a BMP file and converts it to the back buffer's format (see DecodePicture). Throws
// PictureError when the file is missing, unreadable, no BMP, damaged, in a layout we do not read,
// or of a size outside rule.
Surface LoadPicture(const std::string& path, const SizeRule& rule = {});

// Makes a sprite holding its own copy of the picture's pixels.
Sprite LoadSprite(const Surface& picture);

// Releases the sprite's pixels; Width and Height read 0 afterwards.
void FreeSprite(Sprite& sprite);

}  // namespace nuikaro
