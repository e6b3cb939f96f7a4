// The options that the problem makes meaningless, refused before a page is
// drawn (exit status 2, the option named), and the warnings of the map's
// own: a grid too coarse for the loads, spread areas that overlap, a basin
// whose outer contours run off the map.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/classic_profile.h"
#include "analysis/settlement_grid.h"
#include "plot/page_input.h"
#include "plot/plot_options.h"
#include "problem/problem_data.h"

namespace plot {

// A start layer the profile lacks, structures naming points it lacks, a
// stress depth below the profile. REQUIRES: the sublayers are formed.
std::optional<std::string> check_problem_options(const PlotOptions& options,
                                                 const problem::ProblemData& problem,
                                                 const analysis::ClassicProfile& profile);

// A grid spacing that puts fewer than 10 nodes across the shorter side of
// `box` (the map's first box); a section shorter than the spacing, or that
// misses the box.
inline constexpr int kFewestNodesAcross = 10;
std::optional<std::string> check_map_options(const PlotOptions& options,
                                             const analysis::PlanExtent& box, double spacing);

// More contour levels than a map can show.
inline constexpr int kMostLevels = 60;
std::optional<std::string> check_level_count(const PlotOptions& options, std::size_t levels);

// The width of a loaded area across its narrower side (a circle's diameter).
double narrower_side(const problem::LoadedArea& area);

// The map's warnings: a spacing over half the narrowest loaded area's width
// (the map then misses what happens at its edges), spread areas whose plan
// rectangles overlap or touch (where they meet, the loads of both count in
// full), and outer contours that do not close inside a box grown in vain.
std::vector<MapWarning> map_warnings(const problem::ProblemData& problem, const MapInput& map);

// The last of those alone, which a site project's map gets too.
std::optional<MapWarning> unclosed_contours(const MapInput& map);

}  // namespace plot
