// The run sequence of one problem, step by step.
#include "run/run_driver.h"

#include <iostream>
#include <memory>
#include <string_view>

#include "analysis/analysis_results.h"
#include "analysis/settlement.h"
#include "analysis/soil_profile.h"
#include "analysis/stress_increase.h"
#include "layout/fatal_error.h"
#include "layout/layout.h"
#include "layout/render.h"
#include "problem/problem_data.h"
#include "problem/problem_reader.h"
#include "report/auxiliary_file.h"
#include "report/input_tables.h"
#include "report/page.h"
#include "report/profile_tables.h"
#include "report/result_tables.h"
#include "run/command_line.h"
#include "run/console_messages.h"
#include "run/file_set.h"

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

}  // namespace

int run_settle(std::ostream& console_stream) {
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");

  const FileNames names = read_file_names();
  if (!names.complete) announce_data_errors(console);
  FileSet files(names);
  layout::RecordWriter& report = files.report.writer();
  layout::RecordWriter& aux = files.auxiliary.writer();
  announce_execution(console);

  auto problem = std::make_unique<problem::ProblemData>();
  if (problem::read_problem(files.input.reader(), console, report, *problem) ==
      problem::ReadOutcome::kStopped) {
    files.close();
    return 0;
  }

  analysis::form_sublayers(*problem);
  analysis::compute_initial_strains(*problem);

  report::write_tables_1_and_2(report, *problem);
  if (report::write_table_3(report, *problem) == report::Table3Outcome::kPressureError) {
    files.close();
    return 0;
  }
  report::write_table_4(report, aux, *problem);
  report::write_table_5(report, aux, *problem);

  auto results = std::make_unique<analysis::AnalysisResults>();
  analysis::compute_stress_increase(*problem, *results, files.trace.writer());
  analysis::average_stress_increase(*problem, *results);
  report::write_table_6(report, *problem, *results);

  analysis::compute_settlement(*problem, *results, report);
  report::write_point_count(aux, problem->point_count);
  report::write_table_7(report, aux, *problem, *results);

  report::write_end_mark(aux);
  report::write_form_feed(report);
  files.close();
  return 0;
}

int main_entry(int argc, char** argv) {
  if (argc > 1) {
    if (const auto status = answer_help_or_version(argc, argv, kUsage, "settle")) return *status;
    std::cerr << kUsage;
    return 2;
  }
  try {
    return run_settle(std::cerr);
  } catch (const layout::FatalError& error) {
    std::cerr << error.report() << '\n';
    return 1;
  }
}

}  // namespace run
