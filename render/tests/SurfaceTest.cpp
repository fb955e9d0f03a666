#include "render/Surface.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/Pictures.h"  // Filled

namespace nuikaro {
namespace {

// Every pixel different, so a pixel taken from the wrong place shows.
Surface Numbered(int32_t width, int32_t height, uint32_t base) {
  Surface surface(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      surface.Row(y)[x] = base + static_cast<uint32_t>(y * 256 + x);
    }
  }
  return surface;
}

TEST(BitBltTest, EachRasterOperationCombinesTheColourBitsAsItsTableSays) {
  const Surface source = Filled(2, 2, 0x00AAAAAA);  // 1010...
  const struct {
    RasterOp Rop;
    uint32_t Expected;
  } cases[] = {
      {RasterOp::Blackness, 0x00000000},
      {RasterOp::SourceCopy, 0x00AAAAAA},
      {RasterOp::SourceAnd, 0x00888888},   // 1100 AND 1010
      {RasterOp::SourcePaint, 0x00EEEEEE}  // 1100 OR 1010
  };
  for (const auto& each : cases) {
    Surface dest = Filled(2, 2, 0x00CCCCCC);  // 1100...
    BitBlt(dest, 0, 0, 2, 2, &source, 0, 0, each.Rop);
    EXPECT_EQ(dest.Pixels, Filled(2, 2, each.Expected).Pixels)
        << "rop " << std::hex << static_cast<uint32_t>(each.Rop);
  }
}

TEST(BitBltTest, BlacknessNeedsNoSourceAndCopiesWithoutOneChangeNothing) {
  Surface dest = Filled(3, 3, 0x00123456);
  BitBlt(dest, 1, 1, 2, 2, nullptr, 0, 0, RasterOp::SourceCopy);
  BitBlt(dest, 1, 1, 2, 2, nullptr, 0, 0, RasterOp::SourcePaint);
  EXPECT_EQ(dest.Pixels, Filled(3, 3, 0x00123456).Pixels);

  BitBlt(dest, 1, 1, 2, 2, nullptr, 0, 0, RasterOp::Blackness);
  EXPECT_EQ(dest.At(0, 0), 0x00123456u);
  EXPECT_EQ(dest.At(1, 1), 0u);
  EXPECT_EQ(dest.At(2, 2), 0u);
  EXPECT_EQ(dest.At(0, 2), 0x00123456u);
}

TEST(BitBltTest, ACopyTakesTheBlockAtTheSourceOriginToTheTarget) {
  const Surface source = Numbered(4, 4, 0x100000);
  Surface dest(5, 5);
  BitBlt(dest, 2, 3, 2, 2, &source, 1, 2, RasterOp::SourceCopy);
  EXPECT_EQ(dest.At(2, 3), source.At(1, 2));
  EXPECT_EQ(dest.At(3, 3), source.At(2, 2));
  EXPECT_EQ(dest.At(2, 4), source.At(1, 3));
  EXPECT_EQ(dest.At(3, 4), source.At(2, 3));
  EXPECT_EQ(dest.At(1, 3), 0u);
  EXPECT_EQ(dest.At(4, 4), 0u);
  EXPECT_EQ(dest.At(2, 2), 0u);
}

// A block that reaches outside either surface changes only what lies inside both, each pixel
// taken from the source pixel at the same offset in the block.
struct Placement {
  int32_t X, Y, Width, Height, SourceX, SourceY;
};

void PrintTo(const Placement& p, std::ostream* out) {
  *out << p.Width << " by " << p.Height << " from (" << p.SourceX << ", " << p.SourceY << ") to ("
       << p.X << ", " << p.Y << ")";
}

class ClippedCopyTest : public testing::TestWithParam<Placement> {};

TEST_P(ClippedCopyTest, ChangesOnlyPixelsInsideBothSurfaces) {
  const Placement p = GetParam();
  const Surface source = Numbered(6, 5, 0x200000);
  const Surface before = Numbered(7, 6, 0x400000);
  for (RasterOp rop :
       {RasterOp::SourceCopy, RasterOp::SourceAnd, RasterOp::SourcePaint, RasterOp::Blackness}) {
    Surface dest = before;
    BitBlt(dest, p.X, p.Y, p.Width, p.Height, &source, p.SourceX, p.SourceY, rop);
    for (int32_t y = 0; y < dest.Height; ++y) {
      for (int32_t x = 0; x < dest.Width; ++x) {
        const int64_t column = int64_t{x} - p.X;
        const int64_t row = int64_t{y} - p.Y;
        const int64_t sourceX = p.SourceX + column;
        const int64_t sourceY = p.SourceY + row;
        const bool inBlock = column >= 0 && column < p.Width && row >= 0 && row < p.Height;
        const bool inSource =
            sourceX >= 0 && sourceX < source.Width && sourceY >= 0 && sourceY < source.Height;
        uint32_t expected = before.At(x, y);
        if (inBlock && rop == RasterOp::Blackness) {
          expected = 0;
        } else if (inBlock && inSource) {
          const uint32_t in =
              source.At(static_cast<int32_t>(sourceX), static_cast<int32_t>(sourceY));
          expected = rop == RasterOp::SourceCopy  ? in
                     : rop == RasterOp::SourceAnd ? expected & in
                                                  : expected | in;
        }
        ASSERT_EQ(dest.At(x, y), expected)
            << "pixel " << x << "," << y << " rop " << static_cast<uint32_t>(rop);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    BlocksHangingOffEveryEdge, ClippedCopyTest,
    testing::Values(Placement{-2, -1, 4, 4, 0, 0},        // off the top left of the target
                    Placement{5, 4, 4, 4, 0, 0},          // off the bottom right
                    Placement{-3, 2, 20, 2, 0, 1},        // wider than the target both ways
                    Placement{1, 1, 4, 4, -2, -3},        // reading before the source's origin
                    Placement{2, 0, 5, 6, 3, 2},          // reading past the source's end
                    Placement{0, 0, 0, 3, 0, 0},          // zero wide
                    Placement{0, 0, 3, -2, 0, 0},         // negative height
                    Placement{-100, -100, 50, 50, 0, 0},  // wholly outside the target
                    Placement{0, 0, 7, 6, 6, 5},          // wholly outside the source
                    Placement{INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0},  // at the limits
                    Placement{INT_MAX, 0, INT_MAX, 2, INT_MIN, 0},
                    Placement{0, 0, INT_MAX, INT_MAX, INT_MIN + 1, 0}));

}  // namespace
}  // namespace nuikaro
