// Placeholder until implemented.
#include "report/input_tables.h"

namespace report {
Table3Outcome write_table_3(layout::RecordWriter&, const problem::ProblemData&) { return Table3Outcome::kComplete; }
void write_table_4(layout::RecordWriter&, layout::RecordWriter&, const problem::ProblemData&) {}
void write_table_5(layout::RecordWriter&, layout::RecordWriter&, const problem::ProblemData&) {}
}  // namespace report
