// Tables 3 to 5: the compressibility curves, the settlement points and the
// regular loaded areas, with the area records of the auxiliary data file.
#pragma once

#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace report {

enum class Table3Outcome {
  kComplete,
  kPressureError,  // the error block was written: the run must stop (exit status 0)
};

Table3Outcome write_table_3(layout::RecordWriter& report, const problem::ProblemData& problem);
// Table 4; with no regular areas also the "LDS" and count 0 records of `aux`.
void write_table_4(layout::RecordWriter& report, layout::RecordWriter& aux,
                   const problem::ProblemData& problem);
// Table 5 with the area records of `aux`.
void write_table_5(layout::RecordWriter& report, layout::RecordWriter& aux,
                   const problem::ProblemData& problem);

}  // namespace report
