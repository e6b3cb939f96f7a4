// The loads as drawn: the stretches of a line over a polygon convex or not,
// a ring cut to the map's box, and a strip's band reaching across the map.
#include "plot/load_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace plot {
namespace {

// A U open to the top: x from 0 to 6, y from 0 to 4, its notch from x 2 to 4
// down to y 1.
const std::vector<PlanPoint> kU = {{0, 0}, {6, 0}, {6, 4}, {4, 4}, {4, 1}, {2, 1}, {2, 4}, {0, 4}};

TEST(LoadDrawing, ALineOverAPolygonRunsInsideItsStretches) {
  const struct {
    int line;
    PlanPoint a, b;
    std::vector<Stretch> expected;
  } cases[] = {
      // Across both arms of the U: two stretches, the notch between them.
      {__LINE__, {-1, 2}, {7, 2}, {{0.125, 0.375}, {0.625, 0.875}}},
      // Across its foot: one stretch.
      {__LINE__, {-2, 0.5}, {8, 0.5}, {{0.2, 0.8}}},
      // Up the middle of the notch: the foot alone.
      {__LINE__, {3, -1}, {3, 5}, {{1.0 / 6.0, 2.0 / 6.0}}},
      // The other way round: the same stretches from the other end.
      {__LINE__, {7, 2}, {-1, 2}, {{0.125, 0.375}, {0.625, 0.875}}},
      // Outside.
      {__LINE__, {-1, 5}, {7, 5}, {}},
      // Starting inside an arm.
      {__LINE__, {1, 2}, {9, 2}, {{0.0, 0.125}, {0.375, 0.625}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const std::vector<Stretch> found = stretches_inside(kU, c.a, c.b);
    ASSERT_EQ(found.size(), c.expected.size());
    for (std::size_t k = 0; k < found.size(); ++k) {
      EXPECT_NEAR(found[k].from, c.expected[k].from, 1e-12);
      EXPECT_NEAR(found[k].to, c.expected[k].to, 1e-12);
    }
  }
}

double ring_area(const std::vector<PlanPoint>& ring) {
  double twice = 0.0;
  for (std::size_t k = 0; k < ring.size(); ++k) {
    const PlanPoint& a = ring[k];
    const PlanPoint& b = ring[(k + 1) % ring.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::fabs(twice) / 2.0;
}

TEST(LoadDrawing, AStripCrossesTheWholeMapAtItsWidth) {
  // A strip 2 wide along y = x through the centre of a 10 by 10 box: inside
  // the box, its band is the diagonal's length times its width less the two
  // corner triangles it cuts off beyond the box's corners.
  loads::Strip band;
  band.x = 5;
  band.y = 5;
  band.angle = 45;
  band.width = 2;
  band.pressure = 10;
  const loads::Load strip = band;
  const PlanBox box{0, 10, 0, 10};
  const std::vector<PlanPoint> ring = drawn_ring(strip, box);
  ASSERT_GE(ring.size(), 4u);
  for (const PlanPoint& p : ring) {
    EXPECT_GE(p.x, -1e-9);
    EXPECT_LE(p.x, 10 + 1e-9);
    EXPECT_GE(p.y, -1e-9);
    EXPECT_LE(p.y, 10 + 1e-9);
  }
  // The band |y - x| <= sqrt(2) inside the box: the box less two right
  // triangles of legs 10 - sqrt(2).
  const double leg = 10.0 - std::sqrt(2.0);
  EXPECT_NEAR(ring_area(ring), 100.0 - leg * leg, 1e-9);
}

TEST(LoadDrawing, ARingIsCutToTheBox) {
  const std::vector<PlanPoint> square = {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}};
  EXPECT_NEAR(ring_area(clipped_to_box(square, {0, 10, 0, 10})), 25.0, 1e-12);
  EXPECT_TRUE(clipped_to_box(square, {20, 30, 20, 30}).empty());
}

TEST(LoadDrawing, ALoadIsLabelledByItsNameElseByItsPosition) {
  loads::Circle circle;
  EXPECT_EQ(load_label(circle, 3), "L3");
  circle.name = "T1";
  EXPECT_EQ(load_label(circle, 3), "T1");
}

}  // namespace
}  // namespace plot
