// A loaded rectangle seen from one settlement point: its corners, the point's
// six distances to its sides, the point's position case and the influence sum
// of the four corner rectangles. All in single precision, step by step.
#pragma once

#include "problem/problem_data.h"

namespace analysis {

// The corners and side lines of a rectangle, computed once per area.
// Corner 1 is at local (-a, -b), 2 at (a, -b), 3 at (a, b), 4 at (-a, b).
struct RectangleGeometry {
  bool rotated = false;  // area_slope not exactly 0
  float slope = 0.0f;
  float normal_slope = 0.0f;  // -1 / slope, for rotated areas
  float corner_x[5] = {};     // entry 0 unused
  float corner_y[5] = {};
  float side_12_intercept = 0.0f;  // line through C1 with `slope`
  float side_23_intercept = 0.0f;  // line through C2 with `normal_slope`
  float length_u = 0.0f;           // LU, cut to 0.001
  float length_v = 0.0f;           // LV, cut to 0.001
};

// The point's distances to the rectangle, each cut to 0.001, and its position
// case 1..9 (9 inside; the others name the sides the point lies beyond).
struct RectangleDistances {
  float u1 = 0.0f;  // along u from the point's projection to C1
  float u2 = 0.0f;  // along u to C2
  float lu = 0.0f;
  float v1 = 0.0f;  // along v from the point's projection to C2
  float v2 = 0.0f;  // along v to C3
  float lv = 0.0f;
  int position_case = 9;
};

// Corners and side lines of a rectangular `area` (shape other than 2 or 3).
RectangleGeometry rectangle_geometry(const problem::LoadedArea& area);

// Distances and position case of the point (px, py).
RectangleDistances rectangle_distances(const RectangleGeometry& rectangle, float px, float py);

// Signed sum of the four corner factors at depth `z` below the loaded level.
// REQUIRES: z >= 0.
float rectangle_influence_sum(const RectangleDistances& distances, float z);

// `value` cut toward zero at the fifth decimal, as the contributions use it.
float cut_to_five_decimals(float value);

}  // namespace analysis
