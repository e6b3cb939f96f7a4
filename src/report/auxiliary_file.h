// The auxiliary data file: the regular areas and the point settlements as a
// short machine-readable summary between "LDS" and "END".
#pragma once

#include <cstdint>

#include "analysis/analysis_results.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace report {

// "LDS" and a free-form record with `last_area` (the count 0 when there are no
// regular areas, else the last area position of a Table 5 page).
void write_area_header(layout::RecordWriter& aux, std::int32_t last_area);
// The identifier and value records of regular area `position`.
void write_area_records(layout::RecordWriter& aux, const problem::ProblemData& problem,
                        int position);
void write_point_count(layout::RecordWriter& aux, std::int32_t point_count);
// The tag and value records of points `first`..`last` (positions).
void write_point_records(layout::RecordWriter& aux, const problem::ProblemData& problem,
                         const analysis::AnalysisResults& results, int first, int last);
void write_end_mark(layout::RecordWriter& aux);

}  // namespace report
