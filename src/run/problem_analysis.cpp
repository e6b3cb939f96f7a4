// The sequence of reading, checking and analysis steps, step by step.
#include "run/problem_analysis.h"

#include <ostream>

#include "analysis/analysis.h"
#include "analysis/result_checks.h"
#include "analysis/soil_profile.h"
#include "problem/input_checks.h"
#include "problem/problem_reader.h"

namespace run {
namespace {

// A console that keeps nothing: the echo of a reading nobody follows.
class DiscardedOutput : public std::ostream {
 public:
  DiscardedOutput() : std::ostream(nullptr) {}
};

}  // namespace

ProblemAnalysis analyse_problem_file(layout::RecordReader& input, layout::RecordWriter& console) {
  problem::ReadResult read = problem::read_problem(input, console);
  ProblemAnalysis outcome{std::move(read.problem), read.lines, std::move(read.warnings),
                          std::move(read.stop), nullptr};
  if (outcome.stopped()) return outcome;

  problem::ProblemData& problem = *outcome.problem;
  analysis::form_sublayers(problem);
  analysis::compute_initial_strains(problem);
  // The report shows the profile before the curve that stops the run.
  if (auto fault = problem::find_pressure_fault(problem, outcome.lines)) {
    outcome.stop = *fault;
    return outcome;
  }
  if (auto fault = analysis::find_input_value_fault(problem, outcome.lines)) {
    outcome.stop = *fault;
    return outcome;
  }
  outcome.results = analysis::analyse(problem);
  // Nothing is written from results that mean nothing.
  if (auto fault = analysis::find_result_fault(problem, outcome.lines, *outcome.results)) {
    outcome.stop = *fault;
  }
  return outcome;
}

problem::ReadResult read_checked_problem(layout::RecordReader& input) {
  DiscardedOutput discarded;
  layout::RecordWriter echo(discarded, "\n", layout::kConsoleUnit, "");
  problem::ReadResult read = problem::read_problem(input, echo);
  if (!read.stop) read.stop = problem::find_pressure_fault(*read.problem, read.lines);
  if (!read.stop) read.stop = analysis::find_input_value_fault(*read.problem, read.lines);
  return read;
}

}  // namespace run
