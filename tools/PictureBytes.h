// Little-endian writing, shared by the BMP writer (BmpWriter.cpp) and the PNG writer
// (PngWriter.cpp), whose stored deflate blocks count their lengths this way.
#pragma once

#include <cstdint>
#include <vector>

namespace nuikaro {

inline void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutLe16(out, value & 0xFFFF);
  PutLe16(out, value >> 16);
}

}  // namespace nuikaro
