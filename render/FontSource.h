// What text needs from the system: a font file for a face name, and the CP932 byte count. One
// definition file per system, picked by CMake: fontconfig and iconv on Linux, GDI and the
// system's code page conversion on Windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nuikaro {

// A font: either a file to open (Path) or its bytes in memory (Bytes, when not empty; Path then
// only names it for messages). Index is the face within a collection file.
struct FontFile {
  std::string Path;
  int Index = 0;
  std::vector<unsigned char> Bytes;
};

// The face for a name, covering the characters (UTF-8); empty Path and Bytes when none.
FontFile FindFontFile(std::string_view faceName, std::string_view characters);

// The number of bytes text (UTF-8) takes in the Shift-JIS code page (CP932), where a full-width
// character takes two. A character with no CP932 form, or a byte that is not UTF-8, counts as
// one byte: the '?' that takes its place.
int32_t AnsiByteLength(std::string_view text);

}  // namespace nuikaro
