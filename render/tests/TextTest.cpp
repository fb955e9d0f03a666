#include "render/Text.h"

#include <SDL_ttf.h>
#if !defined(_WIN32)
#include <unistd.h>
#endif
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "render/Cp932.h"
#include "render/FontFolder.h"
#include "render/FontSource.h"
#include "render/Panel.h"
#include "render/Utf8.h"

namespace nuikaro {
namespace {

constexpr uint32_t Black = 0x000000;

// Rows of the surface with any pixel other than black, as [first, last].
std::pair<int32_t, int32_t> InkedRows(const Surface& surface) {
  int32_t first = surface.Height;
  int32_t last = -1;
  for (int32_t y = 0; y < surface.Height; ++y) {
    const uint32_t* row = surface.Row(y);
    if (std::any_of(row, row + surface.Width, [](uint32_t pixel) { return pixel != Black; })) {
      first = std::min(first, y);
      last = y;
    }
  }
  return {first, last};
}

int64_t InkedPixels(const Surface& surface) {
  return std::count_if(surface.Pixels.begin(), surface.Pixels.end(),
                       [](uint32_t pixel) { return pixel != Black; });
}

struct LengthRow {
  std::string Text;
  int32_t Cp932;
};

const LengthRow LengthRows[] = {
    {"得点：000000", 12},
    {"＋３＆得点＋３", 14},
    {"－３", 4},        // FULLWIDTH HYPHEN-MINUS: CP932's own form
    {"～∥￠￡￢", 10},  // the other characters CP932 writes otherwise than JIS X 0208
    {"ぬいかろ", 8},
    {"", 0},
    {"GameOver!", 9},
    {"ｱｲｳ", 3},           // half-width katakana: one byte each
    {"é", 1},             // no form
    {"a\U0001F600b", 3},  // an emoji becomes '?'
    {"\U0001F600あ", 3},  // the count goes on past a character with no form
    {"\xFF\xFE", 2},      // bytes that are not UTF-8
    {"ぬ\xE3\x81", 4},    // each byte of a character cut short
    {"\xC3\x41", 2},      // a lead byte followed by no continuation byte ('A')
    {std::string(1000, 'x') + "\U0001F600", 1001},
    {"①Ⅰ", 4},  // NEC's characters: CP932's own
};

// Every system counts as CP932 does: Windows itself, Linux through iconv, the web page (and a
// Linux whose iconv has no CP932) from our own table.
TEST(AnsiByteLength, CountsTwoBytesForEachFullWidthCharacterAndOneForWhatHasNoForm) {
  for (const LengthRow& row : LengthRows) {
    EXPECT_EQ(AnsiByteLength(row.Text), row.Cp932) << row.Text;
    EXPECT_EQ(Cp932ByteLength(row.Text), row.Cp932) << row.Text;
  }
}

#if defined(__linux__)
// The table is iconv's CP932, character by character over the whole BMP: a table gone stale, or
// a fault in reading it, fails here.
TEST(AnsiByteLength, OurTableOfCp932AgreesWithIconvOnEveryCharacter) {
  int mismatches = 0;
  for (char32_t code = 0x80; code < 0x10000; ++code) {
    if (code >= 0xD800 && code < 0xE000) {
      continue;
    }
    const std::string text = Utf8OfBmp(code);
    if (Cp932ByteLength(text) != AnsiByteLength(text) && ++mismatches <= 10) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<uint32_t>(code) << ": table "
                    << Cp932ByteLength(text) << ", iconv " << AnsiByteLength(text);
    }
  }
  EXPECT_EQ(mismatches, 0);
}
#endif

TEST(FindFontFile, ResolvesTheWindowsFaceNamesToIPAPGothic) {
  EXPECT_NE(FindFontFile(PanelFaceName, GameCharacters).Path.find("ipagp.ttf"), std::string::npos);
  EXPECT_NE(FindFontFile("MS PGothic", GameCharacters).Path.find("ipagp.ttf"), std::string::npos);
}

// By its name alone an unknown face is the desktop's default Latin face, which has no Japanese:
// every character asked for must decide, wherever it stands among Latin ones.
TEST(FindFontFile, PicksAFaceWithEveryCharacterAskedForWhenNoFaceHasTheName) {
  ASSERT_EQ(TTF_Init(), 0);
  struct Row {
    std::string_view characters;
    std::u32string_view codes;
  };
  for (const Row& row :
       {Row{"ぬいかろ得点：＋３＆５－", U"ぬいかろ得点：＋３＆５－"}, Row{"A得", U"A得"},
        Row{"Ab得点", U"Ab得点"}, Row{"GameOver!ぬ", U"GameOver!ぬ"}}) {
    const std::string_view characters = row.characters;
    const std::u32string_view codes = row.codes;
    const FontFile file = FindFontFile("No Such Face", characters);
    TTF_Font* font = TTF_OpenFontIndex(file.Path.c_str(), 16, file.Index);
    ASSERT_NE(font, nullptr) << file.Path;
    for (const char32_t character : codes) {
      EXPECT_TRUE(TTF_GlyphIsProvided32(font, character))
          << characters << ": " << file.Path << " has no U+" << std::hex
          << static_cast<uint32_t>(character);
    }
    TTF_CloseFont(font);
  }
  TTF_Quit();
}

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)  // the warning is fontconfig's lookup's
TEST(FindFontFile, WarnsOnlyWhenNoFaceHasEveryCharacter) {
  testing::internal::CaptureStderr();
  const FontFile found = FindFontFile(PanelFaceName, GameCharacters);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(found.Path.empty());
  testing::internal::CaptureStderr();
  const FontFile closest = FindFontFile(PanelFaceName, "得\U0010FFFD");  // private use: in no font
  EXPECT_NE(
      testing::internal::GetCapturedStderr().find("no font has the game's Japanese characters"),
      std::string::npos);
  EXPECT_FALSE(closest.Path.empty()) << "the closest face is still given";
}
#endif

