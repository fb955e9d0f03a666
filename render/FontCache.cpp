#include "render/FontCache.h"

#include <SDL_rwops.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

namespace nuikaro {

namespace {

constexpr int32_t LargestHeight = 1024;   // beyond this a "font" is a mistake, not a text
constexpr int32_t ReferenceSize = 1000;   // size at which a face's proportions are measured
constexpr std::size_t MasksPerFont = 32;  // the score line changes every few frames

int StyleOf(int32_t weight, int32_t italic) {
  return (weight >= BoldWeight ? TTF_STYLE_BOLD : 0) | (italic != 0 ? TTF_STYLE_ITALIC : 0);
}

int32_t RoundedRatio(int64_t value, int64_t numerator, int64_t denominator) {
  return static_cast<int32_t>((value * numerator * 2 + denominator) / (denominator * 2));
}

// From the file's name, or from its bytes, which must then outlive the font.
TTF_Font* OpenFont(const FontFile& file, int size) {
  if (!file.Bytes.empty()) {
    SDL_RWops* stream = SDL_RWFromConstMem(file.Bytes.data(), static_cast<int>(file.Bytes.size()));
    return stream != nullptr ? TTF_OpenFontIndexRW(stream, 1, size, file.Index) : nullptr;
  }
  if (file.Path.empty()) {
    return nullptr;
  }
  return TTF_OpenFontIndex(file.Path.c_str(), size, file.Index);
}

// A face name resolved to a font file, with its cell proportions (height and ascent at
// ReferenceSize); ReferenceHeight is 0 when the face cannot be used.
struct Face {
  FontFile File;
  int32_t ReferenceHeight = 0;
  int32_t ReferenceAscent = 0;
};

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
  int32_t Top = 0;  // first row SDL_ttf renders, relative to the cell's top
  std::map<std::string, TextMask, std::less<>> Masks;
};

struct FontCache::Impl {
  FontFinder Find = nullptr;
  bool LibraryTaken = false;
  std::map<std::string, Face, std::less<>> Faces;  // a map: a Face never moves, for its Bytes
  std::map<std::tuple<const Face*, int32_t, int>, std::unique_ptr<CachedFont>> Fonts;

  const Face& Resolve(std::string_view faceName) {
    if (const auto found = Faces.find(faceName); found != Faces.end()) {
      return found->second;
    }
    Face& face = Faces.emplace(std::string(faceName), Face{}).first->second;
    face.File = Find(faceName, GameCharacters);
    // The cell is ascent plus descent; measure how it stands to the size asked of FreeType.
    if (TTF_Font* reference = OpenFont(face.File, ReferenceSize)) {
      face.ReferenceHeight = std::max(0, TTF_FontHeight(reference));
      face.ReferenceAscent = TTF_FontAscent(reference);
      TTF_CloseFont(reference);
    }
    return face;
  }
};

FontCache::FontCache(FontFinder find) : impl_(std::make_unique<Impl>()) {
  impl_->Find = find;
}

FontCache::~FontCache() {
  Release();
}

CachedFont* FontCache::Font(std::string_view faceName, int32_t height, int32_t weight,
                            int32_t italic) {
  if (height < 1 || height > LargestHeight) {
    return nullptr;
  }
  if (!impl_->LibraryTaken) {
    impl_->LibraryTaken = TTF_Init() == 0;
    if (!impl_->LibraryTaken) {
      return nullptr;
    }
  }
  const Face& face = impl_->Resolve(faceName);
  if (face.ReferenceHeight == 0) {
    return nullptr;
  }
  const int style = StyleOf(weight, italic);
  auto& slot = impl_->Fonts[{&face, height, style}];
  if (!slot) {
    slot = std::make_unique<CachedFont>();
    // Size the em so that the cell, ascent plus descent, is height pixels.
    const int32_t size = std::max(1, RoundedRatio(height, ReferenceSize, face.ReferenceHeight));
    slot->Font = OpenFont(face.File, size);
    if (slot->Font != nullptr) {
      TTF_SetFontStyle(slot->Font, style);
      // SDL_ttf rounds the ascent up, which puts descenders below a small cell; rounding to
      // the nearest pixel keeps the text inside it.
      const int32_t cellAscent = RoundedRatio(height, face.ReferenceAscent, face.ReferenceHeight);
      slot->Top = cellAscent - TTF_FontAscent(slot->Font);
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

void FontCache::Release() {
  impl_->Fonts.clear();  // closes every font while SDL_ttf is still up; the faces found stay
  if (impl_->LibraryTaken) {
    TTF_Quit();
    impl_->LibraryTaken = false;
  }
}

}  // namespace nuikaro
