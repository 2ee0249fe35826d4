#include "common/twips.h"

#include <gtest/gtest.h>

namespace {

TEST(Twips, FifteenToAPixelRoundedToTheNearest) {
  EXPECT_EQ(common::TwipsToPixels(7335), 489);
  EXPECT_EQ(common::TwipsToPixels(7), 0);
  EXPECT_EQ(common::TwipsToPixels(8), 1);
  EXPECT_EQ(common::TwipsToPixels(1455), 97);
  EXPECT_FLOAT_EQ(common::PixelsToTwips(489), 7335.0f);
}

}  // namespace