#if !defined(_WIN32)
// The web page's font: whichever font file lies in the program's folder, by name the first.
TEST(FindFontFile, TheFirstFontFileInTheFolderStandsForEveryFace) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("nuikaro-fonts-" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directory(folder);
  const std::string prefix = folder.string() + "/";
  const auto Add = [&](const char* name) { std::ofstream(prefix + name) << "font"; };
  struct Row {
    const char* Added;
    std::string Found;  // the file's name, or none
  };
  for (const Row& row : {Row{"notes.txt", ""}, Row{".ttf", ""}, Row{"ttf", ""},
                         Row{"b.ttc", "b.ttc"}, Row{"c.otf", "b.ttc"}, Row{"a.ttf", "a.ttf"}}) {
    Add(row.Added);
    testing::internal::CaptureStderr();
    const FontFile found = FontFileInFolder(prefix, PanelFaceName);
    const std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_EQ(found.Path, row.Found.empty() ? "" : prefix + row.Found) << row.Added;
    EXPECT_EQ(warning.empty(), !row.Found.empty()) << warning;
  }
  std::filesystem::remove_all(folder);
  testing::internal::CaptureStderr();
  EXPECT_EQ(FontFileInFolder(prefix, PanelFaceName).Path, "");  // no folder at all
  EXPECT_NE(testing::internal::GetCapturedStderr(), "");
}
#endif

// Remembers what the font cache asked the lookup for.
std::string askedCharacters;
FontFile RecordingFinder(std::string_view faceName, std::string_view characters) {
  askedCharacters = characters;
  return FindFontFile(faceName, characters);
}

