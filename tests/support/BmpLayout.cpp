#include "tests/support/BmpLayout.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "tests/support/BmpRows.h"

namespace nuikaro {

namespace {

// 2835 pixels per metre is 72 dpi; some viewers show 0 as "unknown", which is harmless but odd.
constexpr std::uint32_t PixelsPerMetre = 2835;

void PutFileHeader(std::vector<std::uint8_t>& out, std::uint32_t headerSize,
                   std::uint32_t imageSize) {
  const std::uint32_t offset = BmpFileHeaderSize + headerSize;
  out.push_back('B');
  out.push_back('M');
  PutLe32(out, offset + imageSize);
  PutLe32(out, 0);
  PutLe32(out, offset);
}

bool HasPalette(const BmpLayout& layout) {
  return layout.Bits <= 8;
}

bool IsRle(const BmpLayout& layout) {
  return layout.Compression == BmpCompression::Rle8 || layout.Compression == BmpCompression::Rle4;
}

// The masks the pixels are packed with: the layout's own, or the usual ones of Rgb.
std::array<std::uint32_t, 4> PackingMasks(const BmpLayout& layout) {
  if (layout.Compression == BmpCompression::Bitfields ||
      layout.Compression == BmpCompression::AlphaBitfields) {
    return layout.Masks;
  }
  if (layout.Bits == 16) {
    return {0x7C00, 0x03E0, 0x001F, 0};
  }
  return {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
}

void PutMasks(std::vector<std::uint8_t>& out, const std::array<std::uint32_t, 4>& masks,
              int count) {
  for (int i = 0; i < count; ++i) {
    PutLe32(out, masks[static_cast<std::size_t>(i)]);
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Picture& picture, const BmpLayout& layout) {
  const bool palette = HasPalette(layout);
  const bool rle = IsRle(layout);
  const std::uint32_t nominalSize = HeaderBytes(layout.Header);
  const std::uint32_t headerSize = layout.HeaderSize != 0 ? layout.HeaderSize : nominalSize;
  const bool os2 = layout.Header == BmpHeader::Os2Core || layout.Header == BmpHeader::Os2Short ||
                   layout.Header == BmpHeader::Os2;
  const bool paletteOk =
      layout.Bits == 1 || layout.Bits == 2 || layout.Bits == 4 || layout.Bits == 8;
  const bool pixelsOk = layout.Bits == 16 || layout.Bits == 24 || layout.Bits == 32;
  if ((!paletteOk && !pixelsOk) ||
      (layout.Compression == BmpCompression::Rle8 && layout.Bits != 8) ||
      (layout.Compression == BmpCompression::Rle4 && layout.Bits != 4) ||
      (!rle && layout.Compression != BmpCompression::Rgb &&
       (layout.Bits == 24 || palette || os2)) ||
      (layout.Compression != BmpCompression::Rgb && headerSize < 20) ||
      (layout.PaletteSize > 0 && headerSize < 36 && layout.Header != BmpHeader::Os2Core) ||
      (layout.HeaderSize != 0 && (layout.Header != BmpHeader::Os2 || layout.HeaderSize < 16 ||
                                  layout.HeaderSize > nominalSize)) ||
      (layout.TopDown && layout.Header == BmpHeader::Os2Core)) {
    throw std::invalid_argument("no such BMP layout");
  }

  // The colour table: the picture's colours in order of first appearance, then black.
  std::vector<std::uint32_t> colours;
  std::uint32_t tableSize = 0;
  if (palette) {
    for (const Rgba& pixel : picture.Pixels) {
      if ((!rle || pixel.A != 0) &&
          std::find(colours.begin(), colours.end(), ColourKey(pixel)) == colours.end()) {
        colours.push_back(ColourKey(pixel));
      }
    }
    tableSize =
        layout.PaletteSize > 0 ? static_cast<std::uint32_t>(layout.PaletteSize) : 1u << layout.Bits;
    if (colours.size() > std::min(tableSize, 1u << layout.Bits)) {
      throw std::invalid_argument("too many colours for the layout");
    }
  }
  const std::uint32_t entrySize = layout.Header == BmpHeader::Os2Core ? 3 : 4;
  int maskCount = 0;
  if (layout.Header == BmpHeader::Info && layout.Compression == BmpCompression::Bitfields) {
    maskCount = 3;
  } else if (layout.Header == BmpHeader::Info &&
             layout.Compression == BmpCompression::AlphaBitfields) {
    maskCount = 4;
  }

  // The pixels, in file order.
  const std::array<std::uint32_t, 4> masks = PackingMasks(layout);
  const std::array<ChannelMask, 4> channels = {ChannelMask(masks[0]), ChannelMask(masks[1]),
                                               ChannelMask(masks[2]), ChannelMask(masks[3])};
  const std::size_t rowBytes =
      (static_cast<std::size_t>(picture.Width) * layout.Bits + 31) / 32 * 4;
  std::vector<std::uint8_t> data;
  int rleStart = 0;
  for (int i = 0; i < picture.Height; ++i) {
    const int y = layout.TopDown ? i : picture.Height - 1 - i;
    const std::vector<int> indices =
        palette ? RowIndices(picture, y, rle, colours) : std::vector<int>();
    if (rle) {
      const int at =
          EncodeRleRow(data, indices, rleStart, layout.Compression == BmpCompression::Rle4);
      // Rows left wholly out at the end are not written at all; a row's left-out end is a jump
      // into the next row where that row's own left-out start allows, an end of row otherwise.
      bool restClear = true;
      for (int j = i + 1; j < picture.Height && restClear; ++j) {
        const int next = layout.TopDown ? j : picture.Height - 1 - j;
        for (int x = 0; x < picture.Width && restClear; ++x) {
          restClear = picture.At(x, next).A == 0;
        }
      }
      if (restClear) {
        if (layout.End == RleEnd::Row) {
          data.insert(data.end(), {0, 0});
        }
        break;
      }
      const int next = layout.TopDown ? i + 1 : picture.Height - 2 - i;
      int lead = 0;
      while (lead < picture.Width && picture.At(lead, next).A == 0) {
        ++lead;
      }
      if (at < picture.Width && lead >= at && lead - at <= 255) {
        data.insert(data.end(), {0, 2, static_cast<std::uint8_t>(lead - at), 1});
        rleStart = lead;
      } else {
        data.insert(data.end(), {0, 0});
        rleStart = 0;
      }
      continue;
    }
    std::vector<std::uint8_t> row(rowBytes, 0);
    for (int x = 0; x < picture.Width; ++x) {
      const Rgba& pixel = picture.At(x, y);
      const auto at = static_cast<std::size_t>(x);
      if (palette) {
        const std::size_t bit = at * layout.Bits;
        row[bit / 8] |= static_cast<std::uint8_t>(indices[at] << (8 - layout.Bits - bit % 8));
      } else if (layout.Bits == 24) {
        row[at * 3] = pixel.B;
        row[at * 3 + 1] = pixel.G;
        row[at * 3 + 2] = pixel.R;
      } else {
        const std::uint32_t value = channels[0].Pack(pixel.R) | channels[1].Pack(pixel.G) |
                                    channels[2].Pack(pixel.B) | channels[3].Pack(pixel.A);
        for (int b = 0; b < layout.Bits / 8; ++b) {
          row[at * (layout.Bits / 8) + static_cast<std::size_t>(b)] =
              static_cast<std::uint8_t>(value >> (8 * b));
        }
      }
    }
    data.insert(data.end(), row.begin(), row.end());
  }
  if (rle && layout.End == RleEnd::Picture) {
    data.insert(data.end(), {0, 1});
  }

  const auto imageSize = static_cast<std::uint32_t>(data.size());
  const std::uint32_t tableBytes =
      tableSize * entrySize + static_cast<std::uint32_t>(maskCount) * 4;
  std::vector<std::uint8_t> out;
  PutFileHeader(out, headerSize + tableBytes, imageSize);
  PutLe32(out, headerSize);
  const auto width = static_cast<std::uint32_t>(picture.Width);
  const auto height = static_cast<std::uint32_t>(layout.TopDown ? -picture.Height : picture.Height);
  if (layout.Header == BmpHeader::Os2Core) {
    PutLe16(out, width);
    PutLe16(out, height);
  } else {
    PutLe32(out, width);
    PutLe32(out, height);
  }
  PutLe16(out, 1);
  PutLe16(out, layout.Bits);
  if (nominalSize >= HeaderBytes(BmpHeader::Info)) {
    PutLe32(out, static_cast<std::uint32_t>(layout.Compression));
    PutLe32(out, imageSize);
    PutLe32(out, PixelsPerMetre);
    PutLe32(out, PixelsPerMetre);
    PutLe32(out, layout.PaletteSize > 0 ? tableSize : 0);
    PutLe32(out, 0);
  }
  if (layout.Header == BmpHeader::Os2) {
    out.resize(out.size() + 24, 0);  // units, recording, rendering, colour encoding: all defaults
    out.resize(BmpFileHeaderSize + headerSize);  // a shorter header leaves out what follows
  }
  const std::array<std::uint32_t, 4> headerMasks =
      layout.Bits == 16 || layout.Bits == 32 ? masks : std::array<std::uint32_t, 4>{};
  if (layout.Header == BmpHeader::V2 || layout.Header == BmpHeader::V3) {
    PutMasks(out, headerMasks, layout.Header == BmpHeader::V2 ? 3 : 4);
  }
  if (headerSize >= HeaderBytes(BmpHeader::V4)) {
    constexpr std::uint32_t LcsSrgb = 0x73524742;  // 'sRGB'
    PutMasks(out, headerMasks, 4);
    PutLe32(out, LcsSrgb);
    for (int i = 0; i < 12; ++i) {  // colour-space endpoints and gammas, unused with sRGB
      PutLe32(out, 0);
    }
  }
  if (headerSize >= HeaderBytes(BmpHeader::V5)) {
    PutLe32(out, 4);  // LCS_GM_IMAGES: keep the colours perceptually
    PutLe32(out, 0);  // no profile
    PutLe32(out, 0);
    PutLe32(out, 0);
  }
  PutMasks(out, masks, maskCount);
  for (std::uint32_t i = 0; i < tableSize; ++i) {
    const std::uint32_t colour = i < colours.size() ? colours[i] : 0;
    out.insert(out.end(),
               {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                static_cast<std::uint8_t>(colour >> 16)});
    if (entrySize == 4) {
      out.push_back(0);
    }
  }
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

}  // namespace nuikaro
