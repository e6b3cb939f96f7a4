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
#include "run/ags_import.h"
#include "run/command_line.h"
#include "run/console_messages.h"
#include "run/file_set.h"
#include "run/interrupt.h"
#include "run/problem_analysis.h"
#include "run/program_exit.h"
#include "run/project_driver.h"
#include "run/run_lock.h"

namespace run {
namespace {

constexpr std::string_view kProgram = "settle";

constexpr std::string_view kUsage =
    "usage: settle [--check [PROBLEM-FILE] | --help | --version]\n"
    "       settle PROJECT.toml | PROJECT.json\n"
    "       settle --check PROJECT.toml\n"
    "       settle convert IN OUT\n"
    "       settle import-ags FILE.ags PROJECT.toml\n"
    "       settle study PROJECT.toml\n"
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
    "A site project (a readable TOML or JSON file of soils, layers, points and\n"
    "loads, docs/project-file.md) runs on its own: settle PROJECT.toml writes\n"
    "PROJECT.results.json and PROJECT.report.txt beside it; --check PROJECT.toml\n"
    "checks and analyses it and writes nothing.\n"
    "\n"
    "  convert IN OUT          an archived problem file to a project file (.toml or\n"
    "                          .json), a project back to a problem file, or a\n"
    "                          project to the other form\n"
    "  import-ags FILE.ags PROJECT.toml\n"
    "                          the oedometer tests of an AGS4 file as curve soils\n"
    "                          of the project file, created when it is not there\n"
    "  study PROJECT.toml      the project's [study]: its samples on every core,\n"
    "                          their statistics in PROJECT.study.json\n"
    "\n"
    "Exit status: 0 a normal end (warnings included); 3 the problem's data\n"
    "stopped the run (the report holds the reasons); 1 a fatal error (a file\n"
    "that cannot be opened, read or written, a bad value, one file named twice);\n"
    "2 a command line not understood; 130 an interrupt. The outputs replace\n"
    "their files only when the run ends; one run at a time works in a folder.\n";

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

// The run once names.dat is read: every output is opened (as a temporary
// file beside its own) before any existing file is touched, the folder's
// lock is taken, and the outputs are put in place at the end, a normal end or
// a stop on the problem's data.
int run_named_problem(layout::RecordWriter& console, const FileNames& names) {
  FileSet files(names);
  const RunLock lock(kProgram, console);
  if (!lock.held()) {
    console.put(lock_refusal(kProgram, lock));
    return kFatalError;
  }
  files.create_missing_outputs();
  announce_execution(console);

  const ProblemAnalysis analysis = analyse_problem_file(files.input.reader(), &console);
  stop_if_interrupted();
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
  print_strain_warnings(console, kProgram, problem_file,
                        report::strain_warning_texts(*analysis.problem, analysis.lines,
                                                     *analysis.profile, *analysis.results));
  write_outputs(files, analysis);
  files.close();
  return kNormalEnd;
}

}  // namespace

int run_settle(std::ostream& console_stream) {
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");

  const FileNames names = read_and_explain_names(console, kProgram);
  check_names_apart(names);
  // The outputs that exist now are still the files they were after a failure.
  const std::string kept = kept_outputs_note(names);
  try {
    return run_named_problem(console, names);
  } catch (layout::FatalError& error) {
    error.set_note(kept);
    throw;
  }
}

int check_problem(std::ostream& console_stream, const std::optional<std::string>& file) {
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");
  std::string name;
  if (file) {
    name = *file;
  } else {
    // A run of the same folder would end on its names.dat first: so does the check.
    const FileNames names = read_and_explain_names(console, kProgram);
    check_names_apart(names);
    name = names.names[0];
    const InputFile probe(kInputUnit, name);
    check_output_name(kReportUnit, names.names[1]);
    check_output_name(kAuxiliaryUnit, names.names[2]);
    check_output_name(kTraceUnit, names.names[3]);
  }
  InputFile input(kInputUnit, name);
  // The echo is for following a run; a check shows its findings alone. It
  // analyses the problem, since the results too can stop a run.
  const ProblemAnalysis analysis = analyse_problem_file(input.reader(), nullptr);
  print_input_warnings(console, kProgram, name, analysis.warnings, analysis.problem->unit_system);
  if (analysis.stop) {
    print_fault_lines(console, kProgram, name, *analysis.problem, *analysis.stop);
    print_stopped(console, kProgram, "a run would write the reasons into its report");
    return kStoppedOnData;
  }
  const std::vector<report::PointWarningText> strain_warnings = report::strain_warning_texts(
      *analysis.problem, analysis.lines, *analysis.profile, *analysis.results);
  print_strain_warnings(console, kProgram, name, strain_warnings);
  const std::size_t count = analysis.warnings.size() + strain_warnings.size();
  std::string summary(kProgram);
  summary += ": " + name + " passes its checks";
  if (count != 0)
    summary += ", with " + std::to_string(count) + (count == 1 ? " warning" : " warnings");
  console.put(summary);
  return kNormalEnd;
}

int main_entry(int argc, char** argv) {
  watch_interrupts(kProgram);
  if (argc > 1) {
    if (const auto status = answer_help_or_version(argc, argv, kUsage, kProgram)) return *status;
    const std::string_view first = argv[1];
    if (first == "--check" && argc == 3 && is_project_file(argv[2])) {
      const std::string file = argv[2];
      return with_fatal_report(kProgram, std::cerr,
                               [&] { return check_project_file(std::cerr, file); });
    }
    if (first == "--check" && argc <= 3) {
      const std::optional<std::string> file =
          argc == 3 ? std::optional<std::string>(argv[2]) : std::nullopt;
      return with_fatal_report(kProgram, std::cerr, [&] { return check_problem(std::cerr, file); });
    }
    if (first == "convert") {
      if (argc != 4) return refuse_command_line(kProgram, "convert takes IN and OUT", kUsage);
      const std::string in = argv[2], out = argv[3];
      return with_fatal_report(kProgram, std::cerr, [&] { return convert(std::cerr, in, out); });
    }
    if (first == "import-ags") {
      if (argc != 4)
        return refuse_command_line(kProgram, "import-ags takes FILE.ags and PROJECT.toml", kUsage);
      const std::string ags = argv[2], project = argv[3];
      return with_fatal_report(kProgram, std::cerr,
                               [&] { return import_ags(std::cerr, ags, project); });
    }
    if (first == "study") {
      if (argc != 3 || !is_project_file(argv[2]))
        return refuse_command_line(kProgram, "study takes one project file (.toml or .json)",
                                   kUsage);
      const std::string file = argv[2];
      return with_fatal_report(kProgram, std::cerr, [&] { return run_study(std::cerr, file); });
    }
    if (argc == 2 && is_project_file(first)) {
      const std::string file(first);
      return with_fatal_report(kProgram, std::cerr, [&] { return run_project(std::cerr, file); });
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
