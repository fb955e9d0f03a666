#include "render/Text.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <tuple>

namespace nuikaro {

namespace {

// Every character the game writes; a face must have all of them to stand for the one asked for.
constexpr std::string_view GameCharacters = "ぬいかろ得点：0123456789＋３＆５－";

constexpr int32_t LargestHeight = 1024;   // beyond this a "font" is a mistake, not a text
constexpr int32_t ReferenceSize = 1000;   // size at which a face's proportions are measured
constexpr std::size_t MasksPerFont = 32;  // the score line changes every few frames

int StyleOf(int32_t weight, int32_t italic) {
  return (weight >= BoldWeight ? TTF_STYLE_BOLD : 0) | (italic != 0 ? TTF_STYLE_ITALIC : 0);
}

int32_t RoundedRatio(int64_t value, int64_t numerator, int64_t denominator) {
  return static_cast<int32_t>((value * numerator * 2 + denominator) / (denominator * 2));
}

// A face name resolved to a font, with its cell proportions (height and ascent at
// ReferenceSize). Source has neither path nor bytes when nothing could be found.
struct Face {
  FontFile Source;
  int32_t ReferenceHeight = 0;
  int32_t ReferenceAscent = 0;

  bool Found() const { return !Source.Path.empty() || !Source.Bytes.empty(); }

  // The face at a size in points; null when it cannot be opened.
  TTF_Font* Open(int size) const {
    if (Source.Bytes.empty()) {
      return TTF_OpenFontIndex(Source.Path.c_str(), size, Source.Index);
    }
    return TTF_OpenFontIndexRW(
        SDL_RWFromConstMem(Source.Bytes.data(), static_cast<int>(Source.Bytes.size())), 1, size,
        Source.Index);
  }
};

// Blends colour into target through the mask placed with its cell's top left at (x, y).
void BlendMask(Surface& target, const TextMask& mask, int32_t x, int32_t y, int32_t colour) {
  const uint32_t red = static_cast<uint32_t>(colour) & 0xFF;
  const uint32_t green = (static_cast<uint32_t>(colour) >> 8) & 0xFF;
  const uint32_t blue = (static_cast<uint32_t>(colour) >> 16) & 0xFF;
  // 64-bit so that no far-off position overflows while clipping.
  const int64_t originX = x;
  const int64_t originY = static_cast<int64_t>(y) + mask.Top;
  const int64_t firstColumn = std::max<int64_t>(0, -originX);
  const int64_t endColumn = std::min<int64_t>(mask.Width, target.Width - originX);
  const int64_t firstRow = std::max<int64_t>(0, -originY);
  const int64_t endRow = std::min<int64_t>(mask.Height, target.Height - originY);
  const auto mix = [](uint32_t below, uint32_t ink, uint32_t coverage) {
    return (below * (255 - coverage) + ink * coverage + 127) / 255;
  };
  for (int64_t row = firstRow; row < endRow; ++row) {
    const uint8_t* coverage = mask.Coverage.data() + row * mask.Width;
    uint32_t* pixels = target.Row(static_cast<int32_t>(originY + row));
    for (int64_t column = firstColumn; column < endColumn; ++column) {
      const uint32_t alpha = coverage[column];
      if (alpha == 0) {
        continue;
      }
      uint32_t& pixel = pixels[originX + column];
      pixel = (pixel & 0xFF000000) | mix((pixel >> 16) & 0xFF, red, alpha) << 16 |
              mix((pixel >> 8) & 0xFF, green, alpha) << 8 | mix(pixel & 0xFF, blue, alpha);
    }
  }
}

}  // namespace

struct CachedFont {
  CachedFont() = default;
  CachedFont(const CachedFont&) = delete;
  CachedFont& operator=(const CachedFont&) = delete;
  ~CachedFont() {
    if (Font != nullptr) {
      TTF_CloseFont(Font);
    }
  }

  TTF_Font* Font = nullptr;
  std::string File;
  int32_t CellAscent = 0;  // baseline below the cell's top
  int32_t Top = 0;         // first row SDL_ttf renders, relative to the cell's top
  std::map<std::string, TextMask, std::less<>> Masks;
};

struct FontCache::Impl {
  bool LibraryTaken = false;
  std::map<std::string, Face, std::less<>> Faces;
  std::map<std::tuple<const Face*, int32_t, int>, std::unique_ptr<CachedFont>> Fonts;

  void TakeLibrary() {
    if (!LibraryTaken) {
      LibraryTaken = TTF_Init() == 0;
    }
  }

