// The plan outline of a loaded area, as the plan and the section draw it.
#pragma once

#include <optional>
#include <vector>

#include "plot/plan_point.h"
#include "problem/problem_data.h"

namespace plot {

// A circle (centre and radius), or a polygon of four corners: a rectangle
// turned so that its X side has the area's slope, or a spread area's plan
// dimensions with its sides along the axes.
struct AreaOutline {
  bool circle = false;
  PlanPoint centre;
  double radius = 0.0;             // circles
  std::vector<PlanPoint> corners;  // the others, in turn around the outline
};

AreaOutline area_outline(const problem::LoadedArea& area);

// The stretch of the line from `a` to `b` inside `outline`, as fractions of
// the line's length (0 at a, 1 at b); nullopt when the line misses it or only
// touches it.
struct Stretch {
  double from = 0.0, to = 0.0;
};
std::optional<Stretch> stretch_inside(const AreaOutline& outline, const PlanPoint& a,
                                      const PlanPoint& b);

}  // namespace plot
