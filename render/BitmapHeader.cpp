// Reading and checking a BMP file's headers, its channel masks and its colour table: everything
// that can be refused before a pixel is decoded.
#include <algorithm>

#include "render/BitmapReader.h"

namespace nuikaro::bitmap {

using enum BmpCompression;

void Reader::ReadHeader() {
  if (bytes_.empty()) {
    Refuse("is empty");
  }
  if (bytes_.size() < 2 || bytes_[0] != 'B' || bytes_[1] != 'M') {
    Refuse("is not a BMP picture");
  }
  if (bytes_.size() < BmpFileHeaderSize + 4) {
    CutShort("inside its header");
  }
  const std::size_t headerEnd = ReadHeaderKind();
  Header& h = header_;
  int64_t width = 0;
  int64_t height = 0;
  if (h.Kind == HeaderKind::Core) {
    width = Little16(bytes_, 18);
    height = Little16(bytes_, 20);
    h.Bits = Little16(bytes_, 24);
  } else {
    width = static_cast<int32_t>(Little32(bytes_, 18));
    height = static_cast<int32_t>(Little32(bytes_, 22));
    h.Bits = Little16(bytes_, 28);
    h.Compression = static_cast<BmpCompression>(h.InfoSize >= 20 ? Little32(bytes_, 30) : 0);
    // A negative height is legal: the rows are stored from the top down.
    h.TopDown = height < 0;
    height = height < 0 ? -height : height;
  }
  if (width <= 0 || height <= 0) {
    Damaged("it claims a size of " + std::to_string(width) + " by " + std::to_string(height) +
            " pixels");
  }
  CheckLayout();
  if (width < rule_.MinWidth || width > rule_.MaxWidth || height < rule_.MinHeight ||
      height > rule_.MaxHeight) {
    Refuse("is " + std::to_string(width) + " by " + std::to_string(height) + " pixels; " +
           rule_.Name + " must be " + std::to_string(rule_.MinWidth) + " to " +
           std::to_string(rule_.MaxWidth) + " pixels wide and " + std::to_string(rule_.MinHeight) +
           " to " + std::to_string(rule_.MaxHeight) + " high");
  }
  h.Width = static_cast<int32_t>(width);
  h.Height = static_cast<int32_t>(height);

  std::size_t tableStart = headerEnd;
  ReadMasks(tableStart);
  h.PixelOffset = Little32(bytes_, 10);
  if (h.PixelOffset < tableStart) {
    Damaged("its pixels start inside its header");
  }
  if (h.PixelOffset > bytes_.size()) {
    CutShort("before its pixels begin");
  }
  if (h.Bits <= 8) {
    ReadPalette(tableStart);
  }
}

// Which header the file has, from its size; where the header ends.
std::size_t Reader::ReadHeaderKind() {
  Header& h = header_;
  h.InfoSize = Little32(bytes_, BmpFileHeaderSize);
  if (h.InfoSize == HeaderBytes(BmpHeader::Os2Core)) {
    h.Kind = HeaderKind::Core;
  } else if (h.InfoSize == HeaderBytes(BmpHeader::Info) ||
             h.InfoSize == HeaderBytes(BmpHeader::V2) || h.InfoSize == HeaderBytes(BmpHeader::V3) ||
             h.InfoSize == HeaderBytes(BmpHeader::V4) || h.InfoSize == HeaderBytes(BmpHeader::V5)) {
    h.Kind = HeaderKind::Windows;
  } else if (h.InfoSize >= HeaderBytes(BmpHeader::Os2Short) &&
             h.InfoSize <= HeaderBytes(BmpHeader::Os2)) {
    h.Kind = HeaderKind::Os2;  // OS/2 2.x leaves out the fields it does not need
  } else if (h.InfoSize < HeaderBytes(BmpHeader::Os2Short)) {
    Damaged("its header claims to be " + std::to_string(h.InfoSize) + " bytes long");
  } else {
    NotRead("a header of " + std::to_string(h.InfoSize) + " bytes");
  }
  const std::size_t headerEnd = BmpFileHeaderSize + h.InfoSize;
  if (bytes_.size() < headerEnd) {
    CutShort("inside its header");
  }
  return headerEnd;
}

// Bit depth and compression must fit each other and the header.
void Reader::CheckLayout() {
  const Header& h = header_;
  const std::string bits = std::to_string(h.Bits);
  const std::string compression = std::to_string(static_cast<uint32_t>(h.Compression));
  if (h.Kind == HeaderKind::Core) {
    if (h.Bits != 1 && h.Bits != 2 && h.Bits != 4 && h.Bits != 8 && h.Bits != 24) {
      NotRead(bits + " bits a pixel in an OS/2 1.x header");
    }
    return;
  }
  if (h.Kind == HeaderKind::Os2 && h.Compression != Rgb && h.Compression != Rle8 &&
      h.Compression != Rle4) {
    NotRead(h.Compression == Bitfields ? std::string("OS/2 Huffman compression")
            : h.Compression == Jpeg    ? std::string("OS/2 RLE24 compression")
                                       : "compression " + compression);
  }
  switch (h.Compression) {
    case Rgb:
      if (h.Bits == 0) {
        Damaged("it claims 0 bits a pixel");
      }
      if (h.Bits != 1 && h.Bits != 2 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 &&
          h.Bits != 24 && h.Bits != 32) {
        NotRead(bits + " bits a pixel");
      }
      break;
    case Rle8:
    case Rle4: {
      const uint32_t wanted = h.Compression == Rle8 ? 8 : 4;
      const char* name = h.Compression == Rle8 ? "RLE8" : "RLE4";
      if (h.Bits != wanted) {
        Damaged(std::string(name) + " compression on " + bits + " bits a pixel");
      }
      if (h.TopDown) {
        Damaged(std::string(name) +
                " compressed rows claim top-down order, which compressed "
                "rows cannot have");
      }
      break;
    }
    case Bitfields:
    case AlphaBitfields:
      if (h.Bits != 16 && h.Bits != 32) {
        Damaged("channel masks on " + bits + " bits a pixel");
      }
      break;
    case Jpeg:
      NotRead("a JPEG picture inside");
    case Png:
      NotRead("a PNG picture inside");
    default:
      NotRead("compression " + compression);
  }
}

// The channel masks, from the header or right after a 40-byte one; the usual ones otherwise.
void Reader::ReadMasks(std::size_t& tableStart) {
  Header& h = header_;
  if (h.Bits != 16 && h.Bits != 32) {
    return;
  }
  std::array<uint32_t, 4> masks = {0x7C00, 0x03E0, 0x001F, 0};  // 16 bits: 5-5-5
  if (h.Bits == 32) {
    masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
  }
  if (h.Compression == Bitfields || h.Compression == AlphaBitfields) {
    // After a 40-byte header the masks follow it; larger headers hold them, alpha from 56 bytes.
    const std::size_t at = BmpFileHeaderSize + HeaderBytes(BmpHeader::Info);
    int count = h.InfoSize >= HeaderBytes(BmpHeader::V3) ? 4 : 3;
    if (h.InfoSize == HeaderBytes(BmpHeader::Info)) {
      count = h.Compression == AlphaBitfields ? 4 : 3;
      tableStart += 4 * static_cast<std::size_t>(count);
      if (bytes_.size() < tableStart) {
        CutShort("inside its channel masks");
      }
    }
    for (int i = 0; i < count; ++i) {
      masks[i] = Little32(bytes_, at + 4 * static_cast<std::size_t>(i));
    }
  }
  const uint64_t pixelBits = (uint64_t{1} << h.Bits) - 1;
  uint32_t taken = 0;
  for (int i = 0; i < 4; ++i) {
    const ChannelMask channel(masks[i]);
    if (masks[i] > pixelBits) {
      Damaged("a channel mask reaches past its " + std::to_string(h.Bits) + "-bit pixels");
    }
    if ((taken & masks[i]) != 0) {
      Damaged("its channel masks overlap");
    }
    if (!channel.Contiguous()) {
      NotRead("a channel mask with gaps in it");
    }
    taken |= masks[i];
    if (i < 3) {
      h.Channels[i] = channel;  // alpha is checked, but never shown
    }
  }
  // One empty mask is a channel the file does not have; with none there is no picture at all.
  if ((masks[0] | masks[1] | masks[2]) == 0) {
    Damaged("its colour masks are all empty");
  }
}

void Reader::ReadPalette(std::size_t tableStart) {
  Header& h = header_;
  const std::size_t entrySize = h.Kind == HeaderKind::Core ? 3 : 4;
  const std::size_t room = (h.PixelOffset - tableStart) / entrySize;
  std::size_t count = std::size_t{1} << h.Bits;
  if (h.Kind == HeaderKind::Core) {
    count = std::min(count, room);  // no count field: the table ends where the pixels begin
  } else {
    const uint32_t stated = h.InfoSize >= 36 ? Little32(bytes_, 46) : 0;
    // More colours than the pixels can address are never used.
    if (stated != 0 && stated < count) {
      count = stated;
    }
    if (count > room) {
      Damaged("its colour table runs into its pixels");
    }
  }
  h.Palette.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = tableStart + i * entrySize;
    h.Palette[i] =
        bytes_[at] | (bytes_[at + 1] << 8) | (static_cast<uint32_t>(bytes_[at + 2]) << 16);
  }
}

}  // namespace nuikaro::bitmap
