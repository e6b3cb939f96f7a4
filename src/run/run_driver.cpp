// The run sequence of one problem, step by step.
#include "run/run_driver.h"

#include <iostream>
#include <string_view>

#include "layout/record_writer.h"
#include "report/auxiliary_file.h"
#include "report/input_tables.h"
#include "report/page.h"
#include "report/profile_tables.h"
#include "report/result_tables.h"
#include "report/stop_report.h"
#include "report/trace_file.h"
#include "run/command_line.h"
#include "run/console_messages.h"
#include "run/file_set.h"
#include "run/problem_analysis.h"
#include "run/program_exit.h"

namespace run {
namespace {

constexpr std::string_view kUsage =
    "usage: settle [--help | --version]\n"
    "\n"
    "Computes the consolidation settlement of a layered soil under loaded areas\n"
    "(rectangles, circles and 2:1 spread areas) at a set of settlement points.\n"
    "\n"
    "Run it with no arguments in the folder of a problem. It reads the names of\n"
    "its four files from the first four lines of names.dat in that folder:\n"
    "  1  the problem data file (read)\n"
    "  2  the report: Tables 1 to 7 (written)\n"
    "  3  the auxiliary data file: areas and point settlements (written)\n"
    "  4  the trace file: one line per loaded area and point (written)\n"
    "The input echo and any error report go to the standard error stream.\n"
    "Exit status: 0 after a normal end or a reported data error, 1 after a\n"
    "fatal error (a file that cannot be opened, read or written, a bad value).\n";

// The report, the auxiliary data file and the trace file of a complete
// analysis, written in the order a reader of the report meets them.
void write_outputs(FileSet& files, const ProblemAnalysis& analysis) {
  layout::RecordWriter& report = files.report.writer();
  layout::RecordWriter& aux = files.auxiliary.writer();
  const problem::ProblemData& problem = *analysis.problem;
  const analysis::AnalysisResults& results = *analysis.results;

  report::write_tables_1_and_2(report, problem);
  report::write_table_3(report, problem);
  report::write_table_4(report, aux, problem);
  report::write_table_5(report, aux, problem);
  report::write_trace(files.trace.writer(), problem);
  report::write_table_6(report, problem, results);
  report::write_strain_warnings(report, results);
  report::write_point_count(aux, problem.point_count);
  report::write_table_7(report, aux, problem, results);
  report::write_end_mark(aux);
  report::write_form_feed(report);
}

}  // namespace

int run_settle(std::ostream& console_stream) {
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");

  const FileNames names = read_file_names();
  if (!names.complete) announce_data_errors(console);
  FileSet files(names);
  announce_execution(console);

  const ProblemAnalysis analysis = analyse_problem_file(files.input.reader(), console);
  if (analysis.stopped()) {
    report::write_stop_report(files.report.writer(), console, *analysis.problem, *analysis.stop);
    files.close();
    return kStoppedOnData;
  }
  write_outputs(files, analysis);
  files.close();
  return kNormalEnd;
}

int main_entry(int argc, char** argv) {
  if (argc > 1) {
    if (const auto status = answer_help_or_version(argc, argv, kUsage, "settle")) return *status;
    std::cerr << kUsage;
    return kWrongCommandLine;
  }
  return with_fatal_report(std::cerr, [] { return run_settle(std::cerr); });
}

}  // namespace run
