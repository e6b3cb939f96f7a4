// The run's own console messages, apart from the input echo. Lines of the
// program's own begin with its name and a colon ("settle: ").
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "layout/record_writer.h"
#include "problem/input_fault.h"
#include "problem/input_warning.h"
#include "problem/problem_data.h"
#include "report/message_texts.h"
#include "run/file_set.h"

namespace run {

// "DATA ERRORS": names.dat did not supply all four names.
void announce_data_errors(layout::RecordWriter& console);
// "EXECUTION IN PROGRESS" and an empty line: the files are open.
void announce_execution(layout::RecordWriter& console);

// Why names.dat gave fewer than four names: it is missing from the folder, or
// it holds fewer lines, and which of the four names are missing.
void explain_names(layout::RecordWriter& console, std::string_view program, const FileNames& names);

// The names of names.dat; when it gives fewer than four, the console says why
// (explain_names) and announces the data errors, and the run goes on with the
// names it has.
FileNames read_and_explain_names(layout::RecordWriter& console, std::string_view program);

// "PROGRAM: warning: FILE, line N: TEXT" for each warning of the input.
void print_input_warnings(layout::RecordWriter& console, std::string_view program,
                          std::string_view file, const std::vector<problem::InputWarning>& warnings,
                          std::int32_t unit_system);
// The same for every point whose final pressures fell outside their curves.
void print_strain_warnings(layout::RecordWriter& console, std::string_view program,
                           std::string_view file,
                           const std::vector<report::PointWarningText>& warnings);
// "PROGRAM: error: FILE, line N: TEXT" for each reason of a stop.
void print_fault_lines(layout::RecordWriter& console, std::string_view program,
                       std::string_view file, const problem::ProblemData& problem,
                       const problem::InputFault& fault);
// The last line of a run stopped on the problem's data: where the reasons are.
void print_stopped(layout::RecordWriter& console, std::string_view program,
                   std::string_view reasons_where);

}  // namespace run