TEST(FontCache, AsksTheLookupForEveryCharacterThePanelWrites) {
  FontCache fonts(RecordingFinder);
  askedCharacters.clear();
  ASSERT_NE(fonts.Font(PanelFaceName, 15, 700, 0), nullptr);
  const std::string texts = std::string(TitleText) + std::string(ScorePrefix) + "0123456789" +
                            std::string(Grow3Legend) + std::string(Grow5Legend) +
                            std::string(Shrink3Legend);
  for (std::size_t at = 0; at < texts.size();) {
    std::size_t length = 1;
    while (at + length < texts.size() &&
           (static_cast<unsigned char>(texts[at + length]) & 0xC0) == 0x80) {
      ++length;
    }
    const std::string character = texts.substr(at, length);
    EXPECT_NE(askedCharacters.find(character), std::string::npos) << character;
    at += length;
  }
}

// The bytes of the file FindFontFile gives, as a system hands out a font that has no file name.
FontFile FontBytes(std::string_view faceName, std::string_view characters) {
  FontFile file = FindFontFile(faceName, characters);
  std::ifstream in(file.Path, std::ios::binary);
  file.Bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  file.Path.clear();
  return file;
}

TEST(FontCache, DrawsTheSameFromAFontsBytesAsFromItsFile) {
  FontCache fromFile;
  FontCache fromBytes(FontBytes);
  Surface expected(200, 40);
  Surface drawn(200, 40);
  DrawString({expected, fromFile}, TitleText, 10, 10, 20, 700, 1, Rgb(255, 255, 255),
             PanelFaceName);
  DrawString({drawn, fromBytes}, TitleText, 10, 10, 20, 700, 1, Rgb(255, 255, 255), PanelFaceName);
  EXPECT_GT(InkedPixels(expected), 0);
  EXPECT_EQ(drawn.Pixels, expected.Pixels);
}

TEST(FontCache, RendersStringsAsTallAsTheCellAskedFor) {
  FontCache fonts;
  for (const int32_t height : {15, 17, 20}) {
    const TextMask& mask = fonts.Rendered(fonts.Font(PanelFaceName, height, 700, 0), TitleText);
    EXPECT_EQ(mask.Height, height);
  }
}

TEST(FontCache, TakesHeightsFromOneTo1024AndRefusesTheRest) {
  FontCache fonts;
  EXPECT_EQ(fonts.Font(PanelFaceName, 0, 400, 0), nullptr);
  EXPECT_EQ(fonts.Font(PanelFaceName, -15, 400, 0), nullptr);
  EXPECT_EQ(fonts.Font(PanelFaceName, 1025, 400, 0), nullptr);
  EXPECT_EQ(fonts.Font(PanelFaceName, 100000, 400, 0), nullptr);
  EXPECT_NE(fonts.Font(PanelFaceName, 1, 400, 0), nullptr);
  EXPECT_NE(fonts.Font(PanelFaceName, 1024, 400, 0), nullptr);
}

TEST(FontCache, CanBeReleasedTwiceAndUsedAgain) {
  FontCache fonts;
  Surface before(200, 40);
  DrawString({before, fonts}, TitleText, 10, 10, 20, 700, 1, Rgb(255, 255, 255), PanelFaceName);
  fonts.Release();
  fonts.Release();
  Surface after(200, 40);
  DrawString({after, fonts}, TitleText, 10, 10, 20, 700, 1, Rgb(255, 255, 255), PanelFaceName);
  EXPECT_GT(InkedPixels(before), 0);
  EXPECT_EQ(after.Pixels, before.Pixels);
}

struct PanelTextCase {
  std::string_view Text;
  int32_t Height;
  int32_t Weight;
  int32_t Italic;
};

TEST(DrawString, KeepsEveryPanelTextInsideItsCharacterCell) {
  FontCache fonts;
  const PanelTextCase cases[] = {
      {TitleText, 20, 700, 1},     {"得点：0123456789", 17, 400, 0},
      {Grow3Legend, 15, 700, 0},   {Grow5Legend, 15, 700, 0},
      {Shrink3Legend, 15, 700, 0}, {"0", 17, 400, 0}};  // one byte, the least that is drawn
  for (const PanelTextCase& text : cases) {
    Surface surface(300, 100);
    DrawString({surface, fonts}, text.Text, 20, 40, text.Height, text.Weight, text.Italic,
               Rgb(255, 255, 255), PanelFaceName);
    const auto [first, last] = InkedRows(surface);
    EXPECT_GE(first, 40) << text.Text;
    EXPECT_LT(last, 40 + text.Height) << text.Text;
    EXPECT_GT(last - first, text.Height / 2) << text.Text;
  }
}

