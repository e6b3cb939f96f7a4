// The one sequence that every program runs on a problem file: read and check
// the problem, form its sublayers, check the curve pressures, analyse it.
// settle writes its report from the outcome, settle-plot its page.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "analysis/analysis_results.h"
#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "problem/input_fault.h"
#include "problem/input_warning.h"
#include "problem/problem_data.h"
#include "problem/problem_reader.h"
#include "problem/source_lines.h"

namespace run {

// Either a stop with its cause, or the problem with its results.
struct ProblemAnalysis {
  // As far as it was read; with its sublayers formed once the reading passed.
  std::unique_ptr<problem::ProblemData> problem;
  problem::SourceLines lines;
  std::vector<problem::InputWarning> warnings;  // of the input, in the order of the file
  std::optional<problem::InputFault> stop;
  // Set when there is no stop, and when the results themselves stopped the run.
  std::unique_ptr<analysis::AnalysisResults> results;

  bool stopped() const { return stop.has_value(); }
};

// Reads the problem from `input`, echoing it to `console`, and analyses it:
// the reading's stops, the curve pressures, the problem's values that give no
// meaningful settlement, then the results' own values. A value that cannot be
// read raises layout::FatalError.
ProblemAnalysis analyse_problem_file(layout::RecordReader& input, layout::RecordWriter& console);

// Reads the problem from `input` without an echo and, when the reading does
// not stop it, checks its curve pressures and its values as a run does before
// the analysis: `stop` is then that fault, if any. Forms and analyses nothing. A value that cannot
// be read raises layout::FatalError.
problem::ReadResult read_checked_problem(layout::RecordReader& input);

}  // namespace run
