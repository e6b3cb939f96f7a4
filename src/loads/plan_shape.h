// Plan positions and the plan outline of a load: one outline serves the
// settlement map's extent, the plan drawing and the section.
#pragma once

#include <vector>

namespace loads {

// A position in plan, in length units.
struct PlanPoint {
  double x = 0.0;
  double y = 0.0;
};

// What the plan draws of a load: its closed outline (corners in turn; a circle
// as many short chords), lines drawn inside it (an embankment's crest), and
// whether the outline stands for a load that runs on without end (a strip,
// whose outline is a stretch of it several widths long).
struct Outline {
  std::vector<PlanPoint> ring;
  std::vector<std::vector<PlanPoint>> lines;
  bool unbounded = false;
};

// At a load's level, a point within this distance (length units) of a load's
// outline counts as lying on it.
constexpr double kOnOutline = 1.0e-9;

}  // namespace loads
