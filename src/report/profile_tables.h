// Tables 1 and 2, the first page of the report: the control values and the
// sublayers with their initial state.
#pragma once

#include "analysis/classic_profile.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace report {

void write_tables_1_and_2(layout::RecordWriter& report, const problem::ProblemData& problem,
                          const analysis::ClassicProfile& profile);

}  // namespace report