TEST(DrawString, BlendsTheColourByCoverageAndLeavesOtherPixelsAlone) {
  FontCache fonts;
  Surface surface(200, 40);
  std::fill(surface.Pixels.begin(), surface.Pixels.end(), 0x0000FF);  // blue
  DrawString({surface, fonts}, Grow3Legend, 5, 5, 15, 700, 0, Rgb(255, 0, 0), PanelFaceName);
  int64_t fullyRed = 0;
  for (const uint32_t pixel : surface.Pixels) {
    const uint32_t red = (pixel >> 16) & 0xFF;
    const uint32_t green = (pixel >> 8) & 0xFF;
    const uint32_t blue = pixel & 0xFF;
    ASSERT_EQ(green, 0u);
    ASSERT_EQ(red + blue, 255u);  // a mix of the text's red and the blue below
    fullyRed += pixel == 0xFF0000 ? 1 : 0;
  }
  EXPECT_GT(fullyRed, 20);
  EXPECT_EQ(surface.At(0, 0), 0x0000FFu);
  EXPECT_EQ(surface.At(199, 39), 0x0000FFu);
}

TEST(DrawString, DrawsBoldHeavierAndItalicSlanted) {
  FontCache fonts;
  Surface regular(200, 40);
  Surface bold(200, 40);
  Surface italic(200, 40);
  DrawString({regular, fonts}, TitleText, 5, 5, 20, 400, 0, Rgb(255, 255, 255), PanelFaceName);
  DrawString({bold, fonts}, TitleText, 5, 5, 20, 700, 0, Rgb(255, 255, 255), PanelFaceName);
  DrawString({italic, fonts}, TitleText, 5, 5, 20, 400, 1, Rgb(255, 255, 255), PanelFaceName);
  EXPECT_GT(InkedPixels(bold), InkedPixels(regular) * 11 / 10);
  EXPECT_NE(italic.Pixels, regular.Pixels);
}

TEST(DrawString, ClipsTextAtEveryEdgeOfTheSurface) {
  FontCache fonts;
  Surface surface(40, 20);
  const int32_t positions[][2] = {{-30, 5}, {30, 5}, {5, -12}, {5, 15}, {INT32_MIN, INT32_MAX}};
  for (const auto& position : positions) {
    DrawString({surface, fonts}, Grow5Legend, position[0], position[1], 15, 700, 0,
               Rgb(255, 255, 255), PanelFaceName);
  }
  EXPECT_GT(InkedPixels(surface), 0);
  EXPECT_LT(InkedPixels(surface), static_cast<int64_t>(surface.Pixels.size()));
}

TEST(DrawString, DrawsNothingForAnEmptyTextOrAnImpossibleHeight) {
  FontCache fonts;
  Surface surface(100, 40);
  DrawString({surface, fonts}, "", 5, 5, 15, 700, 0, Rgb(255, 255, 255), PanelFaceName);
  DrawString({surface, fonts}, TitleText, 5, 5, 0, 700, 0, Rgb(255, 255, 255), PanelFaceName);
  EXPECT_EQ(InkedPixels(surface), 0);
}

TEST(DrawString, FallsBackToSomeFaceForAnUnknownName) {
  FontCache fonts;
  Surface surface(100, 40);
  DrawString({surface, fonts}, "－３", 5, 5, 15, 700, 0, Rgb(255, 255, 255), "No Such Face");
  EXPECT_GT(InkedPixels(surface), 0);
}

}  // namespace
}  // namespace nuikaro
