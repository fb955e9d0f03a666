// Text output: fonts found by face name, strings drawn transparently onto a surface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "render/FontSource.h"
#include "render/Surface.h"

namespace nuikaro {

// The face every text of the game asks for. Fontconfig knows no such face on Linux, so the font
// cache maps it (and "MS PGothic") to a proportional Japanese Gothic: IPAPGothic first.
inline constexpr std::string_view PanelFaceName = "ＭＳ Ｐゴシック";

// Weights from this one up are drawn bold; 400 is normal, 700 bold.
inline constexpr int32_t BoldWeight = 600;

// The anti-aliased ink of one string: Coverage holds Width * Height values row by row, 0 for
// none to 255 for full. Row 0 lies Top rows below the top of the character cell (Top may be
// negative), column 0 on the left edge of the first character cell.
struct TextMask {
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Top = 0;
  std::vector<uint8_t> Coverage;
};

// A face resolved by name and opened at one size.
struct FontMetrics {
  std::string File;    // the font file that stands for the face; empty when none could be opened
  int32_t Height = 0;  // character cell height in pixels
  int32_t Ascent = 0;  // pixels from the top of the cell down to the baseline
};

struct CachedFont;  // one opened font and the strings rendered with it

// Opened fonts kept across frames, so a string costs no font file read, and the strings last
// rendered with each, so an unchanged string costs no rasterising. SDL_ttf is taken up at the
// first use and let go by Release.
class FontCache {
 public:
  FontCache();
  ~FontCache();  // calls Release
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The font for a face name at a character cell height in pixels, a weight (400 normal, 700
  // bold) and a slant (1 italic, 0 upright). Null when the height is outside 1 to 1024 or no font
  // file can be opened. Stays valid until Release.
  CachedFont* Font(std::string_view faceName, int32_t height, int32_t weight, int32_t italic);

  // The ink of text in font; empty when font is null or the text shows nothing. Stays valid
  // until the next call.
  const TextMask& Rendered(CachedFont* font, std::string_view text);

  // What Font resolves to, for layout and checks.
  FontMetrics Metrics(std::string_view faceName, int32_t height, int32_t weight, int32_t italic);

  // Closes every font, frees every rendered string and lets go of SDL_ttf. Safe
  // to call again; a later use opens what it needs afresh. The shell calls it at shut-down.
  void Release();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Where text goes: the surface standing for the window's device context, and its fonts.
struct DeviceContext {
  Surface& Target;
  FontCache& Fonts;
};

// Draws text on one line with the top left of its first character cell at (x, y), in a font of
// the face at the given cell height, weight and slant, in colour (an RGB value, red in the lowest
// byte). Only the glyphs' pixels change, blended by their coverage; everything is clipped to the
// surface.
void DrawString(const DeviceContext& dc, std::string_view text, int32_t x, int32_t y,
                int32_t height, int32_t weight, int32_t italic, int32_t colour,
                std::string_view faceName);

}  // namespace nuikaro
