// Settlement contours of a grid of values: the contour line of each level and
// the filled bands between the levels, in plan coordinates, with no page
// around them.
#pragma once

#include <span>
#include <vector>

#include "plot/plan_point.h"

namespace plot {

// Values at the nodes (x0 + i * spacing, y0 + j * spacing), row by row from
// y0 up, each row from x0 rightward.
struct ValueGrid {
  double x0 = 0.0;
  double y0 = 0.0;
  double spacing = 1.0;
  int columns = 0;
  int rows = 0;
  std::vector<double> values;  // columns * rows

  double at(int i, int j) const {
    return values[static_cast<std::size_t>(j) * static_cast<std::size_t>(columns) +
                  static_cast<std::size_t>(i)];
  }
};

// Between the nodes the value is taken as follows: each cell is cut into four
// triangles at its centre, whose value is the average of the cell's corners,
// and the value is linear over each triangle. Along the cell edges this is
// linear interpolation between two nodes, as in marching squares, and a
// saddle cell is resolved by its centre's average; lines and regions come
// from the same triangles, so the bands' edges are the contour lines.

struct ContourLine {
  double level = 0.0;
  bool closed = false;            // a loop; else both ends lie on the grid's border
  std::vector<PlanPoint> points;  // the values above the level on the left
};

// The lines where the value equals each of `levels`. A node equal to a level
// counts as above it. REQUIRES: grid.values.size() == columns * rows.
std::vector<ContourLine> contour_lines(const ValueGrid& grid, std::span<const double> levels);

// The region where the value is at least `level`, as rings that keep it on
// their left: outer rings run counter-clockwise, holes clockwise, so the
// region is what the rings enclose by the nonzero rule. Painting the regions
// of ascending levels one over another in the colours of their bands paints
// every band with no gap between neighbours.
// REQUIRES: grid.values.size() == columns * rows, every value finite and
// far smaller in size than 1e30.
std::vector<std::vector<PlanPoint>> region_at_least(const ValueGrid& grid, double level);

}  // namespace plot
