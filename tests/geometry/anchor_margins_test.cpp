// The anchor margins are fixed values of the default settings.

#include "geometry/anchor_margins.h"

#include <gtest/gtest.h>

namespace {

TEST(AnchorMargins, ValuesOfTheDefaultSettings) {
  struct Case {
    float margin, value;
  };
  const Case cases[] = {{kAnchorMarginLeftX, -1.0f},  {kAnchorMarginCentreX, 0.0f},
                        {kAnchorMarginRightX, 1.0f},  {kAnchorMarginBottomY, -1.0f},
                        {kAnchorMarginMiddleY, 0.0f}, {kAnchorMarginTopY, 1.0f}};
  for (const Case& c : cases) EXPECT_EQ(c.margin, c.value);
  EXPECT_EQ(kAnchorMarginsOn, 1);
}

}  // namespace
