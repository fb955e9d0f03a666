// Text output: fonts found by face name, strings drawn transparently onto a surface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/Surface.h"

namespace nuikaro {

// Opened fonts kept across frames, so a string costs no font file read. Released with the
// renderer.
class FontCache {
 public:
  FontCache();
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
};

}  // namespace nuikaro
