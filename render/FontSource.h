// What text output needs from the operating system: a font file for a face name, and the length
// of a text in the system's code page. Each system has its own definitions in files of their own
// (fontconfig and iconv on Linux); nothing else in the game asks the system about fonts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nuikaro {

// A font file as SDL_ttf opens it: from Path, or from Bytes when the system hands out the font's
// data instead of a file name. Index picks the face in a collection.
struct FontFile {
  std::string Path;
  int Index = 0;
  std::vector<unsigned char> Bytes;
};

// The face that stands for faceName, chosen among the faces that have every character of
// characters (UTF-8). When none has them all, the closest face, with a warning on stderr; empty
// Path and Bytes only when no font can be found at all.
FontFile FindFontFile(std::string_view faceName, std::string_view characters);

// The number of bytes text (UTF-8) takes in the Shift-JIS code page (CP932), where a full-width
// character takes two. A character with no CP932 form, or a byte that is not UTF-8, counts as
// one byte: the '?' that takes its place.
//
// Kept because it is the game's measure of a text's length: a Windows build hands it to its text
// output, which takes the code-page bytes. SDL_ttf takes UTF-8 and needs no count, so DrawString
// only uses it to leave empty text alone.
int32_t AnsiByteLength(std::string_view text);

}  // namespace nuikaro
