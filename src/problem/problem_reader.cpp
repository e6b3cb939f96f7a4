// Placeholder until implemented.
#include "problem/problem_reader.h"

namespace problem {
ReadOutcome read_problem(layout::RecordReader&, layout::RecordWriter&, layout::RecordWriter&, ProblemData&) { return ReadOutcome::kComplete; }
}  // namespace problem
