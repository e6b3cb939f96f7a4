// Differential settlement and angular distortion on a case worked by hand,
// the pairs of points on one line, and the pairs kept within a structure.
#include "plot/distortion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace plot {
namespace {

// A triangle with a fourth point inside it, so six neighbouring pairs:
//
//          P3 (15, 20) 1.25 in.
//          /  |  \        distances: P1P2 30, P1P3 = P2P3 = 25,
//         /  P4   \       P1P4 = P2P4 = 17 (8 and 15), P3P4 12
//        /  (15,8) \      P4 1.75 in.
//   P1 (0, 0) ------ P2 (30, 0)
//   2.5 in.          0.5 in.
//
// Distortion = differential / 12 / distance (inches to feet first).
TEST(Distortion, ATriangleAndAPointInsideWorkedByHand) {
  const std::vector<PlanPoint> points = {{0, 0}, {30, 0}, {15, 20}, {15, 8}};
  const std::vector<double> settlements = {2.5, 0.5, 1.25, 1.75};
  const auto rows = distortion_table(points, settlements, 12.0, 1.0 / 250.0);
  const struct {
    int first, second;
    double distance, differential, distortion;
    bool beyond;
  } expected[] = {
      {1, 3, 17.0, 1.25, 1.25 / 12 / 17, true},   // 1/163
      {0, 1, 30.0, 2.0, 2.0 / 12 / 30, true},     // 1/180
      {0, 2, 25.0, 1.25, 1.25 / 12 / 25, true},   // 1/240
      {0, 3, 17.0, 0.75, 0.75 / 12 / 17, false},  // 1/272
      {2, 3, 12.0, 0.5, 0.5 / 12 / 12, false},    // 1/288
      {1, 2, 25.0, 0.75, 0.75 / 12 / 25, false},  // 1/400
  };
  ASSERT_EQ(rows.size(), std::size(expected));
  for (std::size_t k = 0; k < rows.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(rows[k].pair[0], expected[k].first);
    EXPECT_EQ(rows[k].pair[1], expected[k].second);
    EXPECT_DOUBLE_EQ(rows[k].distance, expected[k].distance);
    EXPECT_DOUBLE_EQ(rows[k].differential, expected[k].differential);
    EXPECT_NEAR(rows[k].distortion, expected[k].distortion, 1e-15);
    EXPECT_EQ(rows[k].beyond_limit, expected[k].beyond);
  }
}

// Millimetres and metres: 30 mm over 6 m is 1/200.
TEST(Distortion, MillimetresOverMetresIsAPureRatio) {
  const std::vector<PlanPoint> points = {{0, 0}, {6, 0}};
  const std::vector<double> settlements = {40.0, 10.0};
  const auto rows = distortion_table(points, settlements, 1000.0, 1.0 / 500.0);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_DOUBLE_EQ(rows[0].distortion, 0.005);
  EXPECT_TRUE(rows[0].beyond_limit);
}

TEST(Distortion, PointsOnALineArePairedWithTheNextAlongIt) {
  const struct {
    int line;
    std::vector<PlanPoint> points;
    std::vector<std::array<int, 2>> pairs;  // each the earlier first, in the list's order
  } cases[] = {
      {__LINE__, {}, {}},
      {__LINE__, {{1, 1}}, {}},
      {__LINE__, {{0, 0}, {3, 4}}, {{0, 1}}},
      {__LINE__, {{0, 0}, {10, 0}, {5, 0}}, {{0, 2}, {1, 2}}},
      {__LINE__, {{2, 2}, {0, 0}, {4, 4}, {1, 1}}, {{0, 2}, {0, 3}, {1, 3}}},
      // Coinciding points: only the first takes part.
      {__LINE__, {{0, 0}, {0, 0}, {7, 0}}, {{0, 2}}},
      {__LINE__, {{5, 5}, {5, 5}}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(neighbour_pairs(c.points), c.pairs);
  }
}

// Points of two structures, and points of one structure counted from
// different start layers, are never paired: only T1-T2 and T3-T4 remain.
TEST(Distortion, PairsOnlyPointsOfOneStructureAndOneStartLayer) {
  const auto point = [](int position, double x, double settlement, std::int32_t layer,
                        const char* structure) {
    PagePoint p;
    p.position = position;
    p.number = position;
    p.at = {x, 0.0};
    p.settlement = settlement;
    p.start_layer = layer;
    p.structure = structure;
    return p;
  };
  const std::vector<PagePoint> points = {
      point(1, 0.0, 1.0, 1, "Tank"),  point(2, 10.0, 2.2, 1, "Tank"),
      point(3, 20.0, 3.0, 2, "Tank"), point(4, 30.0, 3.6, 2, "Tank"),
      point(5, 15.0, 9.0, 1, "Shed"), point(6, 25.0, 0.0, 1, ""),
  };
  const auto rows = distortion_by_structure(points, 12.0, 1.0 / 500.0);
  ASSERT_EQ(rows.size(), 2u);
  // 1.2 in. over 10 ft is 1/100, worse than 0.6 in. over 10 ft, 1/200.
  EXPECT_EQ(rows[0].pair, (std::array<int, 2>{0, 1}));
  EXPECT_NEAR(rows[0].distortion, 1.2 / 12.0 / 10.0, 1e-15);
  EXPECT_EQ(rows[1].pair, (std::array<int, 2>{2, 3}));
  EXPECT_NEAR(rows[1].distortion, 0.6 / 12.0 / 10.0, 1e-15);
}

}  // namespace
}  // namespace plot
