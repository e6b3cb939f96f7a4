// The settle-plot sequence: the same reading, checks and analysis as settle,
// with the page written instead of the report files.
#include "plot/plot_driver.h"

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "analysis/result_checks.h"
#include "analysis/settlement_grid.h"
#include "layout/fatal_error.h"
#include "layout/record_writer.h"
#include "plot/grid_csv.h"
#include "plot/html_page.h"
#include "plot/map_extent.h"
#include "plot/option_checks.h"
#include "plot/project_plot.h"
#include "plot/section.h"
#include "plot/settlement_map.h"
#include "plot/sha256.h"
#include "plot/stress_map.h"
#include "report/message_texts.h"
#include "report/stop_report.h"
#include "run/command_line.h"
#include "run/console_messages.h"
#include "run/file_set.h"
#include "run/interrupt.h"
#include "run/output_commit.h"
#include "run/problem_analysis.h"
#include "run/program_exit.h"
#include "run/run_lock.h"

namespace plot {
namespace {

constexpr std::string_view kProgram = "settle-plot";

constexpr std::string_view kUsage =
    "usage: settle-plot [OPTIONS] [FILE.html]\n"
    "       settle-plot [OPTIONS] PROJECT.toml|PROJECT.json [FILE.html]\n"
    "       settle-plot --help | --version\n"
    "\n"
    "Draws the result of a settle problem as one HTML page: the settlement map of\n"
    "the plan computed on a grid, with contours, the loaded areas and the\n"
    "settlement points to scale; the differential settlement and angular\n"
    "distortion between neighbouring points; a section; a depth profile for each\n"
    "of the first 12 points, and tables. The page needs no network and no\n"
    "JavaScript; open it in any web browser, or print it.\n"
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
    "Given a project file (.toml or .json), it reads, checks and analyses the\n"
    "project by its method as settle does, and draws it the same way: every load\n"
    "from its plan outline, the ground and its water under the section, and the\n"
    "effective stresses with depth under a point. Its page is PROJECT.html beside\n"
    "it unless FILE.html is given.\n"
    "\n"
    "Options:\n"
    "  --grid-spacing S       spacing of the settlement map's grid, in the problem's\n"
    "                         length unit (default: about 80 cells along the map)\n"
    "  --extent X1,Y1,X2,Y2   the part of the plan the map covers (default: the\n"
    "                         areas and points with a margin, grown until the\n"
    "                         contours nearest zero close inside it)\n"
    "  --start-layer K        the start layer of every grid node (default: the\n"
    "                         smallest start layer among the points)\n"
    "  --interval D           contour lines every D (settlement unit)\n"
    "  --levels A,B,...       contour lines at these levels, increasing\n"
    "  --stress-depth Z       also a map of the stress increase at depth Z\n"
    "  --structures \"NAME=POINTS;...\"\n"
    "                         the structures whose points are compared for\n"
    "                         distortion, by point numbers and ranges, as\n"
    "                         \"Tank A=1-4,7;Tank B=5,6\" (default: one structure)\n"
    "  --distortion-limit R   angular distortion flagged beyond R, between 0 and 1,\n"
    "                         as 1/500 or 0.002 (default 1/500)\n"
    "  --section X1,Y1,X2,Y2  the settlement along this line (default: through\n"
    "                         the point of largest settlement, along x)\n"
    "  --no-area-labels       leave the areas' labels off the plan\n"
    "  --profile-point NAME   a project's point whose stresses are drawn with depth\n"
    "                         (default: the first point)\n"
    "  --study-grid-samples N the samples of a project's study used for the map\n"
    "                         of the chance of exceeding its limit (default 100)\n"
    "  --time T               a project's settlement map at time T (its time unit)\n"
    "  --time-point NAME      a project's point whose isochrones are drawn\n"
    "                         (default: the first point)\n"
    "  --grid-csv FILE.csv    also write the grid: x,y,settlement, one node a line\n"
    "  --plan-svg FILE.svg    also write the plan alone as an SVG file\n"
    "\n"
    "Exit status, as settle's for the same problem: 0 a page (warnings\n"
    "included); 3 the problem's data stopped the run; 1 a fatal error (a file\n"
    "that cannot be read or written, a bad value); 2 a command line not\n"
    "understood, or an option that means nothing for the problem;\n"
    "130 an interrupt.\n";

// The files this run writes, each with the words a message calls it by.
std::vector<std::pair<std::string, std::string>> written_files(const PlotOptions& options) {
  std::vector<std::pair<std::string, std::string>> files = {{options.page, "the page"}};
  if (options.grid_csv) files.emplace_back(*options.grid_csv, "the grid's CSV file");
  if (options.plan_svg) files.emplace_back(*options.plan_svg, "the plan's SVG file");
  return files;
}

// No file written may replace a file names.dat names, names.dat itself, or
// another file of this run.
void check_written_names(const PlotOptions& options, const run::FileNames& names) {
  const auto files = written_files(options);
  for (std::size_t k = 0; k < files.size(); ++k) {
    const auto& [name, what] = files[k];
    for (int line = 0; line <= 4; ++line) {
      const std::string other =
          line == 0 ? std::string("names.dat") : names.names[static_cast<std::size_t>(line - 1)];
      if (other.empty() || !run::same_file(name, other)) continue;
      throw layout::FatalError::name_clash(line == 0 ? what + " would replace names.dat"
                                                     : what + " would replace the file of line " +
                                                           std::to_string(line) + " of names.dat",
                                           run::full_path(name));
    }
    for (std::size_t earlier = 0; earlier < k; ++earlier) {
      if (!run::same_file(name, files[earlier].first)) continue;
      throw layout::FatalError::name_clash(what + " and " + files[earlier].second + " are one file",
                                           run::full_path(name));
    }
  }
}

// The files this run writes, staged beside their names from the start and
// put in place together at the end: a run that fails leaves them as they were.
struct PlotOutputs {
  explicit PlotOutputs(const PlotOptions& options)
      : page(options.page),
        csv(options.grid_csv.value_or(std::string())),
        svg(options.plan_svg.value_or(std::string())) {}
  run::StagedOutput page;
  run::StagedOutput csv;
  run::StagedOutput svg;

