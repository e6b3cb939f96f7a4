// The settle-plot sequence: the same reading, checks and analysis as settle,
// with the page written instead of the report files.
#include "plot/plot_driver.h"

#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>
#include <vector>

#include "layout/fatal_error.h"
#include "layout/record_writer.h"
#include "plot/html_page.h"
#include "report/message_texts.h"
#include "report/stop_report.h"
#include "run/command_line.h"
#include "run/console_messages.h"
#include "run/file_set.h"
#include "run/problem_analysis.h"
#include "run/program_exit.h"

namespace plot {
namespace {

constexpr std::string_view kProgram = "settle-plot";

constexpr std::string_view kUsage =
    "usage: settle-plot [FILE.html | --help | --version]\n"
    "\n"
    "Draws the result of a settle problem as one HTML page: a plan view of the\n"
    "loaded areas and settlement points to scale, coloured and shaded by total\n"
    "settlement, a depth profile for each of the first 12 points, and a table of\n"
    "the points. The page needs no network and no JavaScript; open it in any\n"
    "web browser.\n"
    "\n"
    "Run it in the folder of a problem, like settle: it reads the problem file\n"
    "named on the first line of names.dat, checks it and analyses it exactly as\n"
    "settle does (same console echo, same messages, same exit status), and shows\n"
    "the same numbers as Tables 6 and 7 of settle's report. It writes only the\n"
    "page: settlement.html, or FILE.html when a name is given (it must end in\n"
    ".html or .htm). It never writes the report, auxiliary data or trace file,\n"
    "nor over any file names.dat names. When settle would stop on the problem's\n"
    "data, the reasons settle writes into its report are shown on the console\n"
    "instead and no page is written.\n"
    "\n"
    "Exit status, as settle's for the same problem: 0 a page (warnings\n"
    "included); 3 the problem's data stopped the run; 1 a fatal error (a file\n"
    "that cannot be read or written, a bad value); 2 a command line not\n"
    "understood.\n";

// A page is an HTML file: its name says so, whatever its case.
bool is_page_name(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto ends_with = [&lower](std::string_view tail) {
    return lower.size() > tail.size() &&
           lower.compare(lower.size() - tail.size(), tail.size(), tail) == 0;
  };
  return ends_with(".html") || ends_with(".htm");
}

// The page must not replace a file names.dat names, nor names.dat itself.
void check_page_name(const std::string& page_name, const run::FileNames& names) {
  for (int line = 0; line <= 4; ++line) {
    const std::string other =
        line == 0 ? std::string("names.dat") : names.names[static_cast<std::size_t>(line - 1)];
    if (other.empty() || !run::same_file(page_name, other)) continue;
    throw layout::FatalError::name_clash(line == 0 ? std::string("the page would replace names.dat")
                                                   : "the page would replace the file of line " +
                                                         std::to_string(line) + " of names.dat",
                                         run::full_path(page_name));
  }
}

// The page lists the warnings the console shows.
std::vector<PageWarning> page_warnings(const run::ProblemAnalysis& analysis,
                                       const std::vector<report::PointWarningText>& points) {
  std::vector<PageWarning> warnings;
  for (const problem::InputWarning& warning : analysis.warnings) {
    warnings.push_back(
        {warning.line, report::input_warning_text(warning, analysis.problem->unit_system)});
  }
  for (const report::PointWarningText& warning : points) {
    warnings.push_back({warning.line, warning.text});
  }
  return warnings;
}

}  // namespace

int run_plot(std::ostream& console_stream, const std::string& page_name) {
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");

  const run::FileNames names = run::read_file_names();
  if (!names.complete) {
    run::explain_names(console, kProgram, names);
    run::announce_data_errors(console);
  }
  run::check_names_apart(names);
  check_page_name(page_name, names);
  run::InputFile input(run::kInputUnit, names.names[0]);
  // The page replaces settle's three output files, but a name settle could not
  // open ends this run too, with the same message.
  run::check_output_name(run::kReportUnit, names.names[1]);
  run::check_output_name(run::kAuxiliaryUnit, names.names[2]);
  run::check_output_name(run::kTraceUnit, names.names[3]);
  run::announce_execution(console);

  const run::ProblemAnalysis analysis = run::analyse_problem_file(input.reader(), console);
  input.close();
  const std::string& problem_file = names.names[0];
  const problem::ProblemData& problem = *analysis.problem;
  run::print_input_warnings(console, kProgram, problem_file, analysis.warnings,
                            problem.unit_system);
  if (analysis.stopped()) {
    // settle puts these reasons into its report; with no report the user
    // finds them on the console, after the echo.
    report::write_stop_explanation(console, *analysis.stop);
    run::print_stopped(console, kProgram, "the reasons are above, and no page is written");
    return run::kStoppedOnData;
  }
  const std::vector<report::PointWarningText> strain_warnings =
      report::strain_warning_texts(problem, analysis.lines, *analysis.results);
  run::print_strain_warnings(console, kProgram, problem_file, strain_warnings);

  std::ostringstream page;
  write_page(page, problem, *analysis.results, problem_file,
             page_warnings(analysis, strain_warnings));
  std::ofstream file(page_name, std::ios::binary | std::ios::trunc);
  file << page.str();
  file.close();
  if (!file) {
    console_stream << kProgram << ": cannot write the page " << run::full_path(page_name) << '\n';
    return run::kFatalError;
  }
  return run::kNormalEnd;
}

int main_entry(int argc, char** argv) {
  std::string page_name = kDefaultPageName;
  if (argc > 1) {
    if (const auto status = run::answer_help_or_version(argc, argv, kUsage, kProgram)) {
      return *status;
    }
    const std::string argument = argv[1];
    if (argc > 2) {
      return run::refuse_command_line(
          kProgram, "one page name at most, not '" + std::string(argv[2]) + "'", kUsage);
    }
    if (argument.empty() || argument.front() == '-') {
      return run::refuse_command_line(kProgram, "unknown argument '" + argument + "'", kUsage);
    }
    if (!is_page_name(argument)) {
      return run::refuse_command_line(
          kProgram, "the page name '" + argument + "' does not end in .html or .htm", kUsage);
    }
    page_name = argument;
  }
  return run::with_fatal_report(kProgram, std::cerr,
                                [&] { return run_plot(std::cerr, page_name); });
}

}  // namespace plot
