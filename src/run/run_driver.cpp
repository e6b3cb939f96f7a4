// The run sequence of one problem, step by step.
#include "run/run_driver.h"

#include <iostream>
#include <memory>

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
#include "run/file_set.h"

namespace run {
namespace {

void announce_data_errors(layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout("('DATA ERRORS')");
  layout::write_record(console, kLayout, {});
}

void announce_execution(layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout("(10X,'EXECUTION IN PROGRESS',/)");
  layout::write_record(console, kLayout, {});
}

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

int main_entry(int /*argc*/, char** /*argv*/) {
  try {
    return run_settle(std::cerr);
  } catch (const layout::FatalError& error) {
    std::cerr << error.report() << '\n';
    return 1;
  }
}

}  // namespace run
