// Stepping through UTF-8 text one character at a time, for the code-page counts of each system.
#pragma once

#include <cstddef>
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

}  // namespace nuikaro
