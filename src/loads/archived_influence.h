// The influence functions of the archived method: the vertical stress increase
// under a loaded circle, under the corner of a loaded rectangle and under a
// 2:1 spread area, as a ratio or factor of the load value, in single
// precision. Pure functions.
#pragma once

#include <cstdint>

namespace loads {

struct EllipticIntegrals {
  double e;  // second kind
  double f;  // first kind
};

// Incomplete elliptic integrals of amplitude `phi` (radians) and parameter `m`
// (0 <= m <= 1) by Weddle's rule over 12 intervals.
EllipticIntegrals elliptic_integrals(double phi, double m);

// Vertical stress / surface pressure at depth `z` below the loaded surface and
// horizontal distance `r` from the centre of a uniformly loaded circle of radius `a`.
// REQUIRES: r >= 0, z >= 0, all in the same length unit.
float circle_stress_ratio(float a, float r, float z);

// Vertical stress / surface pressure under the corner of a uniformly loaded
// rectangle whose sides, divided by the depth, are `m` and `n`. 0 to 0.25.
float rectangle_corner_factor(float m, float n);

// 1 / (area of the 2:1 spread footprint) at the point, or 0 outside it or above
// the reference level chosen by `option` (1 top, 2 two thirds down rounded to
// 0.5, 3 bottom). An option other than 1, 2 or 3 gives 0.
float spread_2to1_factor(std::int32_t option, float top_level, float bottom_level, float length_y,
                         float length_x, float point_depth, float centre_x, float centre_y,
                         float point_x, float point_y);

// What spread_2to1_factor needs of a spread area and its option, worked out
// once per area.
struct SpreadFootprint {
  bool valid_option = false;
  double reference = 0.0;  // the reference level
  double threshold = 0.0;  // least depth below it that is loaded
  double low_x = 0.0;      // the area's sides: centre -/+ half length
  double high_x = 0.0;
  double low_y = 0.0;
  double high_y = 0.0;
  double length_x = 0.0;
  double length_y = 0.0;
};

SpreadFootprint spread_footprint(std::int32_t option, float top_level, float bottom_level,
                                 float length_y, float length_x, float centre_x, float centre_y);

// spread_2to1_factor of the area whose footprint is `footprint`, bit for bit.
float spread_2to1_factor(const SpreadFootprint& footprint, float point_depth, float point_x,
                         float point_y);

}  // namespace loads
