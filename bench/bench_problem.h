// A problem file read for a benchmark and prepared as every run prepares it:
// what the timers of bench/ start from.
#pragma once

#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>

#include "layout/fatal_error.h"
#include "layout/record_reader.h"
#include "problem/problem_reader.h"
#include "run/problem_analysis.h"

namespace bench {

// The problem of `path` with its project and classic profile, or nothing
// (after a message naming `program` on the standard error stream) when it
// cannot be read or its data stop a run.
inline std::optional<run::ProblemAnalysis> read_prepared_problem(const char* path,
                                                                 const char* program) {
  try {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "%s: cannot open %s\n", program, path);
      return std::nullopt;
    }
    layout::RecordReader input(file, 5, path);
    run::ProblemAnalysis prepared = run::prepare_problem(problem::read_problem(input, nullptr));
    if (prepared.stopped()) {
      std::fprintf(stderr, "%s: the problem's data stop a run\n", program);
      return std::nullopt;
    }
    return prepared;
  } catch (const layout::FatalError& error) {
    std::fprintf(stderr, "%s\n", error.report().c_str());
    return std::nullopt;
  }
}

}  // namespace bench
