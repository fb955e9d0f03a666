// What text needs from a system with no font service (a web page's): the font files of one folder.
// Kept apart from the page so that Linux runs the same code in its tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/FontSource.h"

namespace nuikaro {

// The first font file (.ttf, .otf or .ttc, by name) in folder (ending in '/'), standing for
// faceName whatever its own face; none, with a warning on stderr, when the folder has none.
FontFile FontFileInFolder(const std::string& folder, std::string_view faceName);

}  // namespace nuikaro
