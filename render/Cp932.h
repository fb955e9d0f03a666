// CP932's byte count for a system that has no CP932 of its own (the web page, an iconv without it).
#pragma once

#include <cstdint>
#include <string_view>

namespace nuikaro {

// AnsiByteLength from a table of the characters CP932 writes with two bytes (Cp932Table.inc,
// made from glibc's iconv by tools/MakeCp932Table.cpp): iconv's count for every character, without
// an iconv's tables of every other code page.
int32_t Cp932ByteLength(std::string_view text);

}  // namespace nuikaro
