// Walking the used registers of an image, as the writers do.
#include <gtest/gtest.h>

#include <vector>

#include "image/register_image.h"

namespace cmd7730 {
namespace {

std::vector<int> walk(const RegisterImage& image, int from) {
  std::vector<int> seen;
  for (int i = next_used(image, from); i < RegisterImage::kWords; i = next_used(image, i + 1)) {
    seen.push_back(i);
  }
  return seen;
}

TEST(NextUsedTest, VisitsExactlyTheUsedRegistersInOrder) {
  RegisterImage image;
  EXPECT_EQ(walk(image, 0), std::vector<int>{});
  for (int i : {0, 1, 17, 2047, RegisterImage::kWords - 1}) image.used[i] = true;
  EXPECT_EQ(walk(image, 0), (std::vector<int>{0, 1, 17, 2047, RegisterImage::kWords - 1}));
  EXPECT_EQ(walk(image, 1), (std::vector<int>{1, 17, 2047, RegisterImage::kWords - 1}));
  EXPECT_EQ(next_used(image, RegisterImage::kWords), RegisterImage::kWords);
}

}  // namespace
}  // namespace cmd7730
