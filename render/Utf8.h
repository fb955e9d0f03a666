// Stepping through UTF-8 text one character at a time, for the code-page counts of each system.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nuikaro {

// The bytes of the UTF-8 character text starts with, or 1 where the bytes are not a whole
// character (a stray or cut-off byte stands for one character of its own). text is not empty.
inline std::size_t Utf8CharacterLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80             ? 1
                             : (lead & 0xE0) == 0xC0 ? 2
                             : (lead & 0xF0) == 0xE0 ? 3
                             : (lead & 0xF8) == 0xF0 ? 4
                                                     : 1;
  if (length > text.size()) {
    return 1;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      return 1;
    }
  }
  return length;
}

// The UTF-8 bytes of a character of the BMP from U+0080 on (two or three bytes).
inline std::string Utf8OfBmp(char32_t code) {
  std::string text;
  if (code >= 0x800) {
    text += static_cast<char>(0xE0 | code >> 12);
  }
  text += static_cast<char>(code >= 0x800 ? 0x80 | (code >> 6 & 0x3F) : 0xC0 | code >> 6);
  text += static_cast<char>(0x80 | (code & 0x3F));
  return text;
}

}  // namespace nuikaro
