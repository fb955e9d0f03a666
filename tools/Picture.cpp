#include "tools/Picture.h"

#include <fstream>
#include <stdexcept>

namespace nuikaro {

Picture::Picture(int width, int height, Rgba fill)
    : Width(width), Height(height), Pixels(static_cast<std::size_t>(width * height), fill) {}

Rgba& Picture::At(int x, int y) {
  if (x < 0 || y < 0 || x >= Width || y >= Height) {
    throw std::out_of_range("pixel outside the picture");
  }
  return Pixels[static_cast<std::size_t>(y * Width + x)];
}

const Rgba& Picture::At(int x, int y) const {
  return const_cast<Picture&>(*this).At(x, y);
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace nuikaro
