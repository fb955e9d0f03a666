// Writing a picture as BMP in any layout the game reads, so that the decoder's tests and the
// fuzzer's seeds can feed it every one. Linked only by tests and fuzz/.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/BmpFormat.h"
#include "tools/Picture.h"

namespace nuikaro {

// How an RLE picture ends after its last stored pixel.
enum class RleEnd {
  Picture,  // the end-of-picture code
  Row,      // an end of row, and nothing after it
  Nothing,  // no code at all, as many writers do
};

// One way of storing a picture. Bits 1, 2, 4 and 8 take a colour table made of the picture's
// colours in order of first appearance.
struct BmpLayout {
  BmpHeader Header = BmpHeader::Info;
  std::uint16_t Bits = 24;
  BmpCompression Compression = BmpCompression::Rgb;
  // Red, green, blue, alpha. With Rgb, 16 bits are 5-5-5 and 32 bits 8-8-8 with alpha on top.
  std::array<std::uint32_t, 4> Masks{};
  bool TopDown = false;  // negative height; never with Os2Core
  // Colours in the table: 0 for 2^Bits; fewer for a short table, more for an oversized one.
  int PaletteSize = 0;
  RleEnd End = RleEnd::Picture;
  // Bytes of the info header: 0 for the size Header names. An OS/2 2.x header may be cut to any
  // size from 16 to 64 bytes; the fields past it are left out.
  std::uint32_t HeaderSize = 0;
};

// Writes picture in the layout. Each channel is rounded to its mask's width; an RLE file leaves
// out every pixel of alpha 0 (moving over it, ending its row or the picture early), which decoders
// show black. Throws std::invalid_argument when the picture has more colours than the table holds
// or the layout is not one of the above.
std::vector<std::uint8_t> EncodeBmp(const Picture& picture, const BmpLayout& layout);

}  // namespace nuikaro
