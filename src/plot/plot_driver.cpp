// The settle-plot sequence: the same reading, checks and analysis steps as
// settle, with the report, auxiliary and trace records discarded.
#include "plot/plot_driver.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string_view>
#include <vector>

#include "analysis/analysis_results.h"
#include "analysis/settlement.h"
#include "analysis/soil_profile.h"
#include "analysis/stress_increase.h"
#include "layout/fatal_error.h"
#include "layout/layout.h"
#include "layout/render.h"
#include "plot/html_page.h"
#include "problem/problem_data.h"
#include "problem/problem_reader.h"
#include "report/input_tables.h"
#include "run/command_line.h"
#include "run/console_messages.h"
#include "run/file_set.h"

namespace plot {
namespace {

// The records a report writer over `text` received, without the page
// controls (form feed, "1") and the blank records at either end.
std::vector<std::string> report_records(const std::string& text) {
  std::vector<std::string> records;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line == "\f" || line == "1") continue;
    records.push_back(line);
  }
  while (!records.empty() && records.back().find_first_not_of(' ') == std::string::npos) records.pop_back();
  std::size_t first = 0;
  while (first < records.size() && records[first].find_first_not_of(' ') == std::string::npos) ++first;
  records.erase(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(first));
  return records;
}

// Settle puts these stops' explanations into its report; with no report the
// user finds them on the console, after the input echo.
void show_on_console(layout::RecordWriter& console, const std::vector<std::string>& records) {
  for (const std::string& record : records) console.put(record);
}

// The last block of non-blank records: the error block that ends Table 3.
std::vector<std::string> last_block(std::vector<std::string> records) {
  std::size_t start = records.size();
  while (start > 0 && records[start - 1].find_first_not_of(' ') != std::string::npos) --start;
  return {records.begin() + static_cast<std::ptrdiff_t>(start), records.end()};
}

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
  run::announce_execution(console);

  // Report, auxiliary and trace records are needed by the steps but not kept.
  std::ostringstream report_text;
  layout::RecordWriter report(report_text, "\n", run::kReportUnit, run::full_path(names.names[1]));
  std::ostringstream discarded;
  layout::RecordWriter trace(discarded, "\n", run::kTraceUnit, run::full_path(names.names[3]));

  auto problem = std::make_unique<problem::ProblemData>();
  if (problem::read_problem(input.reader(), console, report, *problem) == problem::ReadOutcome::kStopped) {
    show_on_console(console, report_records(report_text.str()));
    return 0;
  }
  input.close();

  analysis::form_sublayers(*problem);
  analysis::compute_initial_strains(*problem);
  report_text.str("");
  if (report::write_table_3(report, *problem) == report::Table3Outcome::kPressureError) {
    show_on_console(console, last_block(report_records(report_text.str())));
    return 0;
  }

  auto results = std::make_unique<analysis::AnalysisResults>();
  analysis::compute_stress_increase(*problem, *results, trace);
  analysis::average_stress_increase(*problem, *results);
  // Point by point, as the settlement step itself goes, keeping the count of
  // strain warnings that the report would show.
  WarningCounts counts;
  analysis::PointWarnings warnings;
  const int point_count = std::clamp(problem->point_count, 0, problem::kMaxPoints);
  for (int j = 1; j <= point_count; ++j) {
    analysis::compute_point_settlement(*problem, *results, j, warnings);
    for (int w = 0; w < warnings.count; ++w) {
      const bool below = warnings.warnings[static_cast<std::size_t>(w)] == analysis::StrainWarning::kBelowCurve;
      ++(below ? counts.below : counts.above)[static_cast<std::size_t>(j)];
    }
  }

  std::ostringstream page;
  write_page(page, *problem, *results, counts, names.names[0]);
  std::ofstream file(page_name, std::ios::binary | std::ios::trunc);
  file << page.str();
  file.close();
  if (!file) {
    std::cerr << "settle-plot: cannot write the page " << run::full_path(page_name) << '\n';
    return 1;
  }
  return 0;
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
      return 2;
    }
    page_name = argument;
  }
  try {
    return run_plot(std::cerr, page_name);
  } catch (const layout::FatalError& error) {
    std::cerr << error.report() << '\n';
    return 1;
  }
}

}  // namespace plot
