// The checks that a result means something before it is written: every
// rectangle keeps its size through its geometry, and every stress, final
// pressure, strain and settlement of the analysis is a finite number that the
// sublayer's curve can take.
#pragma once

#include <optional>
#include <span>

#include "analysis/analysis_results.h"
#include "analysis/classic_profile.h"
#include "analysis/settlement_grid.h"
#include "problem/input_fault.h"
#include "problem/problem_data.h"
#include "problem/source_lines.h"

namespace analysis {

// The first regular rectangle of positive X and Y lengths whose corners, as
// the stress computation places them, give a side of no length (a slope so
// steep that its cosine vanishes in single precision, say).
std::optional<problem::ValueFault> find_vanished_area(const problem::ProblemData& problem,
                                                      const problem::SourceLines& lines);

// The faults of the problem's own values, in this order: those of
// problem::find_value_fault, then a vanished rectangle.
std::optional<problem::ValueFault> find_input_value_fault(const problem::ProblemData& problem,
                                                          const problem::SourceLines& lines);

// The first value of the results, point by point and each point's sublayers
// top down from its start sublayer, that means nothing: an average stress
// increase that is not finite; a final pressure of 0 or less on a point curve
// or a logarithmic slope line (or an initial pressure of 0 or less on the
// latter); a strain of 100 % or more (a point curve's final or initial strain,
// a slope line's strain increase); a sublayer settlement, then the point's
// total, that is not finite. REQUIRES: `results` are the analysis of
// `profile`, the profile of `problem`.
std::optional<problem::ValueFault> find_result_fault(const problem::ProblemData& problem,
                                                     const ClassicProfile& profile,
                                                     const problem::SourceLines& lines,
                                                     const AnalysisResults& results);

// The first place (x[k], y[k]) whose settlement total[k] is not finite.
// REQUIRES: x, y and total of one size.
std::optional<problem::ValueFault> find_place_fault(std::span<const float> x,
                                                    std::span<const float> y,
                                                    std::span<const float> total);

// The first node of `grid` whose total, of `totals` row by row as
// settlement_on_grid gives them, is not finite.
std::optional<problem::ValueFault> find_grid_fault(const PlanGrid& grid,
                                                   std::span<const float> totals);

}  // namespace analysis
