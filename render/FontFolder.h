// What text needs from a system with no font service and no CP932 (a web page's): the font files
// of one folder, and an iconv that knows Shift-JIS (JIS X 0208) alone. Kept apart from the page
// so that Linux, which has both, runs the same code in its tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/FontSource.h"

namespace nuikaro {

// The first font file (.ttf, .otf or .ttc, by name) in folder (ending in '/'), standing for
// faceName whatever its own face; none, with a warning on stderr, when the folder has none.
FontFile FontFileInFolder(const std::string& folder, std::string_view faceName);

// AnsiByteLength through iconv's "SHIFT_JIS", with the few characters that CP932 writes otherwise
// counted as CP932 does. CP932's extensions beyond JIS X 0208 (the NEC and IBM characters) count
// as one byte each, the '?' of a character without a form.
int32_t ShiftJisByteLength(std::string_view text);

}  // namespace nuikaro
