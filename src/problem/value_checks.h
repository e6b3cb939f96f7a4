// The checks on values that the reading accepts but that give a settlement of
// no meaning: a thickness factor below 0, a curve strain of 100 % or more.
#pragma once

#include <optional>

#include "problem/input_fault.h"
#include "problem/problem_data.h"
#include "problem/source_lines.h"

namespace problem {

// The first such value in the order of the file: each layer's thickness
// factor, then each point curve's strains point by point. A strain of 100 %
// compresses the soil to nothing, and the settlement divides by what is left.
// REQUIRES: a problem read to its end (or built and checked).
std::optional<ValueFault> find_value_fault(const ProblemData& problem, const SourceLines& lines);

}  // namespace problem
