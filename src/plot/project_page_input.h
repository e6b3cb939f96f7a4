// What a site project's page shows, worked out before it is written: the
// project and its results, the title block, the map's grid, the section,
// the point whose stresses are drawn with depth, and the run's warnings.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/site_results.h"
#include "plot/page_input.h"
#include "plot/page_text.h"
#include "plot/section.h"
#include "plot/study_charts.h"
#include "site/project.h"

namespace plot {

struct ProjectPageInput {
  const site::Project* project = nullptr;
  const analysis::SiteResults* results = nullptr;
  TitleBlock title;                   // input_name: the project file
  std::vector<std::string> warnings;  // as the console words them
  MapInput map;
  std::vector<MapWarning> map_warnings;
  std::optional<Section> section;  // its crossings' `area`: load positions from 1
  std::size_t profile_point = 0;   // the stress profile's point, from 0
  std::size_t time_point = 0;      // the isochrones' point, from 0
  std::optional<double> map_time;  // the map's nodes at this time, else their final settlement
  std::vector<float> t90;          // a project in time: each node of map.grid, else empty
  double distortion_limit = 1.0 / 500.0;
  std::string distortion_limit_text = "1/500";
  std::optional<StudyPageInput> study;  // with a [study] table
};

// The unit names of a project's unit system.
inline UnitNames project_units(const site::Project& project) {
  return unit_names(project.units == site::Units::kUs ? 1 : 2);
}

// A point's label: its name, else "P" and its position (from 1).
inline std::string point_label(const site::Project& project, std::size_t position) {
  const auto& name = project.points[position].name;
  return name ? *name : "P" + std::to_string(position + 1);
}

}  // namespace plot
