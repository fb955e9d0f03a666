// The web page: the page puts the game's font into the virtual file system beside the pictures
// (web/make-font.sh makes the one it ships); texts are counted with musl's iconv, which knows
// Shift-JIS (JIS X 0208) as "SHIFT_JIS" and has no CP932.
#include <SDL_filesystem.h>
#include <SDL_stdinc.h>
#include <dirent.h>
#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "render/FontSource.h"
#include "render/Utf8.h"

namespace nuikaro {

namespace {

// The Unicode characters that CP932 writes with the two bytes JIS X 0208 gives another character:
// FULLWIDTH HYPHEN-MINUS, FULLWIDTH TILDE, PARALLEL TO and the full-width cent, pound and not
// signs.
bool IsCp932OwnCharacter(char32_t character) {
  return character == 0xFF0D || character == 0xFF5E || character == 0x2225 ||
         (character >= 0xFFE0 && character <= 0xFFE2);
}

char32_t Decode(std::string_view character) {
  const auto byte = [&character](std::size_t at) {
    return static_cast<char32_t>(static_cast<unsigned char>(character[at]));
  };
  if (character.size() == 2) {
    return (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
  }
  return (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
}

// The Shift-JIS bytes of one character of two or three UTF-8 bytes: musl writes one ('*') for a
// character it has no form for.
int64_t ShiftJisLength(iconv_t descriptor, std::string_view character) {
  char* input = const_cast<char*>(character.data());
  std::size_t inputLeft = character.size();
  char output[8];
  char* next = output;
  std::size_t outputLeft = sizeof output;
  if (iconv(descriptor, &input, &inputLeft, &next, &outputLeft) == static_cast<std::size_t>(-1)) {
    return 1;
  }
  return std::max<int64_t>(1, static_cast<int64_t>(sizeof output - outputLeft));
}

bool IsFontFile(std::string_view name) {
  for (const std::string_view suffix : {".ttf", ".otf", ".ttc"}) {
    if (name.size() > suffix.size() && name.substr(name.size() - suffix.size()) == suffix) {
      return true;
    }
  }
  return false;
}

}  // namespace

// The page loads one font file (web/index.html names it) into the program's folder; whatever its
// name, it stands for every face the game asks for.
FontFile FindFontFile(std::string_view faceName, std::string_view) {
  char* base = SDL_GetBasePath();
  const std::string folder = base != nullptr ? base : "/";
  SDL_free(base);
  std::vector<std::string> fonts;
  if (DIR* directory = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(directory)) {
      const std::string_view name = entry->d_name;
      if (IsFontFile(name)) {
        fonts.emplace_back(name);
      }
    }
    closedir(directory);
  }
  if (fonts.empty()) {
    std::cerr << "ぬいかろ: no font file in " << folder << ": texts in \"" << faceName
              << "\" are not drawn\n";
    return {};
  }
  return {folder + *std::min_element(fonts.begin(), fonts.end()), 0, {}};
}

// CP932's extensions beyond JIS X 0208 (the NEC and IBM characters) are not known here: each
// counts as one byte, the '?' of a character without a form.
int32_t AnsiByteLength(std::string_view text) {
  static const iconv_t descriptor = iconv_open("SHIFT_JIS", "UTF-8");
  const bool usable = descriptor != reinterpret_cast<iconv_t>(static_cast<intptr_t>(-1));
  int64_t total = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8CharacterLength(text.substr(at));
    const std::string_view character = text.substr(at, length);
    if (length == 1 || length == 4) {
      total += 1;  // ASCII, a byte that is not UTF-8, or beyond 16 bits (none is in CP932)
    } else if (IsCp932OwnCharacter(Decode(character))) {
      total += 2;
    } else {
      total += usable ? ShiftJisLength(descriptor, character) : 2;
    }
    at += length;
  }
  return static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
}

}  // namespace nuikaro
