// The 2:1 spread area without the archived cuts: its reference levels, its
// footprint and its checks.
#include "loads/spread_area.h"

#include <gtest/gtest.h>

#include <string>

namespace loads {
namespace {

SpreadArea square(SpreadReference reference) {
  SpreadArea s;
  s.x = 10.0;
  s.y = 20.0;
  s.x_length = 6.0;
  s.y_length = 4.0;
  s.load = 2400.0;
  s.upper_depth = 1.0;
  s.lower_depth = 5.5;
  s.reference = reference;
  return s;
}

TEST(SpreadReferenceLevel, IsTheUpperDepthTwoThirdsDownOrTheLowerDepth) {
  EXPECT_EQ(reference_level(square(SpreadReference::kUpper)), 1.0);
  EXPECT_EQ(reference_level(square(SpreadReference::kLower)), 5.5);
  // 1 + (5.5 - 1) 2/3 = 4; from 0 to 10, 6.667, not rounded down to 6.5.
  EXPECT_EQ(reference_level(square(SpreadReference::kTwoThirds)), 4.0);
  SpreadArea deep = square(SpreadReference::kTwoThirds);
  deep.upper_depth = 0.0;
  deep.lower_depth = 10.0;
  EXPECT_DOUBLE_EQ(reference_level(deep), 20.0 / 3.0);
  SpreadArea plain;
  plain.depth = 2.0;
  EXPECT_EQ(reference_level(plain), 2.0);  // the upper depth defaults to the depth
}

TEST(SpreadStress, SpreadsTheLoadOverTheWidenedFootprintItsBoundsIncluded) {
  const PreparedSpreadArea p = prepare(square(SpreadReference::kUpper));
  // 2 below the level: the 6 by 4 area widened to 8 by 6, 2400 / 48 = 50.
  EXPECT_EQ(stress_increase(p, {10.0, 20.0}, 2.0), 50.0);
  EXPECT_EQ(stress_increase(p, {14.0, 23.0}, 2.0), 50.0);  // its corner
  EXPECT_EQ(stress_increase(p, {14.0 + 2.0e-9, 20.0}, 2.0), 0.0);
  EXPECT_EQ(stress_increase(p, {14.0, 20.0}, 1.999), 0.0);
  // At the level itself: the load over the area, 2400 / 24 = 100, edges included.
  EXPECT_EQ(surface_stress_increase(p, {13.0, 22.0}), 100.0);
  EXPECT_EQ(surface_stress_increase(p, {13.1, 22.0}), 0.0);
}

TEST(SpreadStress, LoadsNothingAboveItsDepth) {
  SpreadArea s = square(SpreadReference::kUpper);
  s.depth = 3.0;  // below the reference level 1
  const PreparedSpreadArea p = prepare(s);
  EXPECT_EQ(p.level, 1.0);
  EXPECT_EQ(surface_stress_increase(p, {10.0, 20.0}), 0.0);
  EXPECT_EQ(stress_increase(p, {10.0, 20.0}, 1.9), 0.0);
  // From the depth 3 on, spread from the level: 2400 / (8 x 6).
  EXPECT_EQ(stress_increase(p, {10.0, 20.0}, 3.0 - 1.0), 50.0);
}

TEST(SpreadChecks, NeedALowerDepthBelowTheUpperOneWhereTheReferenceUsesIt) {
  SpreadArea missing = square(SpreadReference::kTwoThirds);
  missing.lower_depth.reset();
  const LoadProblems found = check_fields(missing);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].key, "lower_depth");
  EXPECT_EQ(found[0].message, "lower_depth is missing: reference \"two_thirds\" needs it");

  SpreadArea above = square(SpreadReference::kUpper);
  above.lower_depth = 0.5;
  const LoadProblems above_found = check_fields(above);
  ASSERT_EQ(above_found.size(), 1u);
  EXPECT_EQ(above_found[0].message, "lower_depth is 0.5: it must not lie above the upper depth 1");

  SpreadArea bad;
  bad.x_length = 0.0;
  bad.y_length = 2.0;
  bad.upper_depth = -1.0;
  bad.load = 0.0;
  const LoadProblems bad_found = check_fields(bad);
  ASSERT_EQ(bad_found.size(), 3u);
  EXPECT_EQ(bad_found[0].key, "x_length");
  EXPECT_EQ(bad_found[1].key, "upper_depth");
  EXPECT_EQ(bad_found[2].key, "load");
  EXPECT_EQ(bad_found[2].severity, Severity::kWarning);

  EXPECT_TRUE(check_fields(square(SpreadReference::kLower)).empty());
}

}  // namespace
}  // namespace loads
