#include "render/Bitmap.h"

#include <array>
#include <bit>
#include <vector>

namespace nuikaro {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;      // OS/2 1.x: 16-bit sizes, 3-byte colours
constexpr uint32_t Os2ShortHeaderSize = 16;  // OS/2 2.x may stop after the bit count
constexpr uint32_t Os2HeaderSize = 64;
constexpr uint32_t InfoHeaderSize = 40;

// Compression codes. 3 and 4 mean Huffman and RLE24 in an OS/2 2.x header.
constexpr uint32_t Rgb = 0;
constexpr uint32_t Rle8 = 1;
constexpr uint32_t Rle4 = 2;
constexpr uint32_t Bitfields = 3;
constexpr uint32_t Jpeg = 4;
constexpr uint32_t Png = 5;
constexpr uint32_t AlphaBitfields = 6;

enum class HeaderKind { Core, Os2, Windows };

uint32_t Little16(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8);
}

uint32_t Little32(std::span<const unsigned char> bytes, std::size_t at) {
  return Little16(bytes, at) | (Little16(bytes, at + 2) << 16);
}

// One colour channel as a mask: where its bits lie and how many there are.
struct Channel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint64_t Largest = 0;  // the channel's full value, 2^bits - 1; 0 for an empty mask

  explicit Channel(uint32_t mask = 0) : Mask(mask) {
    if (mask != 0) {
      Shift = std::countr_zero(mask);
      Largest = mask >> Shift;
    }
  }
  bool Contiguous() const { return (Largest & (Largest + 1)) == 0; }
  // The nearest 8-bit value, so that full scale is 255 at any width.
  uint32_t Expand(uint32_t pixel) const {
    if (Largest == 0) {
      return 0;
    }
    const uint64_t value = (pixel & Mask) >> Shift;
    return static_cast<uint32_t>((value * 255 + Largest / 2) / Largest);
  }
};

// What the headers say, read and checked before any pixel is.
struct Header {
  HeaderKind Kind = HeaderKind::Windows;
  uint32_t InfoSize = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool TopDown = false;
  uint32_t Bits = 0;
  uint32_t Compression = Rgb;
  std::array<Channel, 3> Channels;  // red, green, blue
  std::vector<uint32_t> Palette;    // XRGB
  std::size_t PixelOffset = 0;
};

class Reader {
 public:
  Reader(const std::string& file, std::span<const unsigned char> bytes, const SizeRule& rule)
      : file_(file), bytes_(bytes), rule_(rule) {}

  Surface Decode() {
    ReadHeader();
    Surface picture(header_.Width, header_.Height);
    if (header_.Compression == Rle8 || header_.Compression == Rle4) {
      DecodeRle(picture);
    } else {
      DecodeRows(picture);
    }
    return picture;
  }

 private:
  [[noreturn]] void Refuse(const std::string& reason) const { throw PictureError(file_, reason); }
  // The file contradicts itself or breaks the format's own rules.
  [[noreturn]] void Damaged(const std::string& what) const { Refuse("is damaged: " + what); }
  // A well-formed file in a layout we cannot show right.
  [[noreturn]] void NotRead(const std::string& what) const {
    Refuse("is a BMP layout this game does not read: " + what);
  }
  [[noreturn]] void CutShort(const std::string& where) const {
    Refuse("is cut short: the file ends " + where);
  }

  void ReadHeader() {
    if (bytes_.empty()) {
      Refuse("is empty");
    }
    if (bytes_.size() < 2 || bytes_[0] != 'B' || bytes_[1] != 'M') {
      Refuse("is not a BMP picture");
    }
    if (bytes_.size() < FileHeaderSize + 4) {
      CutShort("inside its header");
    }
    Header& h = header_;
    h.InfoSize = Little32(bytes_, FileHeaderSize);
    if (h.InfoSize == CoreHeaderSize) {
      h.Kind = HeaderKind::Core;
    } else if (h.InfoSize == InfoHeaderSize || h.InfoSize == 52 || h.InfoSize == 56 ||
               h.InfoSize == 108 || h.InfoSize == 124) {
      h.Kind = HeaderKind::Windows;
    } else if (h.InfoSize >= Os2ShortHeaderSize && h.InfoSize <= Os2HeaderSize) {
      h.Kind = HeaderKind::Os2;  // OS/2 2.x leaves out the fields it does not need
    } else if (h.InfoSize < Os2ShortHeaderSize) {
      Damaged("its header claims to be " + std::to_string(h.InfoSize) + " bytes long");
    } else {
      NotRead("a header of " + std::to_string(h.InfoSize) + " bytes");
    }
    const std::size_t headerEnd = FileHeaderSize + h.InfoSize;
    if (bytes_.size() < headerEnd) {
      CutShort("inside its header");
    }

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
      h.Compression = h.InfoSize >= 20 ? Little32(bytes_, 30) : Rgb;
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
             std::to_string(rule_.MaxWidth) + " pixels wide and " +
             std::to_string(rule_.MinHeight) + " to " + std::to_string(rule_.MaxHeight) + " high");
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

