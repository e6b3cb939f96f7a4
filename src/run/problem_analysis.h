// The one sequence that every program runs on an archived problem: read and
// check it, take it as a site project, form its classic profile, check the
// curve pressures, analyse it. settle writes its report from the outcome,
// settle-plot its page, the Python module its values.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "analysis/analysis_results.h"
#include "analysis/classic_profile.h"
#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "problem/input_fault.h"
#include "problem/input_warning.h"
#include "problem/problem_data.h"
#include "problem/problem_reader.h"
#include "problem/source_lines.h"
#include "site/project.h"

namespace run {

// Either a stop with its cause, or the problem with its results.
struct ProblemAnalysis {
  std::unique_ptr<problem::ProblemData> problem;  // as far as it was read
  problem::SourceLines lines;
  std::vector<problem::InputWarning> warnings;  // of the input, in the order of the file
  std::optional<problem::InputFault> stop;
  site::Project project;  // the problem as the classic method takes it, once read
  std::unique_ptr<analysis::ClassicProfile> profile;  // once the reading passed
  // Set when there is no stop, and when the results themselves stopped the run.
  std::unique_ptr<analysis::AnalysisResults> results;

  bool stopped() const { return stop.has_value(); }
};

// The preparation of a problem read (or built and derived): unless the
// reading stopped, its project and its classic profile, then the checks of
// its curve pressures and of the values that give no meaningful settlement,
// which may stop it. Analyses nothing.
ProblemAnalysis prepare_problem(problem::ReadResult read);

// Prepares and, when nothing stops it, analyses; results whose own values
// mean nothing stop it too.
ProblemAnalysis analyse_problem(problem::ReadResult read);

// Reads the problem from `input`, echoing it to `echo` (none when null), and
// analyses it. A value that cannot be read raises layout::FatalError.
ProblemAnalysis analyse_problem_file(layout::RecordReader& input, layout::RecordWriter* echo);

}  // namespace run
