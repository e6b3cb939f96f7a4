// Reading the problem data file into ProblemData, with its console echo and
// the input checks.
#pragma once

#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace problem {

enum class ReadOutcome {
  kComplete,  // the whole problem was read and passed the checks
  kStopped,   // a data error was reported (to the report file and where due the
              // console) and the run must stop with exit status 0
};

// Reads the whole problem from `input` into `problem` (which starts empty),
// echoing to `console`; on a data error writes its report to `report`.
ReadOutcome read_problem(layout::RecordReader& input, layout::RecordWriter& console,
                         layout::RecordWriter& report, ProblemData& problem);

}  // namespace problem
