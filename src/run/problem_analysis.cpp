// The sequence of reading, checking, preparation and analysis, step by step.
#include "run/problem_analysis.h"

#include "analysis/classic_analysis.h"
#include "analysis/result_checks.h"
#include "problem/project_conversion.h"

namespace run {

ProblemAnalysis prepare_problem(problem::ReadResult read) {
  ProblemAnalysis outcome{std::move(read.problem),
                          read.lines,
                          std::move(read.warnings),
                          std::move(read.stop),
                          {},
                          nullptr,
                          nullptr};
  if (outcome.stopped()) return outcome;
  outcome.project = problem::to_project(*outcome.problem).project;
  analysis::ClassicPreparation prepared = analysis::prepare_classic(outcome.project);
  outcome.profile = std::make_unique<analysis::ClassicProfile>(std::move(prepared.profile));
  // The report shows the profile before the curve that stops the run.
  if (const auto& fault = prepared.fault) {
    outcome.stop = problem::PressureFault{fault->curve, fault->row, fault->pressure,
                                          outcome.lines.curve_points[fault->curve][fault->row]};
    return outcome;
  }
  if (auto fault = analysis::find_input_value_fault(*outcome.problem, outcome.lines))
    outcome.stop = *fault;
  return outcome;
}

ProblemAnalysis analyse_problem(problem::ReadResult read) {
  ProblemAnalysis outcome = prepare_problem(std::move(read));
  if (outcome.stopped()) return outcome;
  outcome.results = analysis::analyse(*outcome.profile);
  // Nothing is written from results that mean nothing.
  if (auto fault = analysis::find_result_fault(*outcome.problem, *outcome.profile, outcome.lines,
                                               *outcome.results))
    outcome.stop = *fault;
  return outcome;
}

ProblemAnalysis analyse_problem_file(layout::RecordReader& input, layout::RecordWriter* echo) {
  return analyse_problem(problem::read_problem(input, echo));
}

}  // namespace run
