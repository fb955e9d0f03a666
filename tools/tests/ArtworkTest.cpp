#include "tools/Artwork.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/IconFile.h"
#include "tools/Palette.h"
#include "tools/Picture.h"

namespace nuikaro {
namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 |
         static_cast<std::uint32_t>(bytes.at(at + 3)) << 24;
}

// Reads back a 24-bit file as the game's pictures are written.
Picture DecodeBmp24(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || Le32(bytes, 14) != 40 ||
      (bytes.at(28) | bytes.at(29) << 8) != 24 || Le32(bytes, 30) != 0) {
    throw std::runtime_error("not an uncompressed 24-bit BMP");
  }
  const int width = static_cast<int>(Le32(bytes, 18));
  const int height = static_cast<int>(Le32(bytes, 22));
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    const std::size_t row = Le32(bytes, 10) + rowBytes * static_cast<std::size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const std::size_t at = row + static_cast<std::size_t>(x) * 3;
      picture.At(x, y) = Rgba{bytes.at(at + 2), bytes.at(at + 1), bytes.at(at), 255};
    }
  }
  return picture;
}

constexpr Rgba Black{0, 0, 0, 255};
constexpr Rgba White{255, 255, 255, 255};

int Luma(const Rgba& pixel) {
  return (299 * pixel.R + 587 * pixel.G + 114 * pixel.B) / 1000;
}

// The eleven picture cells (column, row): three items, four heads, four body pieces.
std::vector<std::array<int, 2>> PictureCells() {
  std::vector<std::array<int, 2>> cells = {{1, 0}, {2, 0}, {3, 0}};
  for (int row = 1; row <= 2; ++row) {
    for (int dir = 0; dir < 4; ++dir) {
      cells.push_back({dir, row});
    }
  }
  return cells;
}

void ExpectPicturesBlackOutsideMask(const Picture& sheet) {
  for (const auto& [column, row] : PictureCells()) {
    for (int y = 0; y < CellPixels; ++y) {
      for (int x = 0; x < CellPixels; ++x) {
        if (sheet.At(x, y) == White) {
          EXPECT_EQ(sheet.At(column * CellPixels + x, row * CellPixels + y), Black)
              << "cell (" << column << ", " << row << ") pixel (" << x << ", " << y << ")";
        }
      }
    }
  }
}

TEST(Bmp24, RowsArePaddedAndStoredBottomUp) {
  Picture picture(3, 2, Black);
  picture.At(0, 0) = Rgba{10, 20, 30, 255};
  picture.At(2, 1) = Rgba{40, 50, 60, 255};
  const std::vector<std::uint8_t> bytes = EncodeBmp24(picture);
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);  // 9 bytes of pixels padded to 12 per row
  EXPECT_EQ(Le32(bytes, 2), bytes.size());
  EXPECT_EQ(bytes[54 + 6], 60);  // the bottom row comes first, in blue, green, red order
  EXPECT_EQ(bytes[54 + 8], 40);
  EXPECT_EQ(bytes[54 + 12], 30);
  EXPECT_EQ(bytes[54 + 14], 10);
  const Picture back = DecodeBmp24(bytes);
  EXPECT_EQ(back.Pixels, picture.Pixels);
}

TEST(DrawnArtwork, EveryPictureIsBlackWhereTheMaskIsWhite) {
  ExpectPicturesBlackOutsideMask(DrawItemSheet());
}

TEST(DrawnArtwork, SheetIs64By48AndItsMaskIsOpaqueExactlyOnTheSilhouette) {
  const Picture sheet = DrawItemSheet();
  ASSERT_EQ(sheet.Width, 64);
  ASSERT_EQ(sheet.Height, 48);
  int opaque = 0;
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
      EXPECT_EQ(sheet.At(x, y), InSilhouette(x, y) ? Black : White);
      opaque += InSilhouette(x, y) ? 1 : 0;
    }
  }
  EXPECT_GT(opaque, 150);  // a silhouette that fills most of the cell
  EXPECT_LT(opaque, 256);  // and lets the board show in the corners
}

