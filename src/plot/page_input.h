// What the page shows beside the problem and its results: the run's
// warnings, the title block's facts, the settlement map's grid, the section
// and the distortion limit, all worked out before the page is written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/classic_profile.h"
#include "analysis/settlement_grid.h"
#include "plot/plot_options.h"
#include "plot/section.h"

namespace plot {

// A warning of the run, as the console words it, with the line of the
// problem file it is about (0 for none).
struct PageWarning {
  int line = 0;
  std::string text;
};

// What ties a printed page to its input and its program.
struct TitleBlock {
  std::string input_name;  // the problem file, as names.dat names it
  std::string sha256;      // of the problem file's bytes, 64 hex digits
  std::string date;        // of the run, yyyy-mm-dd
};

// The settlement map's grid, computed for the page.
struct MapInput {
  analysis::PlanExtent extent;  // of the loads' outlines and the points
  analysis::PlanGrid grid;
  std::vector<float> totals;  // row by row from y0, as settlement_on_grid gives them
  std::int32_t start_layer = 1;
  bool start_layer_chosen = false;         // by --start-layer, else the default rule
  bool extent_chosen = false;              // by --extent, else grown to the basin
  int growths = 0;                         // times the first box was grown
  bool closed = true;                      // the contours next to zero close inside it
  std::optional<double> contour_interval;  // --interval
  std::vector<double> contour_levels;      // --levels
  bool area_labels = true;
};

// The map of the vertical stress increase at one depth, --stress-depth.
struct StressMapInput {
  double depth_asked = 0.0;
  double depth = 0.0;  // the stress depth of the profile nearest the one asked
  analysis::PlanGrid grid;
  std::vector<double> stresses;  // pressure unit, row by row as the totals
};

// A warning of settle-plot's own about the map (no line of the problem file).
struct MapWarning {
  std::string text;
};

struct PageInput {
  const analysis::ClassicProfile* profile = nullptr;  // the analysis' profile, for the profiles
  TitleBlock title;
  std::vector<PageWarning> warnings;
  MapInput map;
  std::vector<MapWarning> map_warnings;
  std::optional<Section> section;
  std::optional<StressMapInput> stress_map;
  double distortion_limit = 1.0 / 500.0;  // angular distortion flagged beyond
  std::string distortion_limit_text = "1/500";
  std::vector<StructureGroup> structures;  // empty: every point one structure
};

}  // namespace plot
