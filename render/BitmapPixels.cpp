// Decoding a checked BMP file's pixels: rows as they are stored, or RLE4 and RLE8.
#include "render/BitmapReader.h"

namespace nuikaro::bitmap {

uint32_t Reader::Colour(uint32_t index) const {
  if (index >= header_.Palette.size()) {
    Damaged("a pixel uses colour " + std::to_string(index) + " of a colour table of " +
            std::to_string(header_.Palette.size()));
  }
  return header_.Palette[index];
}

void Reader::DecodeRows(Surface& picture) {
  const Header& h = header_;
  const std::size_t rowBytes = (static_cast<std::size_t>(h.Width) * h.Bits + 31) / 32 * 4;
  if ((bytes_.size() - h.PixelOffset) / rowBytes < static_cast<std::size_t>(h.Height)) {
    CutShort("before its pixels do");
  }
  const uint32_t indexMask = (1u << (h.Bits <= 8 ? h.Bits : 0)) - 1;
  for (int32_t row = 0; row < h.Height; ++row) {
    const std::span<const unsigned char> in =
        bytes_.subspan(h.PixelOffset + static_cast<std::size_t>(row) * rowBytes, rowBytes);
    uint32_t* out = picture.Row(h.TopDown ? row : h.Height - 1 - row);
    for (int32_t x = 0; x < h.Width; ++x) {
      const std::size_t at = static_cast<std::size_t>(x);
      if (h.Bits <= 8) {
        const std::size_t bit = at * h.Bits;
        // The leftmost pixel lies in the highest bits of its byte.
        const uint32_t index = (in[bit / 8] >> (8 - h.Bits - bit % 8)) & indexMask;
        out[x] = Colour(index);
      } else if (h.Bits == 24) {
        out[x] = in[at * 3] | (in[at * 3 + 1] << 8) | (static_cast<uint32_t>(in[at * 3 + 2]) << 16);
      } else {
        const uint32_t pixel = h.Bits == 16 ? Little16(in, at * 2) : Little32(in, at * 4);
        out[x] = (h.Channels[0].Expand(pixel) << 16) | (h.Channels[1].Expand(pixel) << 8) |
                 h.Channels[2].Expand(pixel);
      }
    }
  }
}

// RLE4 and RLE8 rows, bottom-up. Whatever would land outside the picture, or read past the
// file, refuses the whole file: a half-shown picture would look like a damaged drawing. Only a
// row's padding is let pass: some writers (ImageMagick) code each row up to the width it would be
// stored at uncompressed, a whole number of 32-bit words, and those pixels are dropped unread,
// as the padding of an uncompressed row is.
void Reader::PutRle(Surface& picture, RlePen& pen, uint32_t index) const {
  if (pen.Y >= header_.Height) {
    Damaged("its compressed pixels run past the end of the picture");
  }
  if (pen.X >= pen.StoredWidth) {
    Damaged("its compressed pixels run past the end of a row");
  }
  if (pen.X < header_.Width) {
    picture.Row(header_.Height - 1 - pen.Y)[pen.X] = Colour(index);
  }
  ++pen.X;
}

uint32_t Reader::NextRle(RlePen& pen) const {
  if (pen.At >= bytes_.size()) {
    CutShort("before its compressed pixels do");
  }
  return bytes_[pen.At++];
}

void Reader::DecodeRle(Surface& picture) {
  const Header& h = header_;
  const bool four = h.Compression == BmpCompression::Rle4;
  RlePen pen;
  pen.At = h.PixelOffset;
  pen.StoredWidth =
      static_cast<int32_t>((static_cast<int64_t>(h.Width) * h.Bits + 31) / 32 * 32 / h.Bits);
  for (;;) {
    // Many writers leave out the closing code, or the last end of row with it.
    if (pen.At >= bytes_.size() &&
        (pen.Y >= h.Height || (pen.Y == h.Height - 1 && pen.X >= h.Width))) {
      return;
    }
    const uint32_t count = NextRle(pen);
    const uint32_t value = NextRle(pen);
    if (count > 0) {  // count pixels, alternating the two halves of value in RLE4
      for (uint32_t i = 0; i < count; ++i) {
        PutRle(picture, pen, four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
      }
    } else if (value == 0) {  // end of the row
      pen.X = 0;
      ++pen.Y;
      if (pen.Y > h.Height) {
        Damaged("its compressed pixels run past the end of the picture");
      }
    } else if (value == 1) {  // end of the picture; what is left out stays black
      return;
    } else if (value == 2) {  // move right and up
      pen.X += static_cast<int32_t>(NextRle(pen));
      pen.Y += static_cast<int32_t>(NextRle(pen));
      if (pen.X > h.Width || pen.Y >= h.Height) {
        Damaged("its compressed pixels jump past the end of the picture");
      }
    } else {  // value pixels stored as they are, padded to a 16-bit boundary
      const std::size_t stored = four ? (value + 1) / 2 : value;
      if (bytes_.size() - pen.At < stored) {
        CutShort("before its compressed pixels do");
      }
      for (uint32_t i = 0; i < value; ++i) {
        const uint32_t byte = bytes_[pen.At + (four ? i / 2 : i)];
        PutRle(picture, pen, four ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
      }
      pen.At += stored + stored % 2;
    }
  }
}

}  // namespace nuikaro::bitmap
