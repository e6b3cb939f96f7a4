// Placeholder until implemented.
#include "report/result_tables.h"

namespace report {
void write_table_6(layout::RecordWriter&, const problem::ProblemData&, const analysis::AnalysisResults&) {}
void write_table_7(layout::RecordWriter&, layout::RecordWriter&, const problem::ProblemData&, const analysis::AnalysisResults&) {}
}  // namespace report
