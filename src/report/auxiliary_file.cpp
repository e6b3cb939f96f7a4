// Placeholder until implemented.
#include "report/auxiliary_file.h"

namespace report {
void write_area_header(layout::RecordWriter&, std::int32_t) {}
void write_area_records(layout::RecordWriter&, const problem::ProblemData&, int) {}
void write_point_count(layout::RecordWriter&, std::int32_t) {}
void write_point_records(layout::RecordWriter&, const problem::ProblemData&, const analysis::AnalysisResults&, int, int) {}
void write_end_mark(layout::RecordWriter&) {}
}  // namespace report