// Light and dark inside the silhouette, split at the cell's own mean brightness: what a player who
// cannot tell the colours apart still sees.
std::vector<bool> LightDarkPattern(const Picture& sheet, int column) {
  int sum = 0;
  int count = 0;
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
      if (InSilhouette(x, y)) {
        sum += Luma(sheet.At(column * CellPixels + x, y));
        ++count;
      }
    }
  }
  std::vector<bool> pattern;
  for (int y = 0; y < CellPixels; ++y) {
    for (int x = 0; x < CellPixels; ++x) {
      if (InSilhouette(x, y)) {
        pattern.push_back(Luma(sheet.At(column * CellPixels + x, y)) * count > sum);
      }
    }
  }
  return pattern;
}

TEST(DrawnArtwork, ItemsDifferInShapeNotOnlyInColour) {
  const Picture sheet = DrawItemSheet();
  for (int a = 1; a <= 3; ++a) {
    for (int b = a + 1; b <= 3; ++b) {
      const std::vector<bool> first = LightDarkPattern(sheet, a);
      const std::vector<bool> second = LightDarkPattern(sheet, b);
      int differing = 0;
      for (std::size_t i = 0; i < first.size(); ++i) {
        differing += first[i] != second[i] ? 1 : 0;
      }
      const int total = static_cast<int>(first.size());
      // Even with light and dark swapped, a good share of the pixels must differ.
      EXPECT_GE(std::min(differing, total - differing), 30) << "items " << a << " and " << b;
    }
  }
}

TEST(DrawnArtwork, HeadsLookTheWayTheyMove) {
  const Picture sheet = DrawItemSheet();
  const std::array<std::array<int, 2>, 4> ahead = {{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}};
  for (int dir = 0; dir < 4; ++dir) {
    int eyePixels = 0;
    int towards = 0;  // the eye pixels' offsets from the centre along the direction, doubled
    for (int y = 0; y < CellPixels; ++y) {
      for (int x = 0; x < CellPixels; ++x) {
        if (Luma(sheet.At(dir * CellPixels + x, CellPixels + y)) > 230) {
          ++eyePixels;
          towards += (2 * x - 15) * ahead[dir][0] + (2 * y - 15) * ahead[dir][1];
        }
      }
    }
    ASSERT_GT(eyePixels, 0) << "head " << dir << " has no eyes";
    EXPECT_GT(towards, eyePixels * 4) << "the eyes of head " << dir << " sit at the back";
  }
}

TEST(DrawnArtwork, BodyPiecesDifferByDirection) {
  const Picture sheet = DrawItemSheet();
  for (int a = 0; a < 4; ++a) {
    for (int b = a + 1; b < 4; ++b) {
      int differing = 0;
      for (int y = 0; y < CellPixels; ++y) {
        for (int x = 0; x < CellPixels; ++x) {
          differing += sheet.At(a * CellPixels + x, 2 * CellPixels + y) !=
                               sheet.At(b * CellPixels + x, 2 * CellPixels + y)
                           ? 1
                           : 0;
        }
      }
      EXPECT_GT(differing, 20) << "body pieces " << a << " and " << b;
    }
  }
}

TEST(DrawnArtwork, IconsAreTransparentAtTheCornersAndOpaqueInside) {
  for (int size : IconSizes) {
    const Picture icon = DrawIcon(size);
    ASSERT_EQ(icon.Width, size);
    ASSERT_EQ(icon.Height, size);
    EXPECT_EQ(icon.At(0, 0).A, 0) << size;
    EXPECT_EQ(icon.At(size - 1, 0).A, 0) << size;
    int opaque = 0;
    for (const Rgba& pixel : icon.Pixels) {
      opaque += pixel.A == 255 ? 1 : 0;
    }
    EXPECT_GT(opaque, size * size / 3) << size;
  }
  EXPECT_THROW(DrawIcon(24), std::invalid_argument);
}

