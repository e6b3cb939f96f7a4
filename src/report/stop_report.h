// What a run that stops on the problem's data writes: the reasons in the
// report, as settle's report has always held them, and on the console.
#pragma once

#include "analysis/classic_profile.h"
#include "layout/record_writer.h"
#include "problem/input_fault.h"
#include "problem/problem_data.h"

namespace report {

// The report of a stopped run: the data-error report; a limit fault or a
// value fault and the digit-one record (the fault also goes to the console,
// after the echo); or,
// for a curve pressure, Tables 1 and 2 and Table 3 up to the offending row
// with the error block. `problem` is the problem as far as it was read and,
// for a pressure fault, with its classic profile.
// REQUIRES: `profile` formed for a pressure fault (it may be null otherwise).
void write_stop_report(layout::RecordWriter& report, layout::RecordWriter& console,
                       const problem::ProblemData& problem, const analysis::ClassicProfile* profile,
                       const problem::InputFault& stop);

// The reasons of a stop for a program that writes no report, on the console
// where settle shows its own: the data-error lists, the limit fault, the
// pressure error block or the value fault.
void write_stop_explanation(layout::RecordWriter& out, const problem::InputFault& stop);

}  // namespace report
