// settle's project commands, step by step.
#include "run/project_driver.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "analysis/point_workers.h"
#include "layout/record_writer.h"
#include "problem/archived_conversion.h"
#include "problem/problem_reader.h"
#include "problem/problem_writer.h"
#include "problem/project_conversion.h"
#include "report/project_report.h"
#include "report/results_json.h"
#include "run/console_messages.h"
#include "run/file_set.h"
#include "run/interrupt.h"
#include "run/output_commit.h"
#include "run/problem_analysis.h"
#include "run/program_exit.h"
#include "run/project_analysis.h"
#include "run/run_lock.h"
#include "study/study_threads.h"

namespace run {
namespace {

constexpr std::string_view kProgram = "settle";

void print_diagnostic(std::ostream& console, const std::string& file, const site::Diagnostic& d) {
  run::print_diagnostic(console, kProgram, file, d);
}

void print_diagnostics(std::ostream& console, const std::string& file,
                       const std::vector<site::Diagnostic>& diagnostics) {
  for (const site::Diagnostic& d : diagnostics) print_diagnostic(console, file, d);
}

int stopped(std::ostream& console, std::string_view what_is_written) {
  console << kProgram << ": the project's data stopped the run; " << what_is_written << '\n';
  return kStoppedOnData;
}

// The project of `file` analysed (or only read and checked), its
// diagnostics on the console.
ProjectAnalysis analysed_project(std::ostream& console, const std::string& file,
                                 bool analyse = true) {
  const std::optional<project::Form> form = project::form_of(file);
  ProjectText text = read_project_file(file);
  if (text.refusal) {
    ProjectAnalysis refused;
    refused.diagnostics.push_back(*text.refusal);
    print_diagnostics(console, file, refused.diagnostics);
    return refused;
  }
  ProjectAnalysis analysis = analyse_project_text(text.text, *form, analyse);
  print_diagnostics(console, file, analysis.diagnostics);
  return analysis;
}

std::string stem_of(const std::string& file) {
  const std::filesystem::path path(file);
  return (path.parent_path() / path.stem()).string();
}

// Writes `text` to `name` through a temporary file put in its place; false
// (with the message) when it cannot be written.
bool write_whole_file(std::ostream& console, const std::string& name, const std::string& text) {
  StagedOutput output(name);
  if (output.open() != 0) {
    console << kProgram << ": cannot write " << full_path(name) << '\n';
    return false;
  }
  output.stream() << text;
  if (!output.finish() || !output.commit()) {
    console << kProgram << ": cannot write " << full_path(name) << '\n';
    return false;
  }
  return true;
}

int archived_to_project(std::ostream& console, const std::string& in, const std::string& out,
                        project::Form form) {
  layout::RecordWriter writer(console, "\n", layout::kConsoleUnit, "");
  InputFile input(kInputUnit, in);
  const ProblemAnalysis read = prepare_problem(problem::read_problem(input.reader(), nullptr));
  print_input_warnings(writer, kProgram, in, read.warnings, read.problem->unit_system);
  if (read.stopped()) {
    print_fault_lines(writer, kProgram, in, *read.problem, *read.stop);
    console << kProgram << ": the problem's data stop its run, and it is not converted\n";
    return kStoppedOnData;
  }
  const problem::ProjectConversion converted = problem::to_project(*read.problem);
  for (const problem::ConversionNote& note : converted.notes)
    print_diagnostic(console, in, {site::Severity::kWarning, note.path, note.message, 0});
  return write_whole_file(console, out, project::write_project_text(converted.project, form))
             ? kNormalEnd
             : kFatalError;
}

int project_to_archived(std::ostream& console, const std::string& in, const std::string& out) {
  const ProjectAnalysis read = analysed_project(console, in, false);
  if (site::has_errors(read.diagnostics)) return stopped(console, "nothing is written");
  const problem::ArchivedConversion converted = problem::to_archived(read.project);
  for (const problem::ConversionNote& note : converted.notes)
    print_diagnostic(console, in, {site::Severity::kWarning, note.path, note.message, 0});
  if (converted.refusal) {
    print_diagnostic(console, in, *converted.refusal);
    return stopped(console, "nothing is written");
  }
  std::ostringstream text;
  if (const auto unwritable = problem::write_problem(text, *converted.problem)) {
    console << kProgram << ": error: " << in << ": " << problem::describe(*unwritable) << '\n';
    return stopped(console, "nothing is written");
  }
  return write_whole_file(console, out, text.str()) ? kNormalEnd : kFatalError;
}

int project_to_project(std::ostream& console, const std::string& in, const std::string& out,
                       project::Form form) {
  const ProjectAnalysis read = analysed_project(console, in, false);
  if (site::has_errors(read.diagnostics)) return stopped(console, "nothing is written");
  return write_whole_file(console, out, project::write_project_text(read.project, form))
             ? kNormalEnd
             : kFatalError;
}

}  // namespace

void print_diagnostic(std::ostream& console, std::string_view program, const std::string& file,
                      const site::Diagnostic& d) {
  console << program << (d.severity == site::Severity::kError ? ": error: " : ": warning: ")
          << file;
  if (d.line > 0) console << ", line " << d.line;
  console << ": ";
  if (!d.path.empty()) console << d.path << ": ";
  console << d.message << '\n';
}

bool is_project_file(std::string_view name) { return project::form_of(name).has_value(); }

std::string results_name(const std::string& project_file) {
  return stem_of(project_file) + ".results.json";
}

std::string report_name(const std::string& project_file) {
  return stem_of(project_file) + ".report.txt";
}

int run_project(std::ostream& console_stream, const std::string& file) {
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");
  // Both outputs are checked and opened before anything is read or replaced.
  StagedOutput results_file(results_name(file));
  StagedOutput report_file(report_name(file));
  for (StagedOutput* output : {&results_file, &report_file}) {
    if (const int error = output->open(); error != 0) {
      console_stream << kProgram << ": cannot write " << full_path(output->target()) << '\n';
      return kFatalError;
    }
  }
  const RunLock lock(kProgram, console);
  if (!lock.held()) {
    console.put(lock_refusal(kProgram, lock));
    return kFatalError;
  }
  const ProjectAnalysis analysis = analysed_project(console_stream, file);
  if (analysis.stopped()) return stopped(console_stream, "nothing is written");
  stop_if_interrupted();
  report::write_results_json(results_file.stream(), analysis.project, *analysis.results,
                             analysis.diagnostics);
  layout::RecordWriter report(report_file.stream(), "\n", kReportUnit, report_file.target());
  report::write_project_report(report, analysis.project, *analysis.results, analysis.diagnostics,
                               file);
  for (StagedOutput* output : {&results_file, &report_file}) {
    if (!output->finish()) {
      console_stream << kProgram << ": cannot write " << full_path(output->target()) << '\n';
      return kFatalError;
    }
  }
  finish_without_interrupts();
  for (StagedOutput* output : {&results_file, &report_file}) {
    if (!output->commit()) {
      console_stream << kProgram << ": cannot write " << full_path(output->target()) << '\n';
      return kFatalError;
    }
  }
  return kNormalEnd;
}

std::string study_name(const std::string& project_file) {
  return stem_of(project_file) + ".study.json";
}

int run_study(std::ostream& console_stream, const std::string& file, unsigned threads) {
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");
  StagedOutput study_file(study_name(file));
  if (study_file.open() != 0) {
    console_stream << kProgram << ": cannot write " << full_path(study_file.target()) << '\n';
    return kFatalError;
  }
  const RunLock lock(kProgram, console);
  if (!lock.held()) {
    console.put(lock_refusal(kProgram, lock));
    return kFatalError;
  }
  // The project as given is analysed first: a study of a project that does
  // not run would stop on its first sample.
  const ProjectAnalysis analysis = analysed_project(console_stream, file);
  if (analysis.stopped()) return stopped(console_stream, "nothing is written");
  const study::PreparedStudy prepared = study::prepare_study(analysis.project);
  if (!prepared.setup) {
    print_diagnostics(console_stream, file, prepared.diagnostics);
    return stopped(console_stream, "nothing is written");
  }
  const study::StudySetup& setup = *prepared.setup;
  console_stream << kProgram << ": study of " << setup.plan.design.samples << " samples, seed "
                 << setup.plan.design.seed << '\n';
  // SETTLE_THREADS, else one thread per core, as for the points of a run.
  if (threads == 0)
    threads = static_cast<unsigned>(analysis::worker_count(std::numeric_limits<int>::max()));
  const study::StudyCollection collection = study::run_on_threads(setup, threads);
  stop_if_interrupted();
  if (collection.fault) {
    print_diagnostic(console_stream, file, collection.fault->diagnostic);
    return stopped(console_stream, "nothing is written");
  }
  study_file.stream() << study::study_tree(setup, collection).dump(2) << '\n';
  if (!study_file.finish()) {
    console_stream << kProgram << ": cannot write " << full_path(study_file.target()) << '\n';
    return kFatalError;
  }
  finish_without_interrupts();
  if (!study_file.commit()) {
    console_stream << kProgram << ": cannot write " << full_path(study_file.target()) << '\n';
    return kFatalError;
  }
  return kNormalEnd;
}

int check_project_file(std::ostream& console, const std::string& file) {
  const ProjectAnalysis analysis = analysed_project(console, file);
  if (analysis.stopped()) return stopped(console, "a run would write nothing");
  std::size_t warnings = 0;
  for (const site::Diagnostic& d : analysis.diagnostics)
    if (d.severity == site::Severity::kWarning) ++warnings;
  console << kProgram << ": " << file << " passes its checks";
  if (warnings > 0) console << ", with " << warnings << (warnings == 1 ? " warning" : " warnings");
  console << '\n';
  return kNormalEnd;
}

int convert(std::ostream& console, const std::string& in, const std::string& out) {
  const std::optional<project::Form> from = project::form_of(in);
  const std::optional<project::Form> to = project::form_of(out);
  if (!from && to) return archived_to_project(console, in, out, *to);
  if (from && !to) return project_to_archived(console, in, out);
  if (from && to) return project_to_project(console, in, out, *to);
  console << kProgram << ": convert takes a project file (.toml or .json) on one side at least\n";
  return kWrongCommandLine;
}

}  // namespace run
