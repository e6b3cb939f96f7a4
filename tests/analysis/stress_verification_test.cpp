// The program's stress increases against independent solutions, held to the
// figures of the tables in docs/verification.md: a change that makes any of
// them worse fails here. The tables come from the same comparisons
// (build/verify_stresses); the tolerances are their figures rounded up.
#include <gtest/gtest.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "verification/boussinesq_reference.h"
#include "verification/stress_comparisons.h"

namespace verification {
namespace {

struct Tolerance {
  std::string_view name;
  BandErrors largest;  // by band of z / B, as in the tables
};

// Every comparison of `group` must have a tolerance and stay within it in
// every band of depth.
void expect_within(std::string_view group, std::span<const Tolerance> tolerances) {
  const std::vector<Comparison> comparisons = stress_comparisons(group);
  ASSERT_FALSE(comparisons.empty());
  for (const Comparison& c : comparisons) {
    SCOPED_TRACE(c.name);
    const Tolerance* tolerance = nullptr;
    for (const Tolerance& t : tolerances) {
      if (t.name == c.name) tolerance = &t;
    }
    ASSERT_NE(tolerance, nullptr) << "no tolerance for this comparison";
    for (std::size_t band = 0; band < kDepthBands.size(); ++band) {
      SCOPED_TRACE("z/B from " + std::to_string(kDepthBands[band].low) + " to " +
                   std::to_string(kDepthBands[band].high));
      EXPECT_GE(c.largest[band], 0.0) << "no depth compared";
      EXPECT_LE(c.largest[band], tolerance->largest[band]);
    }
  }
}

// The program cuts every influence sum toward zero at the fifth decimal:
// 1e-5 of the loading is its resolution, and unrotated rectangles and the
// circle on its axis keep to it at every depth. A rotated rectangle loses up
// to 0.001 ft in each distance it works out in single precision.
const Tolerance kRectangle[] = {
    {"centre", {9.9e-6, 1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5}},
    {"corner", {1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5}},
    {"middle of each side", {1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5}},
    {"inside, off the centre", {1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5}},
    {"outside, beyond a side", {1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5}},
    {"outside, beyond a corner", {1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5}},
    {"outside, 0.027 and 0.06 beyond a side", {2.8e-3, 1.4e-4, 5.3e-5, 1.9e-5, 1.1e-5}},
    {"rotated (slope 0.75), inside and corner", {2.6e-4, 1.7e-4, 8e-5, 4e-5, 1.8e-5}},
    {"rotated (slope 0.75), outside", {2e-5, 2.4e-5, 2.1e-5, 1.9e-5, 1.5e-5}},
    {"rotated (slope -2), inside and outside", {3.9e-5, 5.1e-5, 4.8e-5, 2.9e-5, 1.6e-5}},
};

TEST(StressVerification, RectanglesAgreeWithTheClosedForm) {
  expect_within("rectangle", kRectangle);
}

// Weddle's rule over 12 intervals for the elliptic integrals is least exact
// next to the rim near the surface and far below the circle.
const Tolerance kCircle[] = {
    {"on the axis", {1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5}},
    {"next to the axis, r = 0.002 a", {9.8e-6, 1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5}},
    {"inside, r = 0.5 a and 0.8 a", {9e-6, 1.1e-5, 1.1e-5, 4.4e-5, 2e-4}},
    {"inside the rim, r = 0.95 a", {1.3e-4, 1.1e-5, 1.1e-5, 2.2e-5, 2.4e-4}},
    {"inside the rim, r = 0.998 a", {2.5e-4, 1.1e-5, 1.1e-5, 2.6e-5, 2.5e-4}},
    {"on the rim, r = a", {1.4e-5, 1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5}},
    {"outside the rim, r = 1.002 a", {2.1e-4, 1.1e-5, 1.3e-5, 3.7e-5, 2.4e-4}},
    {"outside the rim, r = 1.05 a", {1.1e-4, 1.4e-5, 1.3e-5, 3.3e-5, 2.2e-4}},
    {"outside, r = 1.5 a and 3 a", {1.3e-5, 1.1e-5, 1.1e-5, 1.6e-5, 1.5e-4}},
};

TEST(StressVerification, CirclesAgreeWithTheClosedFormAndTheRayIntegral) {
  expect_within("circle", kCircle);
}

// The 2:1 stress is the total load divided by the widened area: only single
// precision stands between it and the formula.
const Tolerance kSpread[] = {
    {"option 1, from the upper depth 0.0", {4.3e-8, 4.9e-8, 2.9e-8, 1.3e-8, 3.1e-9}},
    {"option 2, two thirds of 0.0 to 10.0: 6.5", {4.3e-8, 4.9e-8, 2.9e-8, 1.3e-8, 3.1e-9}},
    {"option 3, from the lower depth 6.0", {4.3e-8, 4.9e-8, 2.9e-8, 1.3e-8, 3.1e-9}},
};

TEST(StressVerification, SpreadAreasAgreeWithTheTwoToOneFormula) {
  expect_within("spread", kSpread);
}

// The references against each other: closed forms against the integrals,
// and the circle's integral over the disk against its integral along rays.
// They agree to the rounding of double precision; 1e-12 leaves room for
// another compiler's mathematical library.
constexpr BandErrors kDoublePrecision = {1.0e-12, 1.0e-12, 1.0e-12, 1.0e-12, 1.0e-12};
const Tolerance kReferences[] = {
    {"rectangle, centre", kDoublePrecision},
    {"rectangle, corner", kDoublePrecision},
    {"rectangle, middle of each side", kDoublePrecision},
    {"rectangle, inside, off the centre", kDoublePrecision},
    {"rectangle, outside, beyond a side", kDoublePrecision},
    {"rectangle, outside, beyond a corner", kDoublePrecision},
    {"rectangle, outside, 0.027 and 0.06 beyond a side", kDoublePrecision},
    {"rectangle, rotated (slope 0.75), inside and corner", kDoublePrecision},
    {"rectangle, rotated (slope 0.75), outside", kDoublePrecision},
    {"rectangle, rotated (slope -2), inside and outside", kDoublePrecision},
    {"circle, on the axis", kDoublePrecision},
    {"circle, next to the axis, r = 0.002 a", kDoublePrecision},
    {"circle, inside, r = 0.5 a and 0.8 a", kDoublePrecision},
    {"circle, inside the rim, r = 0.95 a", kDoublePrecision},
    {"circle, inside the rim, r = 0.998 a", kDoublePrecision},
    {"circle, on the rim, r = a", kDoublePrecision},
    {"circle, outside the rim, r = 1.002 a", kDoublePrecision},
    {"circle, outside the rim, r = 1.05 a", kDoublePrecision},
    {"circle, outside, r = 1.5 a and 3 a", kDoublePrecision},
};

TEST(StressVerification, ReferencesAgreeWithEachOther) { expect_within("references", kReferences); }

// Coordinates kept in single precision far from the origin, and points
// closer to a side than the program's tolerance of 0.05: the sizes that
// docs/method.md quotes as the program's limits.
const Tolerance kLimits[] = {
    {"rectangle at x, y = 0", {1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5, 1.1e-5}},
    {"rectangle at x, y = 100000", {9.7e-4, 5.9e-4, 2.2e-4, 3.8e-5, 1.4e-5}},
    {"rectangle at x, y = 1000000", {2.9e-3, 1.8e-3, 6.9e-4, 1.5e-4, 1.3e-5}},
    {"rotated rectangle (slope 0.75) near x, y = 0", {2.6e-4, 1.7e-4, 8e-5, 4e-5, 1.8e-5}},
    {"rotated rectangle at x, y = 100000", {3.5e-2, 2.4e-3, 9.8e-4, 2.7e-4, 5.9e-5}},
    {"rotated rectangle at x, y = 1000000", {1.9e-1, 2.2e-2, 9.3e-3, 2.5e-3, 1.8e-4}},
    {"circle near x, y = 0", {1.3e-4, 1.4e-5, 1.3e-5, 4.4e-5, 2.4e-4}},
    {"circle at x, y = 100000", {4.2e-3, 4.8e-4, 1.5e-4, 4.4e-5, 2.4e-4}},
    {"circle at x, y = 1000000", {2.5e-2, 2.7e-3, 7.4e-4, 1.1e-4, 2.4e-4}},
    {"points 0.02 and 0.04 outside a side", {1.1e-1, 5.1e-3, 2.4e-3, 8.4e-4, 1.6e-4}},
};

TEST(StressVerification, LimitsStayAsDocumented) { expect_within("limits", kLimits); }

TEST(StressVerification, ReferencesReproducePublishedValues) {
  // Newmark's corner factor for m = n = 1 and m = 2, n = 1 (Newmark 1935).
  EXPECT_NEAR(rectangle_corner_closed_form(1.0, 1.0, 1.0), 0.17522, 0.5e-5);
  EXPECT_NEAR(rectangle_corner_closed_form(2.0, 1.0, 1.0), 0.19994, 0.5e-5);
  // A long strip's quarter tends to a quarter of the load at shallow depth.
  EXPECT_NEAR(rectangle_corner_closed_form(1.0e4, 1.0e4, 1.0), 0.25, 1.0e-6);
  // The circle on its axis at z = a, and its two integrals.
  EXPECT_NEAR(circle_axis_closed_form(1.0, 1.0), 0.64645, 0.5e-5);
  EXPECT_NEAR(circle_stress_ratio_numerical(1.0, 0.0, 1.0), 0.64645, 0.5e-5);
  EXPECT_NEAR(circle_stress_ratio_by_rays(1.0, 0.0, 1.0), 0.64645, 0.5e-5);
  // The rectangle's integral at its centre: four Newmark corners.
  const RectangleCorners square = rectangle_corners({0.0, 0.0}, 2.0, 2.0, 0.0);
  EXPECT_NEAR(polygon_stress_ratio(square.corner, {0.0, 0.0}, 1.0), 4 * 0.17522, 2.0e-5);
  // 2:1 at a depth equal to the width of a square: a quarter of the load.
  EXPECT_DOUBLE_EQ(spread_2to1_ratio(1.0, 1.0, 0.0, 0.0, 1.0), 0.25);
  EXPECT_EQ(spread_2to1_ratio(1.0, 1.0, 1.1, 0.0, 1.0), 0.0);
}

}  // namespace
}  // namespace verification
