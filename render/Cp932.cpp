#include "render/Cp932.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "render/Utf8.h"

namespace nuikaro {

namespace {

#include "render/Cp932Table.inc"

// Whether CP932 writes the character code with two bytes.
bool IsCp932DoubleByte(char32_t code) {
  if (code >= Cp932KanjiFirst && code < Cp932KanjiEnd) {
    const char32_t bit = code - Cp932KanjiFirst;
    return (Cp932Kanji[bit / 32] >> bit % 32 & 1) != 0;
  }
  const auto* const end = std::end(Cp932Ranges);
  const auto* const range = std::lower_bound(  // the first run that ends at code or later
      std::begin(Cp932Ranges), end, code,
      [](const char16_t(&run)[2], char32_t c) { return run[1] < c; });
  return range != end && (*range)[0] <= code;
}

// The code point of a UTF-8 character of two or three bytes.
char32_t CodePoint(std::string_view character) {
  const auto byte = [&character](std::size_t at) {
    return static_cast<char32_t>(static_cast<unsigned char>(character[at]));
  };
  return character.size() == 2 ? (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F)
                               : (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
}

}  // namespace

int32_t Cp932ByteLength(std::string_view text) {
  int64_t total = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8CharacterLength(text.substr(at));
    // Two bytes for a character with a double-byte form; one for ASCII, a half-width katakana,
    // the '?' of a character without a form (all beyond the BMP), or a byte that is not UTF-8.
    const bool doubleByte =
        (length == 2 || length == 3) && IsCp932DoubleByte(CodePoint(text.substr(at, length)));
    total += doubleByte ? 2 : 1;
    at += length;
  }
  return static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
}

}  // namespace nuikaro
