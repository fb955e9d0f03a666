#include <gtest/gtest.h>

#include "tools/Artwork.h"

namespace nuikaro {
namespace {
TEST(Artwork, Placeholder) {
  EXPECT_EQ(DrawItemSheet().Width, 64);
}
}  // namespace
}  // namespace nuikaro
