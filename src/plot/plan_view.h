// The plan view: loaded areas and settlement points to scale, the points
// coloured by their total settlement and the plan shaded between them.
#pragma once

#include "analysis/analysis_results.h"
#include "plot/colour_scale.h"
#include "plot/xml_writer.h"
#include "problem/problem_data.h"

namespace plot {

// What the plan view could not draw, for the notes under it.
struct PlanNotes {
  bool shaded = false;        // the basin was shaded
  int coinciding_points = 0;  // points at the place of an earlier point
};

// Writes the plan view as one <svg> element.
PlanNotes write_plan_view(XmlWriter& out, const problem::ProblemData& problem,
                          const analysis::AnalysisResults& results, const ColourScale& scale);

// Writes the colour legend of the settlement scale as one <svg> element.
void write_colour_legend(XmlWriter& out, const ColourScale& scale, std::int32_t unit_system);

}  // namespace plot
