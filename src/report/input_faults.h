// The texts of what stops a run on the problem's data: the data-error report,
// the limit faults of the data model and the pressure error block.
#pragma once

#include "layout/record_writer.h"
#include "problem/input_fault.h"

namespace report {

// The wrong-shape list (when not empty) and the boundary list (when not empty).
void write_data_error_lists(layout::RecordWriter& out, const problem::DataErrors& errors);
// The two lists and the digit-one record.
void write_data_error_report(layout::RecordWriter& report, const problem::DataErrors& errors);

// The text of a limit fault: four empty records and the fault's line.
void write_limit_fault(layout::RecordWriter& out, const problem::LimitFault& fault);

// The error block that follows the offending row of Table 3.
void write_pressure_error(layout::RecordWriter& report);

}  // namespace report
