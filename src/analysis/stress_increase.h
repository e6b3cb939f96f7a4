// The vertical stress increase that all loaded areas together cause at every
// stress depth below a plan point, and its average over each sublayer.
#pragma once

#include "analysis/analysis_results.h"
#include "analysis/influence.h"
#include "analysis/rectangle_geometry.h"
#include "problem/indexed_table.h"
#include "problem/problem_data.h"

namespace analysis {

// What every point needs of one loaded area, worked out once per area.
struct PreparedArea {
  const problem::LoadedArea* area = nullptr;
  RectangleGeometry rectangle;  // rectangles only
  float radius = 0.0f;          // circles only
  SpreadFootprint footprint;    // spread areas only
};

// The regular areas, then the spread areas, in table order.
struct PreparedAreas {
  problem::IndexedTable<PreparedArea, problem::kMaxAreas> areas;
  int count = 0;
};

// Prepares every area of `problem`; the result refers to the problem's areas.
PreparedAreas prepare_areas(const problem::ProblemData& problem);

// Sets `row` at stress depths 1..2*sublayer_count+1 to the stress increase of
// all `areas` at the plan point (x, y), adding the areas in table order.
void stress_increase_at(const problem::ProblemData& problem, const PreparedAreas& areas, float x,
                        float y, StressRow& row);

// Sets `average` for sublayers 1..sublayer_count to the average of `stress`
// over each sublayer by Simpson's rule, and to 0 above `start_sublayer`.
void average_over_sublayers(const problem::ProblemData& problem, const StressRow& stress,
                            int start_sublayer, SublayerRow& average);

}  // namespace analysis
