// Tables 3 to 5: the compressibility curves, the settlement points and the
// regular loaded areas, with the area records of the auxiliary data file.
#pragma once

#include <optional>

#include "layout/record_writer.h"
#include "problem/input_fault.h"
#include "problem/problem_data.h"

namespace report {

// Table 3. With `fault`, the table ends at the offending row, which the error
// block follows.
void write_table_3(layout::RecordWriter& report, const problem::ProblemData& problem,
                   const std::optional<problem::PressureFault>& fault = std::nullopt);
// Table 4; with no regular areas also the "LDS" and count 0 records of `aux`.
void write_table_4(layout::RecordWriter& report, layout::RecordWriter& aux,
                   const problem::ProblemData& problem);
// Table 5 with the area records of `aux`.
void write_table_5(layout::RecordWriter& report, layout::RecordWriter& aux,
                   const problem::ProblemData& problem);

}  // namespace report
