#include "render/FontFolder.h"

#include <dirent.h>
#include <iconv.h>

#include <algorithm>
#include <iostream>
#include <vector>

#include "render/Utf8.h"

namespace nuikaro {

namespace {

// The Unicode characters that CP932 writes with the two bytes JIS X 0208 gives another character:
// FULLWIDTH HYPHEN-MINUS, FULLWIDTH TILDE, PARALLEL TO and the full-width cent, pound and not
// signs. Each takes three bytes in UTF-8.
bool IsCp932OwnCharacter(std::string_view character) {
  const auto byte = [&character](std::size_t at) {
    return static_cast<char32_t>(static_cast<unsigned char>(character[at]));
  };
  const char32_t code = (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
  return code == 0xFF0D || code == 0xFF5E || code == 0x2225 || (code >= 0xFFE0 && code <= 0xFFE2);
}

// The Shift-JIS bytes of one UTF-8 character: one, the '?', for a character without a form (glibc
// refuses it, musl writes '*').
int64_t ShiftJisLength(iconv_t descriptor, std::string_view character) {
  char* input = const_cast<char*>(character.data());
  std::size_t inputLeft = character.size();
  char output[8];
  char* next = output;
  std::size_t outputLeft = sizeof output;
  if (iconv(descriptor, &input, &inputLeft, &next, &outputLeft) == static_cast<std::size_t>(-1)) {
    return 1;
  }
  return static_cast<int64_t>(sizeof output - outputLeft);
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

FontFile FontFileInFolder(const std::string& folder, std::string_view faceName) {
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

int32_t ShiftJisByteLength(std::string_view text) {
  // Shift-JIS is built into musl's iconv and glibc's. One descriptor serves every text: the
  // encoding has no shift state, and the game draws its texts on one thread.
  static const iconv_t descriptor = iconv_open("SHIFT_JIS", "UTF-8");
  int64_t total = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8CharacterLength(text.substr(at));
    const std::string_view character = text.substr(at, length);
    if (length == 1) {
      total += 1;  // ASCII, or a byte that is not UTF-8
    } else if (length == 3 && IsCp932OwnCharacter(character)) {
      total += 2;
    } else {
      total += ShiftJisLength(descriptor, character);
    }
    at += length;
  }
  return static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
}

}  // namespace nuikaro
