// The texts of a value that gives a settlement of no meaning: the report's
// record of the stop, and the console's words for it.
#pragma once

#include <string>

#include "layout/record_writer.h"
#include "problem/input_fault.h"
#include "problem/problem_data.h"

namespace report {

// The stop's record: four empty records and the fault's line or two, in the
// style of the limit faults.
void write_value_fault(layout::RecordWriter& out, const problem::ValueFault& fault);

// What is wrong, in words, with the values and what to do. `problem` gives
// the units and the depth of a sublayer named.
std::string value_fault_text(const problem::ProblemData& problem, const problem::ValueFault& fault);

}  // namespace report
