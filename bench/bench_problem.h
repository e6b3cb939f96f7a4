// A problem file read for a benchmark, its profile formed: what the timers of
// bench/ start from.
#pragma once

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "analysis/soil_profile.h"
#include "layout/fatal_error.h"
#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"
#include "problem/problem_reader.h"

namespace bench {

// The problem of `path` with its sublayers and initial strains, or nothing
// (after a message naming `program` on the standard error stream) when it
// cannot be read or its data stop a run.
inline std::unique_ptr<problem::ProblemData> read_formed_problem(const char* path,
                                                                 const char* program) {
  std::unique_ptr<problem::ProblemData> problem;
  try {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "%s: cannot open %s\n", program, path);
      return nullptr;
    }
    layout::RecordReader input(file, 5, path);
    std::ostringstream echo;
    layout::RecordWriter console(echo, "\n", layout::kConsoleUnit, "");
    problem::ReadResult read = problem::read_problem(input, console);
    if (read.stop) {
      std::fprintf(stderr, "%s: the problem has data errors\n", program);
      return nullptr;
    }
    problem = std::move(read.problem);
  } catch (const layout::FatalError& error) {
    std::fprintf(stderr, "%s\n", error.report().c_str());
    return nullptr;
  }
  analysis::form_sublayers(*problem);
  analysis::compute_initial_strains(*problem);
  return problem;
}

}  // namespace bench
