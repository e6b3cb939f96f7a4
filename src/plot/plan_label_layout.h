// The labels of the plan, placed in order of importance: the points' numbers
// and totals, the section's ends, the contour levels, then the areas'
// identifiers and loadings, each where it overlaps no label or mark already
// there, farther off with a leader line, or left off.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "analysis/analysis_results.h"
#include "plot/label_placer.h"
#include "plot/plan_frame.h"
#include "plot/plan_view.h"
#include "plot/settlement_map.h"
#include "plot/xml_writer.h"
#include "problem/problem_data.h"

namespace plot {

// The radius in pixels of a settlement point's mark.
inline constexpr double kPointMarkRadius = 6.0;

// What the plan drew before its labels: the marks that labels keep clear of
// and the ends of the section's line, in pixels.
struct PlanMarks {
  std::vector<Box> boxes;
  std::optional<std::array<PlanPoint, 2>> section_ends;
};

// Writes every label that finds room as one layer, and counts in `notes`
// those left off.
void write_plan_labels(XmlWriter& out, const PlanFrame& frame, const problem::ProblemData& problem,
                       const analysis::AnalysisResults& results, const SettlementMap& map,
                       const PlanMarks& marks, PlanNotes& notes);

}  // namespace plot
