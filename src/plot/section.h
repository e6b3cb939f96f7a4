// A section through the settlement map: the settlement computed along a line
// across the plan (not read off the grid), and the loaded areas it crosses.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/analysis_results.h"
#include "analysis/settlement_grid.h"
#include "plot/plan_point.h"
#include "plot/plot_options.h"
#include "problem/problem_data.h"

namespace plot {

struct SectionSample {
  double distance = 0.0;  // along the line from its start, length unit
  PlanPoint at;           // held in single precision, as a point's
  float settlement = 0.0f;
};

// Where the line runs through a loaded area (position 1..total area count).
struct SectionCrossing {
  int area = 0;
  double from = 0.0, to = 0.0;  // distances along the line
};

struct Section {
  SectionLine line;
  bool chosen = false;  // by --section; else the default line
  std::vector<SectionSample> samples;
  std::vector<SectionCrossing> crossings;
  double length() const;
};

// The position of the point of largest total settlement, the first of
// equals: the page's headline names it and the default section runs through
// it. REQUIRES: problem.point_count >= 1.
int most_settled_point(const problem::ProblemData& problem,
                       const analysis::AnalysisResults& results);

// Without a line asked for: the horizontal line through the point of largest
// total settlement (the first of equals), across the grid's x extent; with
// no points, through the grid node of largest settlement.
// REQUIRES: totals.size() == grid.node_count(), the grid at least one node.
SectionLine default_section_line(const problem::ProblemData& problem,
                                 const analysis::AnalysisResults& results,
                                 const analysis::PlanGrid& grid, const std::vector<float>& totals);

// The areas the line crosses, in the order of the area table.
std::vector<SectionCrossing> section_crossings(const problem::ProblemData& problem,
                                               const SectionLine& line);

// The spacing of the section's samples: the grid's, or wider on a line so
// long that it would take more than 1000 steps of it (each sample costs a
// settlement point's analysis). REQUIRES: grid_spacing > 0.
double section_spacing(const SectionLine& line, double grid_spacing);

// The distances of the samples along a line of `length`: every multiple of
// `spacing` from 0, and the far end. REQUIRES: spacing > 0.
std::vector<double> section_stations(double length, double spacing);

// The section along `line`: each sample analysed exactly as a settlement
// point at that place with settlement starting at `start_layer`, the samples
// `spacing` apart and shared over the cores.
// REQUIRES: the sublayers and initial strains of `problem` are formed.
Section compute_section(const problem::ProblemData& problem, const site::Project& project,
                        const analysis::ClassicProfile& profile, const SectionLine& line,
                        bool chosen, double spacing, std::int32_t start_layer);

}  // namespace plot
