// The run sequence of one problem, step by step, and the check of a problem
// without a run.
#include "run/run_driver.h"

#include <iostream>
#include <string_view>

#include "layout/record_writer.h"
#include "report/auxiliary_file.h"
#include "report/input_tables.h"
#include "report/message_texts.h"
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

constexpr std::string_view kProgram = "settle";

constexpr std::string_view kUsage =
    "usage: settle [--check [PROBLEM-FILE] | --help | --version]\n"
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
    "No two of them may be the same file. The input echo, the warnings and any\n"
    "error report go to the standard error stream.\n"
    "\n"
    "  --check [PROBLEM-FILE]  read and check the problem (the file named, or the\n"
    "                          one names.dat names) and write no file: the\n"
    "                          warnings, data errors and limit faults are shown\n"
    "                          with their line numbers\n"
    "\n"
    "Exit status: 0 a normal end (warnings included); 3 the problem's data\n"
    "stopped the run (the report holds the reasons); 1 a fatal error (a file\n"
    "that cannot be opened, read or written, a bad value, one file named twice);\n"
    "2 a command line not understood.\n";

// The report, the auxiliary data file and the trace file of a complete
// analysis, written in the order a reader of the report meets them.
void write_outputs(FileSet& files, const ProblemAnalysis& analysis) {
  layout::RecordWriter& report = files.report.writer();
  layout::RecordWriter& aux = files.auxiliary.writer();
  const problem::ProblemData& problem = *analysis.problem;
  const analysis::ClassicProfile& profile = *analysis.profile;
  const analysis::AnalysisResults& results = *analysis.results;

  report::write_tables_1_and_2(report, problem, profile);
  report::write_table_3(report, problem);
  report::write_table_4(report, aux, problem);
  report::write_table_5(report, aux, problem);
  report::write_trace(files.trace.writer(), problem);
  report::write_table_6(report, problem, profile, results);
  report::write_strain_warnings(report, results);
  report::write_point_count(aux, problem.point_count);
  report::write_table_7(report, aux, problem, profile, results);
  report::write_end_mark(aux);
  report::write_form_feed(report);
}

}  // namespace

int run_settle(std::ostream& console_stream) {
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");

  const FileNames names = read_and_explain_names(console, kProgram);
  check_names_apart(names);
  FileSet files(names);
  announce_execution(console);

  const ProblemAnalysis analysis = analyse_problem_file(files.input.reader(), &console);
  const std::string& problem_file = names.names[0];
  print_input_warnings(console, kProgram, problem_file, analysis.warnings,
                       analysis.problem->unit_system);
  if (analysis.stopped()) {
    report::write_stop_report(files.report.writer(), console, *analysis.problem,
                              analysis.profile.get(), *analysis.stop);
    files.close();
    print_stopped(console, kProgram,
                  "the report " + files.report.writer().path() + " holds the reasons");
    return kStoppedOnData;
  }
  print_strain_warnings(
      console, kProgram, problem_file,
      report::strain_warning_texts(*analysis.problem, analysis.lines, *analysis.profile,
                                   *analysis.results));
  write_outputs(files, analysis);
  files.close();
  return kNormalEnd;
}

int check_problem(std::ostream& console_stream, const std::optional<std::string>& file) {
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");
  const std::string name = file ? *file : read_and_explain_names(console, kProgram).names[0];
  InputFile input(kInputUnit, name);
  // The echo is for following a run; a check shows its findings alone.
  const ProblemAnalysis read = prepare_problem(problem::read_problem(input.reader(), nullptr));
  print_input_warnings(console, kProgram, name, read.warnings, read.problem->unit_system);
  if (read.stop) {
    print_fault_lines(console, kProgram, name, *read.problem, *read.stop);
    print_stopped(console, kProgram, "a run would write the reasons into its report");
    return kStoppedOnData;
  }
  std::string summary(kProgram);
  summary += ": " + name + " passes its checks";
  if (!read.warnings.empty())
    summary += ", with " + std::to_string(read.warnings.size()) +
               (read.warnings.size() == 1 ? " warning" : " warnings");
  console.put(summary);
  return kNormalEnd;
}

int main_entry(int argc, char** argv) {
  if (argc > 1) {
    if (const auto status = answer_help_or_version(argc, argv, kUsage, kProgram)) return *status;
    const std::string_view first = argv[1];
    if (first == "--check" && argc <= 3) {
      const std::optional<std::string> file =
          argc == 3 ? std::optional<std::string>(argv[2]) : std::nullopt;
      return with_fatal_report(kProgram, std::cerr, [&] { return check_problem(std::cerr, file); });
    }
    if (first == "--check") {
      return refuse_command_line(
          kProgram, "--check takes one problem file at most, not '" + std::string(argv[3]) + "'",
          kUsage);
    }
    return refuse_command_line(kProgram, "unknown argument '" + std::string(first) + "'", kUsage);
  }
  return with_fatal_report(kProgram, std::cerr, [] { return run_settle(std::cerr); });
}

}  // namespace run
