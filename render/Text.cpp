#include "render/Text.h"

namespace nuikaro {

FontCache::FontCache() = default;
FontCache::~FontCache() = default;

}  // namespace nuikaro
