// The triangulation of the settlement points and the colour scale of the page.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "plot/colour_scale.h"
#include "plot/triangulation.h"

namespace {

using plot::PlanPoint;
using plot::Triangle;

double area_of(const std::vector<PlanPoint>& polygon) {
  double twice = 0.0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const PlanPoint& a = polygon[i];
    const PlanPoint& b = polygon[(i + 1) % polygon.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::fabs(twice) / 2.0;
}

double area_of(const std::vector<PlanPoint>& points, const Triangle& t) {
  return area_of({points[static_cast<std::size_t>(t[0])], points[static_cast<std::size_t>(t[1])],
                  points[static_cast<std::size_t>(t[2])]});
}

double total_area(const std::vector<PlanPoint>& points, const std::vector<Triangle>& triangles) {
  double sum = 0.0;
  for (const Triangle& t : triangles) sum += area_of(points, t);
  return sum;
}

TEST(Triangulation, FourCornersOfARectangleGiveTwoTrianglesCoveringIt) {
  const std::vector<PlanPoint> points{{0, 0}, {10, 0}, {10, 5}, {0, 5}};
  const auto triangles = plot::delaunay_triangles(points);
  ASSERT_EQ(triangles.size(), 2u);
  EXPECT_NEAR(total_area(points, triangles), 50.0, 1e-9);
}

TEST(Triangulation, TooFewOrCollinearPointsGiveNoTriangle) {
  const struct {
    int line;
    std::vector<PlanPoint> points;
  } cases[] = {
      {__LINE__, {}},
      {__LINE__, {{1, 1}, {2, 2}}},
      {__LINE__, {{0, 0}, {1, 1}, {2, 2}, {5, 5}}},
      {__LINE__, {{3, 4}, {3, 4}, {3, 4}}},
      {__LINE__, {{0, 0}, {0, 0}, {7, 1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_TRUE(plot::delaunay_triangles(c.points).empty());
  }
}

TEST(Triangulation, CoincidingPointsAreTakenOnceAsTheFirst) {
  const std::vector<PlanPoint> points{{0, 0}, {4, 0}, {0, 3}, {4, 0}};
  const auto triangles = plot::delaunay_triangles(points);
  ASSERT_EQ(triangles.size(), 1u);
  for (const int corner : triangles[0]) EXPECT_NE(corner, 3);
}

// Random points: the triangles tile the convex hull and no point lies inside
// the circumcircle of a triangle, which is what makes them Delaunay.
TEST(Triangulation, RandomPointsGiveEmptyCircumcirclesAndTileTheHull) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinate(-50.0, 50.0);
  std::vector<PlanPoint> points;
  for (int i = 0; i < 60; ++i) points.push_back({coordinate(random), coordinate(random)});
  const auto triangles = plot::delaunay_triangles(points);
  // Euler: 2n - 2 - h triangles for n points with h on the hull.
  EXPECT_GE(triangles.size(), 2u * 60u - 2u - 60u);
  for (const Triangle& t : triangles) {
    const PlanPoint& a = points[static_cast<std::size_t>(t[0])];
    const PlanPoint& b = points[static_cast<std::size_t>(t[1])];
    const PlanPoint& c = points[static_cast<std::size_t>(t[2])];
    const double d = 2.0 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    ASSERT_NE(d, 0.0);
    const double ux =
        ((a.x * a.x + a.y * a.y) * (b.y - c.y) + (b.x * b.x + b.y * b.y) * (c.y - a.y) +
         (c.x * c.x + c.y * c.y) * (a.y - b.y)) /
        d;
    const double uy =
        ((a.x * a.x + a.y * a.y) * (c.x - b.x) + (b.x * b.x + b.y * b.y) * (a.x - c.x) +
         (c.x * c.x + c.y * c.y) * (b.x - a.x)) /
        d;
    const double r = std::hypot(a.x - ux, a.y - uy);
    for (const PlanPoint& p : points) EXPECT_GE(std::hypot(p.x - ux, p.y - uy), r * (1.0 - 1e-9));
  }
  // Gift wrapping for the hull area.
  std::vector<PlanPoint> sorted = points;
  std::sort(sorted.begin(), sorted.end(), [](const PlanPoint& p, const PlanPoint& q) {
    return p.x < q.x || (p.x == q.x && p.y < q.y);
  });
  std::vector<PlanPoint> hull;
  const auto cross = [](const PlanPoint& o, const PlanPoint& a, const PlanPoint& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
  };
  for (int pass = 0; pass < 2; ++pass) {
    const std::size_t start = hull.size();
    for (const PlanPoint& p : sorted) {
      while (hull.size() >= start + 2 && cross(hull[hull.size() - 2], hull.back(), p) <= 0)
        hull.pop_back();
      hull.push_back(p);
    }
    hull.pop_back();
    std::reverse(sorted.begin(), sorted.end());
  }
  EXPECT_NEAR(total_area(points, triangles), area_of(hull), 1e-6);
}

TEST(ColourScale, RoundStepsAndBandsCoverTheValuesAndZero) {
  EXPECT_DOUBLE_EQ(plot::round_step(1.724, 8), 0.25);
  EXPECT_DOUBLE_EQ(plot::round_step(100.0, 10), 10.0);
  EXPECT_DOUBLE_EQ(plot::round_step(3.0, 8), 0.5);
  EXPECT_DOUBLE_EQ(plot::round_step(0.07, 4), 0.02);
  const struct {
    int line;
    double smallest, largest, low, step;
    int bands;
  } cases[] = {
      {__LINE__, 0.0, 1.724, 0.0, 0.25, 7},
      {__LINE__, 0.192, 4.405, 0.0, 1.0, 5},
      {__LINE__, -3.0, 9.0, -4.0, 2.0, 7},
      {__LINE__, 0.0, 0.0, 0.0, 1.0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const plot::ColourScale scale = plot::make_colour_scale(c.smallest, c.largest);
    EXPECT_DOUBLE_EQ(scale.low, c.low);
    EXPECT_DOUBLE_EQ(scale.step, c.step);
    EXPECT_EQ(scale.band_count, c.bands);
    EXPECT_LE(scale.low, c.smallest);
    EXPECT_GE(scale.high(), c.largest);
  }
}

TEST(ColourScale, HeaveIsBlueAndSettlementDarkensWithDepthOfTheBasin) {
  const plot::ColourScale scale = plot::make_colour_scale(-2.0, 6.0);
  const auto blue = [](const std::string& c) {
    return std::stoi(c.substr(5, 2), nullptr, 16) > std::stoi(c.substr(1, 2), nullptr, 16);
  };
  const auto lightness = [](const std::string& c) {
    return std::stoi(c.substr(1, 2), nullptr, 16) + std::stoi(c.substr(3, 2), nullptr, 16) +
           std::stoi(c.substr(5, 2), nullptr, 16);
  };
  EXPECT_TRUE(blue(plot::band_colour(scale, plot::band_of(scale, -1.0))));
  EXPECT_FALSE(blue(plot::band_colour(scale, plot::band_of(scale, 1.0))));
  for (int band = plot::band_of(scale, 0.5); band + 1 < scale.band_count; ++band) {
    EXPECT_GT(lightness(plot::band_colour(scale, band)),
              lightness(plot::band_colour(scale, band + 1)));
  }
  EXPECT_EQ(plot::band_of(scale, -100.0), 0);
  EXPECT_EQ(plot::band_of(scale, 100.0), scale.band_count - 1);
}

}  // namespace