// A launcher may keep only the circle of 80 % of a maskable icon's width: every pixel is opaque,
// and every pixel that is not the felt behind the motif lies inside that circle.
TEST(DrawnArtwork, MaskableIconsAreOpaqueWithTheMotifInsideTheSafeCircle) {
  for (int size : WebIconSizes) {
    const Picture icon = DrawMaskableIcon(size);
    ASSERT_EQ(icon.Width, size);
    int outside = 0;
    int motif = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const Rgba pixel = icon.At(x, y);
        EXPECT_EQ(pixel.A, 255) << size << " px at " << x << ", " << y;
        if (pixel.R == Felt.R && pixel.G == Felt.G && pixel.B == Felt.B) {
          continue;
        }
        ++motif;
        const double dx = x + 0.5 - size / 2.0;
        const double dy = y + 0.5 - size / 2.0;
        outside += dx * dx + dy * dy > 0.4 * size * 0.4 * size ? 1 : 0;
      }
    }
    EXPECT_EQ(outside, 0) << size;
    EXPECT_GT(motif, size * size / 5) << size;
  }
}

TEST(Bmp32, KeepsAlphaInAV4HeaderWithChannelMasks) {
  Picture picture(2, 1, Black);
  picture.At(0, 0) = Rgba{10, 20, 30, 0};
  picture.At(1, 0) = Rgba{40, 50, 60, 128};
  const std::vector<std::uint8_t> bytes = EncodeBmp32(picture);
  ASSERT_EQ(bytes.size(), 14u + 108 + 2 * 4);
  EXPECT_EQ(Le32(bytes, 10), 122u);  // the pixels follow the headers
  EXPECT_EQ(Le32(bytes, 14), 108u);  // BITMAPV4HEADER
  EXPECT_EQ(bytes[28], 32);
  EXPECT_EQ(Le32(bytes, 30), 3u);  // channel masks
  EXPECT_EQ(Le32(bytes, 54), 0x00FF0000u);
  EXPECT_EQ(Le32(bytes, 58), 0x0000FF00u);
  EXPECT_EQ(Le32(bytes, 62), 0x000000FFu);
  EXPECT_EQ(Le32(bytes, 66), 0xFF000000u);
  const std::vector<std::uint8_t> pixels(bytes.begin() + 122, bytes.end());
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{30, 20, 10, 0, 60, 50, 40, 128}));
}

// Read back as Windows reads it: the directory, then each image's header, colours and mask.
TEST(IconFile, HoldsTheDrawnIconsAt16And32And48PixelsWithTheirAlphaAndMask) {
  const Picture icons[] = {DrawIcon(16), DrawIcon(32), DrawIcon(48)};
  const std::vector<std::uint8_t> bytes = EncodeIco(icons);
  ASSERT_GE(bytes.size(), 6u);
  EXPECT_EQ(bytes[2] | bytes[3] << 8, 1);  // an icon, not a cursor
  ASSERT_EQ(bytes[4] | bytes[5] << 8, 3);
  const int sizes[] = {16, 32, 48};
  for (std::size_t entry = 0; entry < 3; ++entry) {
    const int size = sizes[entry];
    const std::size_t directory = 6 + 16 * entry;
    EXPECT_EQ(bytes.at(directory), size);
    EXPECT_EQ(bytes.at(directory + 1), size);
    const std::size_t image = Le32(bytes, directory + 12);
    const std::size_t maskRow = (static_cast<std::size_t>(size) + 31) / 32 * 4;
    ASSERT_EQ(Le32(bytes, directory + 8), 40 + size * size * 4 + maskRow * size) << size;
    EXPECT_EQ(Le32(bytes, image), 40u);
    EXPECT_EQ(Le32(bytes, image + 4), static_cast<std::uint32_t>(size));
    EXPECT_EQ(Le32(bytes, image + 8), static_cast<std::uint32_t>(2 * size));
    EXPECT_EQ(bytes.at(image + 14), 32);
    const Picture drawn = DrawIcon(size);
    const std::size_t mask = image + 40 + static_cast<std::size_t>(size) * size * 4;
    for (int y = 0; y < size; ++y) {
      const std::size_t row = static_cast<std::size_t>(size - 1 - y);
      for (int x = 0; x < size; ++x) {
        const std::size_t at = image + 40 + (row * size + x) * 4;
        const Rgba read{bytes.at(at + 2), bytes.at(at + 1), bytes.at(at), bytes.at(at + 3)};
        ASSERT_EQ(read, drawn.At(x, y)) << size << " px at " << x << "," << y;
        const bool transparent = (bytes.at(mask + row * maskRow + x / 8) & (0x80 >> x % 8)) != 0;
        ASSERT_EQ(transparent, drawn.At(x, y).A == 0) << size << " px at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace nuikaro
