// The tool records keep their fields in the listed order and start at zero.

#include "tools/edit/tool_records.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// True when the addresses increase one field after the other.
bool InOrder(const std::vector<const void*>& fields) {
  for (std::size_t i = 1; i < fields.size(); ++i) {
    if (static_cast<const char*>(fields[i - 1]) >= static_cast<const char*>(fields[i])) return false;
  }
  return true;
}

TEST(ToolRecords, FieldsFollowTheirOrder) {
  const RToolLine l;
  EXPECT_TRUE(InOrder({&l.X1, &l.Y1, &l.X2, &l.Y2, &l.LineType, &l.ColorNo, &l.Group, &l.Layer, &l.Flag}));
  const RToolArc a;
  EXPECT_TRUE(InOrder({&a.CentreX, &a.CentreY, &a.Radius, &a.Ratio, &a.StartAngle, &a.EndAngle, &a.Rotation,
                       &a.LineType, &a.ColorNo, &a.Group, &a.Layer}));
  const RToolPoint p;
  EXPECT_TRUE(InOrder({&p.X, &p.Y, &p.LineType, &p.ColorNo, &p.Group, &p.Layer, &p.Flag}));
  const ROutlinePoint o;
  EXPECT_TRUE(InOrder({&o.X, &o.Y, &o.PenDown, &o.ArcFlag}));
  const RTrimItem t;
  EXPECT_TRUE(InOrder({&t.LineType, &t.ColorNo, &t.Group, &t.Layer, &t.X1, &t.Y1, &t.X2, &t.Y2}));
  const RArcPiece c;
  EXPECT_TRUE(InOrder({&c.LineType, &c.ColorNo, &c.Group, &c.Layer, &c.CentreX, &c.CentreY, &c.Radius, &c.Ratio,
                       &c.StartAngle, &c.EndAngle, &c.Rotation}));
  // The arc piece keeps the element's Single angles.
  static_assert(sizeof(c.Ratio) == 4 && sizeof(c.Rotation) == 4);
  EXPECT_EQ(a.Radius, 0.0);
  EXPECT_EQ(l.Flag, 0);
}

}  // namespace