  // The staged files of `options`, in the order written.
  std::vector<std::pair<run::StagedOutput*, std::string>> named(const PlotOptions& options) {
    std::vector<std::pair<run::StagedOutput*, std::string>> files = {{&page, "the page"}};
    if (options.grid_csv) files.emplace_back(&csv, "the grid");
    if (options.plan_svg) files.emplace_back(&svg, "the plan");
    return files;
  }
};

// "settle-plot: cannot write the page F" and the like, when `ok` is false.
bool written(std::ostream& console, bool ok, const std::string& what, const std::string& name) {
  if (!ok) console << kProgram << ": cannot write " << what << " " << run::full_path(name) << '\n';
  return ok;
}

// After two seconds, the rows of the grid done so far, every two seconds.
class GridProgress {
 public:
  explicit GridProgress(layout::RecordWriter& console) : console_(&console) {}
  void operator()(int done, int rows) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    run::stop_if_interrupted();
    if (seconds < next_ || done == rows) return;
    next_ = seconds + 2.0;
    console_->put(std::string(kProgram) + ": settlement map: " + std::to_string(done) + " of " +
                  std::to_string(rows) + " rows of nodes after " +
                  std::to_string(static_cast<int>(seconds)) + " s");
  }

 private:
  layout::RecordWriter* console_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  double next_ = 2.0;
};

// The date of the run, yyyy-mm-dd: the local date, or, when
// SOURCE_DATE_EPOCH holds a count of seconds, the UTC date of that time, so
// that a page can be made again to the byte.
std::string run_date() {
  std::time_t when = std::time(nullptr);
  bool reproducible = false;
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    long long seconds = 0;
    const char* end = epoch + std::strlen(epoch);
    const auto [ptr, error] = std::from_chars(epoch, end, seconds);
    if (error == std::errc() && ptr == end && *epoch != '\0') {
      when = static_cast<std::time_t>(seconds);
      reproducible = true;
    }
  }
  const std::tm* calendar = reproducible ? std::gmtime(&when) : std::localtime(&when);
  char text[32] = "unknown";
  if (calendar) std::strftime(text, sizeof text, "%Y-%m-%d", calendar);
  return text;
}

