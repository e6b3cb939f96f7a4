// The settle-plot sequence: the same reading, checks and analysis as settle,
// with the page written instead of the report files.
#include "plot/plot_driver.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>

#include "layout/record_writer.h"
#include "plot/html_page.h"
#include "report/stop_report.h"
#include "run/command_line.h"
#include "run/console_messages.h"
#include "run/file_set.h"
#include "run/problem_analysis.h"
#include "run/program_exit.h"

namespace plot {
namespace {

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
    "page: settlement.html, or FILE.html when a name is given. It never writes\n"
    "the report, auxiliary data or trace file. When settle would stop with a\n"
    "data error, the explanation settle writes into its report is shown on the\n"
    "console instead and no page is written.\n"
    "Exit status: 0 after a page or a reported data error, 1 after a fatal\n"
    "error (a file that cannot be read or written, a bad value).\n";

}  // namespace

int run_plot(std::ostream& console_stream, const std::string& page_name) {
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");

  const run::FileNames names = run::read_file_names();
  if (!names.complete) run::announce_data_errors(console);
  run::InputFile input(run::kInputUnit, names.names[0]);
  // The page replaces settle's three output files, but a name settle could not
  // open ends this run too, with the same message.
  run::check_output_name(run::kReportUnit, names.names[1]);
  run::check_output_name(run::kAuxiliaryUnit, names.names[2]);
  run::check_output_name(run::kTraceUnit, names.names[3]);
  run::announce_execution(console);

  const run::ProblemAnalysis analysis = run::analyse_problem_file(input.reader(), console);
  input.close();
  if (analysis.stopped()) {
    // settle puts these reasons into its report; with no report the user
    // finds them on the console, after the echo.
    report::write_stop_explanation(console, *analysis.stop);
    return run::kStoppedOnData;
  }

  std::ostringstream page;
  write_page(page, *analysis.problem, *analysis.results, names.names[0]);
  std::ofstream file(page_name, std::ios::binary | std::ios::trunc);
  file << page.str();
  file.close();
  if (!file) {
    console_stream << "settle-plot: cannot write the page " << run::full_path(page_name) << '\n';
    return run::kFatalError;
  }
  return run::kNormalEnd;
}

int main_entry(int argc, char** argv) {
  std::string page_name = kDefaultPageName;
  if (argc > 1) {
    if (const auto status = run::answer_help_or_version(argc, argv, kUsage, "settle-plot")) {
      return *status;
    }
    const std::string_view argument = argv[1];
    if (argc > 2 || argument.empty() || argument.front() == '-') {
      std::cerr << kUsage;
      return run::kWrongCommandLine;
    }
    page_name = argument;
  }
  return run::with_fatal_report(std::cerr, [&] { return run_plot(std::cerr, page_name); });
}

}  // namespace plot
