// Fonts found by face name and kept open across frames, with the strings last rendered in each.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "render/FontSource.h"

namespace nuikaro {

// Every character the game writes; a face must have all of them to stand for the one asked for.
inline constexpr std::string_view GameCharacters = "ぬいかろ得点：0123456789＋３＆５－";

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

struct CachedFont;  // one opened font and the strings rendered with it

// Opened fonts kept across frames, so a string costs no font file read, and the strings last
// rendered with each, so an unchanged string costs no rasterising. SDL_ttf is taken up at the
// first use and let go by Release.
class FontCache {
 public:
  // How a face name becomes a font file; the system's FindFontFile unless a test says otherwise.
  using FontFinder = FontFile (*)(std::string_view faceName, std::string_view characters);

  explicit FontCache(FontFinder find = FindFontFile);
  ~FontCache();  // calls Release
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The font for a face name at a character cell height in pixels, a weight (400 normal, 700
  // bold) and a slant (1 italic, 0 upright). Null when the height is outside 1 to 1024 or no font
  // file can be opened. Stays valid until Release.
  CachedFont* Font(std::string_view faceName, int32_t height, int32_t weight, int32_t italic);

  // The ink of text in font, as tall as the font's character cell; empty when font is null or
  // the text shows nothing. Stays valid until the next call.
  const TextMask& Rendered(CachedFont* font, std::string_view text);

  // Closes every font, frees every rendered string and lets go of SDL_ttf. Safe to call again; a
  // later use opens what it needs afresh (from the faces already found). The shell calls it at
  // shut-down.
  void Release();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace nuikaro