  const Face& Resolve(std::string_view faceName) {
    if (const auto found = Faces.find(faceName); found != Faces.end()) {
      return found->second;
    }
    Face face;
    face.Source = FindFontFile(faceName, GameCharacters);
    if (face.Found()) {
      // The cell is ascent plus descent; measure how it stands to the size asked of FreeType.
      if (TTF_Font* reference = face.Open(ReferenceSize)) {
        face.ReferenceHeight = TTF_FontHeight(reference);
        face.ReferenceAscent = TTF_FontAscent(reference);
        TTF_CloseFont(reference);
      }
      if (face.ReferenceHeight <= 0) {
        face.Source = {};
      }
    }
    return Faces.emplace(std::string(faceName), std::move(face)).first->second;
  }
};

FontCache::FontCache() : impl_(std::make_unique<Impl>()) {}

FontCache::~FontCache() {
  Release();
}

CachedFont* FontCache::Font(std::string_view faceName, int32_t height, int32_t weight,
                            int32_t italic) {
  if (height < 1 || height > LargestHeight) {
    return nullptr;
  }
  impl_->TakeLibrary();
  if (!impl_->LibraryTaken) {
    return nullptr;
  }
  const Face& face = impl_->Resolve(faceName);
  if (!face.Found()) {
    return nullptr;
  }
  const int style = StyleOf(weight, italic);
  auto& slot = impl_->Fonts[{&face, height, style}];
  if (!slot) {
    slot = std::make_unique<CachedFont>();
    slot->File = face.Source.Path;
    // Size the em so that the cell, ascent plus descent, is height pixels.
    const int32_t size = std::max(1, RoundedRatio(height, ReferenceSize, face.ReferenceHeight));
    slot->Font = face.Open(size);
    if (slot->Font != nullptr) {
      TTF_SetFontStyle(slot->Font, style);
      // SDL_ttf rounds the ascent up, which puts descenders below a small cell; rounding to
      // the nearest pixel keeps the text inside it.
      slot->CellAscent = RoundedRatio(height, face.ReferenceAscent, face.ReferenceHeight);
      slot->Top = slot->CellAscent - TTF_FontAscent(slot->Font);
    }
  }
  return slot->Font != nullptr ? slot.get() : nullptr;
}

const TextMask& FontCache::Rendered(CachedFont* font, std::string_view text) {
  static const TextMask nothing;
  if (font == nullptr || text.empty()) {
    return nothing;
  }
  auto& masks = font->Masks;
  if (const auto found = masks.find(text); found != masks.end()) {
    return found->second;
  }
  if (masks.size() >= MasksPerFont) {
    masks.clear();
  }
  TextMask mask;
  mask.Top = font->Top;
  const std::string terminated(text);
  if (SDL_Surface* ink =
          TTF_RenderUTF8_Blended(font->Font, terminated.c_str(), SDL_Color{255, 255, 255, 255})) {
    // Blended output is ARGB8888 whose alpha is the glyphs' coverage.
    mask.Width = ink->w;
    mask.Height = ink->h;
    mask.Coverage.resize(static_cast<std::size_t>(ink->w) * ink->h);
    for (int row = 0; row < ink->h; ++row) {
      const auto* pixels = reinterpret_cast<const uint32_t*>(
          static_cast<const uint8_t*>(ink->pixels) + static_cast<std::size_t>(row) * ink->pitch);
      for (int column = 0; column < ink->w; ++column) {
        mask.Coverage[static_cast<std::size_t>(row) * ink->w + column] =
            static_cast<uint8_t>(pixels[column] >> 24);
      }
    }
    SDL_FreeSurface(ink);
  }
  return masks.emplace(terminated, std::move(mask)).first->second;
}

FontMetrics FontCache::Metrics(std::string_view faceName, int32_t height, int32_t weight,
                               int32_t italic) {
  const CachedFont* font = Font(faceName, height, weight, italic);
  if (font == nullptr) {
    return {};
  }
  return {font->File, TTF_FontHeight(font->Font), font->CellAscent};
}

void FontCache::Release() {
  impl_->Fonts.clear();  // closes every font while SDL_ttf is still up
  impl_->Faces.clear();
  if (impl_->LibraryTaken) {
    TTF_Quit();
    impl_->LibraryTaken = false;
  }
}

void DrawString(const DeviceContext& dc, std::string_view text, int32_t x, int32_t y,
                int32_t height, int32_t weight, int32_t italic, int32_t colour,
                std::string_view faceName) {
  CachedFont* font = dc.Fonts.Font(faceName, height, weight, italic);
  const int32_t byteCount = AnsiByteLength(text);
  if (byteCount == 0) {
    return;
  }
  // byteCount CP932 bytes are the whole text: all of it is drawn.
  BlendMask(dc.Target, dc.Fonts.Rendered(font, text), x, y, colour);
}

}  // namespace nuikaro
