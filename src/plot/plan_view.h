// The plan view: the settlement map of the grid in bands and contour lines,
// the loaded areas and the settlement points over it to scale, the pairs of
// points beyond the distortion limit, the section's line, and the labels
// that find room.
#pragma once

#include <string>
#include <vector>

#include "analysis/analysis_results.h"
#include "plot/plan_frame.h"
#include "plot/settlement_map.h"
#include "plot/xml_writer.h"
#include "problem/problem_data.h"

namespace plot {

// What the plan view could not show, for the notes under it.
struct PlanNotes {
  int coinciding_points = 0;  // points at the place of an earlier point
  int point_labels_left_off = 0;
  int area_labels_left_off = 0;  // neither the identifier nor the loading
  int area_loads_left_off = 0;   // the identifier alone found room
  int contour_lines = 0;
  int contour_lines_unlabelled = 0;
  bool area_labels_off = false;  // --no-area-labels
};

// Writes the plan view as one <svg> element, its key at the top.
PlanNotes write_plan_view(XmlWriter& out, const problem::ProblemData& problem,
                          const analysis::AnalysisResults& results, const SettlementMap& map);

// The pieces a site project's plan shares with it: the plan points as an
// SVG list of pixels, the map's colour bands over the frame and its contour
// lines.
std::string pixel_points(const PlanFrame& frame, const std::vector<PlanPoint>& points);
void write_bands(XmlWriter& out, const PlanFrame& frame, const SettlementMap& map);
void write_contours(XmlWriter& out, const PlanFrame& frame, const SettlementMap& map);

}  // namespace plot
