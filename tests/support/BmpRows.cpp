// Writing BMP rows as RLE4 and RLE8: runs of a repeated colour, literal stretches and jumps over
// the pixels the file leaves out.
#include "tests/support/BmpRows.h"

#include <algorithm>

namespace nuikaro {

// The row's pixels as indices into palette, or -1 for a pixel an RLE file leaves out.
std::vector<int> RowIndices(const Picture& picture, int y, bool skipsClear,
                            const std::vector<std::uint32_t>& palette) {
  std::vector<int> row(static_cast<std::size_t>(picture.Width), -1);
  for (int x = 0; x < picture.Width; ++x) {
    const Rgba& pixel = picture.At(x, y);
    if (!skipsClear || pixel.A != 0) {
      row[static_cast<std::size_t>(x)] = static_cast<int>(
          std::find(palette.begin(), palette.end(), ColourKey(pixel)) - palette.begin());
    }
  }
  return row;
}

// RLE8 (period 1) or RLE4 (period 2, the two halves of a byte alternating) for one row, from
// column start, which the previous row's jump may have set. Returns the column it ends at.
int EncodeRleRow(std::vector<std::uint8_t>& out, const std::vector<int>& row, int start,
                 bool four) {
  const int width = static_cast<int>(row.size());
  const int period = four ? 2 : 1;
  int end = width;  // one past the last pixel stored
  while (end > 0 && row[static_cast<std::size_t>(end - 1)] < 0) {
    --end;
  }
  const auto index = [&](int x) { return row[static_cast<std::size_t>(x)]; };
  // How many pixels from at repeat the first period of them, up to a left-out pixel.
  const auto repeats = [&](int at) {
    int n = 0;
    while (at + n < width && n < 255 && index(at + n) >= 0 &&
           index(at + n) == index(at + n % period)) {
      ++n;
    }
    return n;
  };
  int at = start;
  while (at < end) {
    if (index(at) < 0) {  // move right over what is left out
      int gap = 0;
      while (index(at + gap) < 0) {
        ++gap;
      }
      for (; gap > 0; gap -= std::min(gap, 255)) {
        out.insert(out.end(), {0, 2, static_cast<std::uint8_t>(std::min(gap, 255)), 0});
        at += std::min(gap, 255);
      }
      continue;
    }
    int literal = 0;
    while (at + literal < end && literal < 255 && index(at + literal) >= 0 &&
           repeats(at + literal) < 3) {
      ++literal;
    }
    if (literal >= 3) {  // stored as they are, padded to a 16-bit boundary
      out.push_back(0);
      out.push_back(static_cast<std::uint8_t>(literal));
      const std::size_t first = out.size();
      for (int i = 0; i < literal; ++i) {
        if (!four) {
          out.push_back(static_cast<std::uint8_t>(index(at + i)));
        } else if (i % 2 == 0) {
          out.push_back(static_cast<std::uint8_t>(index(at + i) << 4));
        } else {
          out.back() |= static_cast<std::uint8_t>(index(at + i));
        }
      }
      if ((out.size() - first) % 2 == 1) {
        out.push_back(0);
      }
      at += literal;
      continue;
    }
    const int n = repeats(at);
    const int second = n > 1 ? index(at + 1) : 0;
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(four ? index(at) << 4 | second : index(at)));
    at += n;
  }
  return std::max(at, start);
}

}  // namespace nuikaro