  // Bit depth and compression must fit each other and the header.
  void CheckLayout() {
    const Header& h = header_;
    const std::string bits = std::to_string(h.Bits);
    if (h.Kind == HeaderKind::Core) {
      if (h.Bits != 1 && h.Bits != 2 && h.Bits != 4 && h.Bits != 8 && h.Bits != 24) {
        NotRead(bits + " bits a pixel in an OS/2 1.x header");
      }
      return;
    }
    if (h.Kind == HeaderKind::Os2 && h.Compression != Rgb && h.Compression != Rle8 &&
        h.Compression != Rle4) {
      NotRead(h.Compression == 3   ? std::string("OS/2 Huffman compression")
              : h.Compression == 4 ? std::string("OS/2 RLE24 compression")
                                   : "compression " + std::to_string(h.Compression));
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
        NotRead("compression " + std::to_string(h.Compression));
    }
  }

  // The channel masks, from the header or right after a 40-byte one; the usual ones otherwise.
  void ReadMasks(std::size_t& tableStart) {
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
      const std::size_t at = FileHeaderSize + InfoHeaderSize;
      int count = h.InfoSize >= 56 ? 4 : 3;
      if (h.InfoSize == InfoHeaderSize) {
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
      const Channel channel(masks[i]);
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

  void ReadPalette(std::size_t tableStart) {
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

  uint32_t Colour(uint32_t index) const {
    if (index >= header_.Palette.size()) {
      Damaged("a pixel uses colour " + std::to_string(index) + " of a colour table of " +
              std::to_string(header_.Palette.size()));
    }
    return header_.Palette[index];
  }

  void DecodeRows(Surface& picture) {
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
          out[x] =
              in[at * 3] | (in[at * 3 + 1] << 8) | (static_cast<uint32_t>(in[at * 3 + 2]) << 16);
        } else {
          const uint32_t pixel = h.Bits == 16 ? Little16(in, at * 2) : Little32(in, at * 4);
          out[x] = (h.Channels[0].Expand(pixel) << 16) | (h.Channels[1].Expand(pixel) << 8) |
                   h.Channels[2].Expand(pixel);
        }
      }
    }
  }

  // RLE4 and RLE8 rows, bottom-up. Whatever would land outside the picture, or read past the
  // file, refuses the whole file: a half-shown picture would look like a damaged drawing.
  void DecodeRle(Surface& picture) {
    const Header& h = header_;
    const bool four = h.Compression == Rle4;
    std::size_t at = h.PixelOffset;
    int32_t x = 0;
    int32_t y = 0;  // counted from the bottom row
    const auto put = [&](uint32_t index) {
      if (y >= h.Height) {
        Damaged("its compressed pixels run past the end of the picture");
      }
      if (x >= h.Width) {
        Damaged("its compressed pixels run past the end of a row");
      }
      picture.Row(h.Height - 1 - y)[x] = Colour(index);
      ++x;
    };
    const auto next = [&]() -> uint32_t {
      if (at >= bytes_.size()) {
        CutShort("before its compressed pixels do");
      }
      return bytes_[at++];
    };
    for (;;) {
      // Many writers leave out the closing code, or the last end of row with it.
      if (at >= bytes_.size() && (y >= h.Height || (y == h.Height - 1 && x == h.Width))) {
        return;
      }
      const uint32_t count = next();
      const uint32_t value = next();
      if (count > 0) {  // count pixels, alternating the two halves of value in RLE4
        for (uint32_t i = 0; i < count; ++i) {
          put(four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
        }
      } else if (value == 0) {  // end of the row
        x = 0;
        ++y;
        if (y > h.Height) {
          Damaged("its compressed pixels run past the end of the picture");
        }
      } else if (value == 1) {  // end of the picture; what is left out stays black
        return;
      } else if (value == 2) {  // move right and up
        x += static_cast<int32_t>(next());
        y += static_cast<int32_t>(next());
        if (x > h.Width || y >= h.Height) {
          Damaged("its compressed pixels jump past the end of the picture");
        }
      } else {  // value pixels stored as they are, padded to a 16-bit boundary
        const std::size_t stored = four ? (value + 1) / 2 : value;
        if (bytes_.size() - at < stored) {
          CutShort("before its compressed pixels do");
        }
        for (uint32_t i = 0; i < value; ++i) {
          const uint32_t byte = bytes_[at + (four ? i / 2 : i)];
          put(four ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
        }
        at += stored + stored % 2;
      }
    }
  }

  const std::string& file_;
  std::span<const unsigned char> bytes_;
  const SizeRule& rule_;
  Header header_;
};

}  // namespace

PictureError::PictureError(std::string file, std::string reason)
    : std::runtime_error("\"" + file + "\" " + reason),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

Surface DecodePicture(const std::string& file, std::span<const unsigned char> bytes,
                      const SizeRule& rule) {
  return Reader(file, bytes, rule).Decode();
}

}  // namespace nuikaro