// The SHA-256 of the problem file's bytes, read again whole.
std::string file_digest(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (!file) return "(the file could not be read again)";
  return sha256_hex(bytes.str());
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

int run_plot(std::ostream& console_stream, const PlotOptions& options) {
  if (options.project) return run_project_plot(console_stream, options, run_date());
  layout::RecordWriter console(console_stream, "\n", layout::kConsoleUnit, "");

  const run::FileNames names = run::read_and_explain_names(console, kProgram);
  run::check_names_apart(names);
  check_written_names(options, names);
  run::InputFile input(run::kInputUnit, names.names[0]);
  // The page replaces settle's three output files, but a name settle could not
  // open ends this run too, with the same message.
  run::check_output_name(run::kReportUnit, names.names[1]);
  run::check_output_name(run::kAuxiliaryUnit, names.names[2]);
  run::check_output_name(run::kTraceUnit, names.names[3]);
  PlotOutputs outputs(options);
  for (const auto& [output, what] : outputs.named(options)) {
    if (!written(console_stream, output->open() == 0, what, output->target())) {
      return run::kFatalError;
    }
  }
  const run::RunLock lock(kProgram, console);
  if (!lock.held()) {
    console.put(run::lock_refusal(kProgram, lock));
    return run::kFatalError;
  }
  run::announce_execution(console);

  const run::ProblemAnalysis analysis = run::analyse_problem_file(input.reader(), &console);
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
      report::strain_warning_texts(problem, analysis.lines, *analysis.profile, *analysis.results);
  run::print_strain_warnings(console, kProgram, problem_file, strain_warnings);

  // Options that mean nothing for this problem end the run before the map.
  const auto refuse = [&](const std::string& complaint) {
    console_stream << kProgram << ": " << complaint << '\n';
    return run::kWrongCommandLine;
  };
  const site::Project& project = analysis.project;
  const analysis::ClassicProfile& profile = *analysis.profile;
  if (const auto complaint = check_problem_options(options, problem, profile))
    return refuse(*complaint);
  const analysis::PlanExtent first_box = first_map_box(project, options.extent);
  const double first_spacing = options.grid_spacing.value_or(default_grid_spacing(first_box));
  if (const auto complaint = check_map_options(options, first_box, first_spacing))
    return refuse(*complaint);
  // Counted in double: a spacing fine enough passes the int range.
  const double first_nodes =
      (first_box.width() / first_spacing + 2.0) * (first_box.height() / first_spacing + 2.0);
  if (options.grid_spacing && !(first_nodes <= analysis::kMaxGridNodes)) {
    console_stream << kProgram << ": a grid spacing of " << *options.grid_spacing
                   << " gives more than a million nodes over this plan; give a larger "
                      "--grid-spacing\n";
    return run::kWrongCommandLine;
  }

  PageInput page_input;
  page_input.profile = &profile;
  page_input.title = {problem_file, file_digest(problem_file), run_date()};
  page_input.warnings = page_warnings(analysis, strain_warnings);
  page_input.distortion_limit = options.distortion_limit;
  page_input.distortion_limit_text = options.distortion_limit_text;
  page_input.structures = options.structures;
  // The settlement map: every node analysed as a point is, over a box grown
  // until the basin's outer contours close in it.
  MapInput& map = page_input.map;
  map.extent = analysis::plan_extent(project);
  map.start_layer = options.start_layer.value_or(analysis::default_start_layer(project));
  map.start_layer_chosen = options.start_layer.has_value();
  map.contour_interval = options.contour_interval;
  map.contour_levels = options.contour_levels;
  map.area_labels = options.area_labels;
  std::vector<double> point_totals;
  for (int j = 1; j <= problem.point_count; ++j)
    point_totals.push_back(static_cast<double>(analysis.results->total_settlement[j]));
  const LevelRule levels = [&](double smallest, double largest) {
    return contour_levels(map_scale(map, smallest, largest));
  };
  MapCover cover = cover_map(project, profile, options.extent, options.grid_spacing,
                             map.start_layer, point_totals, levels, GridProgress(console));
  map.grid = cover.grid;
  map.totals = std::move(cover.totals);
  map.extent_chosen = cover.chosen;
  map.growths = cover.growths;
  map.closed = cover.closed;
  page_input.map_warnings = map_warnings(problem, map);
  for (const MapWarning& warning : page_input.map_warnings)
    console_stream << kProgram << ": warning: " << warning.text << '\n';
  if (const auto fault = analysis::find_grid_fault(map.grid, map.totals)) {
    report::write_stop_explanation(console, *fault);
    run::print_stopped(console, kProgram, "the reasons are above, and no page is written");
    return run::kStoppedOnData;
  }
  const SectionLine line = options.section.value_or(
      default_section_line(problem, *analysis.results, map.grid, map.totals));
  page_input.section =
      compute_section(problem, project, *analysis.profile, line, options.section.has_value(),
                      section_spacing(line, map.grid.spacing), map.start_layer);
  if (options.stress_depth)
    page_input.stress_map = stress_on_grid(profile, map.grid, *options.stress_depth);

  // The contours, bands and distortion, for the page and the plan's SVG file.
  const SettlementMap settlement_map = make_settlement_map(problem, *analysis.results, page_input);
  if (const auto complaint = check_level_count(options, settlement_map.levels.size()))
    return refuse(*complaint);
  std::optional<SettlementMap> stress_map;
  if (page_input.stress_map) stress_map = make_stress_map(problem, *analysis.results, page_input);
  write_page(outputs.page.stream(), problem, *analysis.results, page_input, settlement_map,
             stress_map ? &*stress_map : nullptr);
  if (options.grid_csv) write_grid_csv(outputs.csv.stream(), map.grid, map.totals);
  if (options.plan_svg)
    write_plan_file(outputs.svg.stream(), problem, *analysis.results, settlement_map);
  for (const auto& [output, what] : outputs.named(options)) {
    if (!written(console_stream, output->finish(), what, output->target())) return run::kFatalError;
  }
  run::finish_without_interrupts();
  for (const auto& [output, what] : outputs.named(options)) {
    if (!written(console_stream, output->commit(), what, output->target())) return run::kFatalError;
  }
  return run::kNormalEnd;
}

int main_entry(int argc, char** argv) {
  run::watch_interrupts(kProgram);
  const PlotCommand command = parse_plot_command(argc, argv);
  if (std::holds_alternative<HelpRequest>(command) ||
      std::holds_alternative<VersionRequest>(command)) {
    return *run::answer_help_or_version(argc, argv, kUsage, kProgram);
  }
  if (const auto* complaint = std::get_if<CommandLineComplaint>(&command)) {
    return run::refuse_command_line(kProgram, complaint->text, kUsage);
  }
  const PlotOptions& options = std::get<PlotOptions>(command);
  return run::with_fatal_report(kProgram, std::cerr, [&] { return run_plot(std::cerr, options); });
}

}  // namespace plot
