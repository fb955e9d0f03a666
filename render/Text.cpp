#include "render/Text.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <map>
#include <tuple>

namespace nuikaro {

namespace {

// Our own font aliases: on Linux nobody maps the Windows face name, and asking fontconfig for
// Japanese alone gives the fixed-pitch IPAGothic.
constexpr char AliasRules[] = R"(<?xml version="1.0"?>
<fontconfig>
  <alias binding="same">
    <family>ＭＳ Ｐゴシック</family>
    <prefer>
      <family>IPAPGothic</family>
      <family>VL PGothic</family>
      <family>Noto Sans CJK JP</family>
    </prefer>
  </alias>
  <alias binding="same">
    <family>MS PGothic</family>
    <prefer>
      <family>IPAPGothic</family>
      <family>VL PGothic</family>
      <family>Noto Sans CJK JP</family>
    </prefer>
  </alias>
</fontconfig>
)";

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

// A face name resolved to a file, with its cell proportions (height and ascent at
// ReferenceSize). File is empty when nothing could be found.
struct Face {
  std::string File;
  int Index = 0;
  int32_t ReferenceHeight = 0;
  int32_t ReferenceAscent = 0;
};

// Counts CP932 bytes through iconv. One per thread, since a conversion descriptor has state.
class Cp932Counter {
 public:
  Cp932Counter() : descriptor_(iconv_open("CP932", "UTF-8")) {}
  ~Cp932Counter() {
    if (Usable()) {
      iconv_close(descriptor_);
    }
  }
  Cp932Counter(const Cp932Counter&) = delete;
  Cp932Counter& operator=(const Cp932Counter&) = delete;

  int64_t Count(std::string_view text) {
    if (!Usable()) {
      return Estimate(text);
    }
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    char* input = const_cast<char*>(text.data());
    std::size_t inputLeft = text.size();
    int64_t total = 0;
    while (inputLeft > 0) {
      char buffer[256];
      char* output = buffer;
      std::size_t outputLeft = sizeof buffer;
      const std::size_t result = iconv(descriptor_, &input, &inputLeft, &output, &outputLeft);
      total += static_cast<int64_t>(sizeof buffer - outputLeft);
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        // No CP932 form, or not UTF-8: one '?' stands in for the character.
        total += 1;
        const std::size_t skip = CharacterLength(input, inputLeft);
        input += skip;
        inputLeft -= skip;
      }
    }
    return total;
  }

 private:
  bool Usable() const {
    return descriptor_ != reinterpret_cast<iconv_t>(static_cast<intptr_t>(-1));
  }

  // The bytes of the UTF-8 character at text, or 1 where the bytes are not a whole character.
  static std::size_t CharacterLength(const char* text, std::size_t left) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80             ? 1
                               : (lead & 0xE0) == 0xC0 ? 2
                               : (lead & 0xF0) == 0xE0 ? 3
                               : (lead & 0xF8) == 0xF0 ? 4
                                                       : 1;
    if (length > left) {
      return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
        return 1;
      }
    }
    return length;
  }

  // Without iconv's CP932: ASCII and half-width katakana take one byte, the rest two.
  static int64_t Estimate(std::string_view text) {
    int64_t total = 0;
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t length = CharacterLength(text.data() + i, text.size() - i);
      const bool halfWidthKatakana = length == 3 && text.compare(i, 2, "\xEF\xBD") == 0 &&
                                     static_cast<unsigned char>(text[i + 2]) >= 0xA1;
      total += (length == 1 || halfWidthKatakana) ? 1 : 2;
      i += length;
    }
    return total;
  }

  iconv_t descriptor_;
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
  bool ConfigTried = false;
  FcConfig* Config = nullptr;
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
    Face face = Find(faceName);
    if (!face.File.empty()) {
      // The cell is ascent plus descent; measure how it stands to the size asked of FreeType.
      if (TTF_Font* reference = TTF_OpenFontIndex(face.File.c_str(), ReferenceSize, face.Index)) {
        face.ReferenceHeight = TTF_FontHeight(reference);
        face.ReferenceAscent = TTF_FontAscent(reference);
        TTF_CloseFont(reference);
      }
      if (face.ReferenceHeight <= 0) {
        face.File.clear();
      }
    }
    return Faces.emplace(std::string(faceName), std::move(face)).first->second;
  }

  Face Find(std::string_view faceName) {
    if (!ConfigTried) {
      ConfigTried = true;
      Config = FcInitLoadConfigAndFonts();
      if (Config != nullptr) {
        FcConfigParseAndLoadFromMemory(Config, reinterpret_cast<const FcChar8*>(AliasRules),
                                       FcTrue);
      }
    }
    Face face;
    if (Config == nullptr) {
      std::cerr << "ぬいかろ: fontconfig could not be set up; texts are not drawn\n";
      return face;
    }
    FcCharSet* wanted = FcCharSetCreate();
    const auto* characters = reinterpret_cast<const FcChar8*>(GameCharacters.data());
    for (int left = static_cast<int>(GameCharacters.size()); left > 0;) {
      FcChar32 character = 0;
      const int length = FcUtf8ToUcs4(characters, &character, left);
      if (length <= 0) {
        break;
      }
      FcCharSetAddChar(wanted, character);
      characters += length;
      left -= length;
    }
    const std::string family(faceName);
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(Config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(Config, pattern, &result);
    bool covers = false;
    if (match != nullptr) {
      FcChar8* file = nullptr;
      if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        face.File = reinterpret_cast<const char*>(file);
      }
      FcPatternGetInteger(match, FC_INDEX, 0, &face.Index);
      FcCharSet* has = nullptr;
      covers = FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch &&
               FcCharSetIsSubset(wanted, has);
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcCharSetDestroy(wanted);
    if (!covers) {
      std::cerr << "ぬいかろ: no font has the game's Japanese characters for \"" << faceName
                << "\"; install the package fonts-ipafont-gothic\n";
    }
    return face;
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
  if (face.File.empty()) {
    return nullptr;
  }
  const int style = StyleOf(weight, italic);
  auto& slot = impl_->Fonts[{&face, height, style}];
  if (!slot) {
    slot = std::make_unique<CachedFont>();
    slot->File = face.File;
    // Size the em so that the cell, ascent plus descent, is height pixels.
    const int32_t size = std::max(1, RoundedRatio(height, ReferenceSize, face.ReferenceHeight));
    slot->Font = TTF_OpenFontIndex(face.File.c_str(), size, face.Index);
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
  if (impl_->Config != nullptr) {
    FcConfigDestroy(impl_->Config);
    impl_->Config = nullptr;
  }
  impl_->ConfigTried = false;
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

int32_t AnsiByteLength(std::string_view text) {
  thread_local Cp932Counter counter;
  return static_cast<int32_t>(std::min<int64_t>(counter.Count(text), INT32_MAX));
}

}  // namespace nuikaro
