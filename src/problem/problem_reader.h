// Reading the problem data file into ProblemData, with its console echo and
// the input checks.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "problem/input_fault.h"
#include "problem/input_warning.h"
#include "problem/problem_data.h"
#include "problem/source_lines.h"

namespace problem {

// The problem as read, where its records stood, what stopped the reading on
// the problem's own data (a data error or a limit of the data model), if
// anything did, and the warnings of what was read. A stopped reading leaves
// the problem as far as it was read.
struct ReadResult {
  std::unique_ptr<ProblemData> problem;
  SourceLines lines;
  std::optional<InputFault> stop;
  std::vector<InputWarning> warnings;  // in the order of the file
};

// Reads the whole problem from `input`, echoing each record to `echo` as it is
// read (no echo when null). A value that cannot be read raises
// layout::FatalError.
ReadResult read_problem(layout::RecordReader& input, layout::RecordWriter* echo);

}  // namespace problem
