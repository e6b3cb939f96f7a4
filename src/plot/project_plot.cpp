// The settle-plot sequence of a site project: read and analyse it, grid it
// by its method, work out the section and the points, write the page.
#include "plot/project_plot.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/settlement_grid.h"
#include "analysis/time_grid.h"
#include "layout/fatal_error.h"
#include "plot/colour_scale.h"
#include "plot/distortion.h"
#include "plot/grid_csv.h"
#include "plot/load_drawing.h"
#include "plot/map_extent.h"
#include "plot/option_checks.h"
#include "plot/project_page.h"
#include "plot/sha256.h"
#include "plot/study_page_figures.h"
#include "project/project_file.h"
#include "run/file_set.h"
#include "run/interrupt.h"
#include "run/output_commit.h"
#include "run/program_exit.h"
#include "run/project_analysis.h"
#include "run/project_driver.h"

namespace plot {
namespace {

constexpr std::string_view kProgram = "settle-plot";

// The analysed project's profile: its method's settlement at any places.
struct ProjectMethod {
  const site::Project* project = nullptr;
  const analysis::ClassicProfile* classic = nullptr;  // else exact
  const analysis::ExactProfile* exact = nullptr;

  std::vector<float> on_grid(const analysis::PlanGrid& grid, std::int32_t start_layer,
                             const std::function<void(int, int)>& progress) const {
    if (classic)
      return analysis::settlement_on_grid(*project, *classic, grid, start_layer, progress);
    return analysis::settlement_on_grid(*exact, grid, start_layer, progress);
  }
  void at_places(std::span<const float> x, std::span<const float> y, std::int32_t start_layer,
                 std::span<float> total) const {
    if (classic) {
      analysis::settlement_at_places(*project, *classic, x, y, start_layer, total);
    } else {
      analysis::settlement_at_places(*exact, x, y, start_layer, total);
    }
  }
};

// After two seconds, the rows of the grid done so far, every two seconds.
struct RowsProgress {
  std::ostream* console;
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  double next = 2.0;
  void operator()(int done, int rows) {
    run::stop_if_interrupted();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (seconds < next || done == rows) return;
    next = seconds + 2.0;
    *console << kProgram << ": settlement map: " << done << " of " << rows
             << " rows of nodes after " << static_cast<int>(seconds) << " s\n";
  }
};

std::string digest_of(const std::string& text) { return sha256_hex(text); }

// Without --section: along x through the point of largest settlement, across
// the grid; with no points, through the node of largest settlement.
SectionLine default_line(const site::Project& project, const analysis::SiteResults& results,
                         const analysis::PlanGrid& grid, const std::vector<float>& totals) {
  const double x1 = grid.x0, x2 = grid.x0 + grid.spacing * (grid.columns - 1);
  double y = grid.y0;
  if (!results.points.empty()) {
    std::size_t most = 0;
    for (std::size_t j = 1; j < results.points.size(); ++j)
      if (results.points[j].settlement > results.points[most].settlement) most = j;
    y = static_cast<double>(static_cast<float>(project.points[most].y));
  } else if (!totals.empty()) {
    const auto most =
        static_cast<std::size_t>(std::max_element(totals.begin(), totals.end()) - totals.begin());
    y = grid.y(static_cast<int>(most / static_cast<std::size_t>(grid.columns)));
  }
  return {x1, y, x2, y};
}

Section project_section(const site::Project& project, const ProjectMethod& method,
                        const SectionLine& line, bool chosen, double grid_spacing,
                        std::int32_t start_layer) {
  Section section;
  section.line = line;
  section.chosen = chosen;
  const double length = section.length();
  const std::vector<double> stations =
      section_stations(length, section_spacing(line, grid_spacing));
  std::vector<float> x, y, total(stations.size());
  for (const double d : stations) {
    const double f = length > 0.0 ? d / length : 0.0;
    x.push_back(static_cast<float>(line.x1 + (line.x2 - line.x1) * f));
    y.push_back(static_cast<float>(line.y1 + (line.y2 - line.y1) * f));
  }
  method.at_places(x, y, start_layer, total);
  for (std::size_t k = 0; k < stations.size(); ++k) {
    section.samples.push_back(
        {stations[k], {static_cast<double>(x[k]), static_cast<double>(y[k])}, total[k]});
  }
  // A box round the line, so that a strip's band reaches across it.
  const PlanBox around{
      std::min(line.x1, line.x2) - length - 1.0, std::max(line.x1, line.x2) + length + 1.0,
      std::min(line.y1, line.y2) - length - 1.0, std::max(line.y1, line.y2) + length + 1.0};
  for (std::size_t k = 0; k < project.loads.size(); ++k) {
    const std::vector<PlanPoint> ring = drawn_ring(project.loads[k], around);
    for (const Stretch& stretch : stretches_inside(ring, {line.x1, line.y1}, {line.x2, line.y2})) {
      section.crossings.push_back(
          {static_cast<int>(k + 1), stretch.from * length, stretch.to * length});
    }
  }
  return section;
}

// The points as the distortion compares them: within their structure keys,
// or all as one structure when none has one.
std::vector<PagePoint> project_points(const site::Project& project,
                                      const analysis::SiteResults& results) {
  const bool any_structure = std::any_of(project.points.begin(), project.points.end(),
                                         [](const site::Point& p) { return p.structure; });
  std::vector<PagePoint> points;
  for (std::size_t j = 0; j < project.points.size(); ++j) {
    const site::Point& point = project.points[j];
    PagePoint page;
    page.position = static_cast<int>(j + 1);
    page.number = static_cast<std::int32_t>(j + 1);
    page.at = {static_cast<double>(static_cast<float>(point.x)),
               static_cast<double>(static_cast<float>(point.y))};
    page.settlement = results.points[j].settlement;
    page.start_layer = std::max(point.start_layer, 1);
    page.structure = point.structure.value_or(any_structure ? "" : "site");
    points.push_back(page);
  }
  return points;
}

int stopped(std::ostream& console) {
  console << kProgram << ": the project's data stopped the run; no page is written\n";
  return run::kStoppedOnData;
}

// An option that means nothing for the project, or nullopt.
std::optional<std::string> check_project_options(const PlotOptions& options,
                                                 const site::Project& project) {
  if (!options.structures.empty())
    return "--structures is for archived problems; a project's points name their structure";
  if (options.stress_depth) return "--stress-depth is for archived problems";
  if (options.start_layer &&
      (*options.start_layer < 0 ||
       static_cast<std::size_t>(*options.start_layer) > project.layers.size())) {
    return "--start-layer " + std::to_string(*options.start_layer) +
           ": the project has layers 1 to " + std::to_string(project.layers.size());
  }
  if (options.study_grid_samples && !project.study)
    return "--study-grid-samples is for a project with a [study] table";
  if (options.profile_point) {
    const bool found =
        std::any_of(project.points.begin(), project.points.end(),
                    [&](const site::Point& p) { return p.name == options.profile_point; });
    if (!found)
      return "--profile-point " + *options.profile_point +
             ": the project has no point of that name";
  }
  if (options.time && !project.consolidation)
    return "--time: the project has no [consolidation] table, so no settlement in time";
  if (options.time_point) {
    if (!project.consolidation)
      return "--time-point: the project has no [consolidation] table, so no settlement in time";
    const bool found =
        std::any_of(project.points.begin(), project.points.end(),
                    [&](const site::Point& p) { return p.name == options.time_point; });
    if (!found)
      return "--time-point " + *options.time_point + ": the project has no point of that name";
  }
  return std::nullopt;
}

}  // namespace

int run_project_plot(std::ostream& console, const PlotOptions& options, const std::string& date) {
  const std::string& file = *options.project;
  for (const std::optional<std::string>& output :
       {std::optional<std::string>(options.page), options.grid_csv, options.plan_svg}) {
    if (output && run::same_file(*output, file)) {
      throw layout::FatalError::name_clash("an output would replace the project file",
                                           run::full_path(file));
    }
  }
  // Read, checked and analysed as settle does it, every diagnostic shown.
  const run::ProjectText text = run::read_project_file(file);
  if (text.refusal) {
    run::print_diagnostic(console, kProgram, file, *text.refusal);
    return stopped(console);
  }
  const run::ProjectAnalysis analysis =
      run::analyse_project_text(text.text, *project::form_of(file));
  std::vector<std::string> warnings;
  for (const site::Diagnostic& d : analysis.diagnostics) {
    run::print_diagnostic(console, kProgram, file, d);
    if (d.severity == site::Severity::kWarning)
      warnings.push_back((d.path.empty() ? "" : d.path + ": ") + d.message);
  }
  if (site::has_errors(analysis.diagnostics) || analysis.stopped()) return stopped(console);
  const site::Project& project = analysis.project;
  const analysis::SiteResults& results = *analysis.results;

  const auto refuse = [&](const std::string& complaint) {
    console << kProgram << ": " << complaint << '\n';
    return run::kWrongCommandLine;
  };
  if (const auto complaint = check_project_options(options, project)) return refuse(*complaint);
  const analysis::PlanExtent first_box = first_map_box(project, options.extent);
  const double first_spacing = options.grid_spacing.value_or(default_grid_spacing(first_box));
  if (const auto complaint = check_map_options(options, first_box, first_spacing))
    return refuse(*complaint);
  const double first_nodes =
      (first_box.width() / first_spacing + 2.0) * (first_box.height() / first_spacing + 2.0);
  if (options.grid_spacing && !(first_nodes <= analysis::kMaxGridNodes)) {
    return refuse("a grid spacing of " + std::to_string(*options.grid_spacing) +
                  " gives more than a million nodes over this plan; give a larger --grid-spacing");
  }

  run::StagedOutput page(options.page), csv(options.grid_csv.value_or("")),
      svg(options.plan_svg.value_or(""));
  std::vector<std::pair<run::StagedOutput*, std::string>> outputs = {{&page, "the page"}};
  if (options.grid_csv) outputs.emplace_back(&csv, "the grid");
  if (options.plan_svg) outputs.emplace_back(&svg, "the plan");
  const auto written = [&](bool ok, const std::string& what, const std::string& name) {
    if (!ok)
      console << kProgram << ": cannot write " << what << " " << run::full_path(name) << '\n';
    return ok;
  };
  for (const auto& [output, what] : outputs)
    if (!written(output->open() == 0, what, output->target())) return run::kFatalError;

  const ProjectMethod method{&project, analysis.classic ? &*analysis.classic : nullptr,
                             analysis.exact ? &*analysis.exact : nullptr};
  ProjectPageInput input;
  input.project = &project;
  input.results = &results;
  input.title = {file, digest_of(text.text), date};
  input.warnings = warnings;
  input.distortion_limit = options.distortion_limit;
  input.distortion_limit_text = options.distortion_limit_text;
  if (options.profile_point) {
    for (std::size_t j = 0; j < project.points.size(); ++j)
      if (project.points[j].name == options.profile_point) input.profile_point = j;
  }
  if (options.time_point) {
    for (std::size_t j = 0; j < project.points.size(); ++j)
      if (project.points[j].name == options.time_point) input.time_point = j;
  }
  // A project in time: the setup its columns share, for the maps in time.
  std::optional<analysis::TimeSetup> time_setup;
  if (project.consolidation && analysis.exact)
    time_setup = analysis::prepare_time(project, *analysis.exact);
  if (options.time && time_setup) input.map_time = options.time;
  // The map: its box grown until the outer contours close, its nodes by the
  // project's method.
  MapInput& map = input.map;
  map.extent = analysis::plan_extent(project);
  map.start_layer = options.start_layer.value_or(analysis::default_start_layer(project));
  map.start_layer_chosen = options.start_layer.has_value();
  map.contour_interval = options.contour_interval;
  map.contour_levels = options.contour_levels;
  map.area_labels = options.area_labels;
  std::vector<double> point_totals;
  for (const analysis::ResultPoint& point : results.points)
    point_totals.push_back(point.settlement);
  const LevelRule levels = [&](double smallest, double largest) {
    return contour_levels(map_scale(map, smallest, largest));
  };
  const GridTotals totals = [&](const analysis::PlanGrid& grid,
                                const std::function<void(int, int)>& progress) {
    if (input.map_time) {
      return analysis::settlement_at_time_on_grid(project, *analysis.exact, *time_setup, grid,
                                                  map.start_layer, *input.map_time, progress);
    }
    return method.on_grid(grid, map.start_layer, progress);
  };
  MapCover cover = cover_map(project, totals, options.extent, options.grid_spacing, point_totals,
                             levels, RowsProgress{&console});
  map.grid = cover.grid;
  map.totals = std::move(cover.totals);
  map.extent_chosen = cover.chosen;
  map.growths = cover.growths;
  map.closed = cover.closed;
  if (auto unclosed = unclosed_contours(map)) input.map_warnings.push_back(std::move(*unclosed));
  for (const MapWarning& warning : input.map_warnings)
    console << kProgram << ": warning: " << warning.text << '\n';
  const SectionLine line =
      options.section.value_or(default_line(project, results, map.grid, map.totals));
  input.section = project_section(project, method, line, options.section.has_value(),
                                  map.grid.spacing, map.start_layer);

  std::vector<double> also = point_totals;
  for (const SectionSample& sample : input.section->samples)
    also.push_back(static_cast<double>(sample.settlement));
  SettlementMap settlement_map =
      contoured_map(map.grid, std::vector<double>(map.totals.begin(), map.totals.end()), also, map);
  settlement_map.points = project_points(project, results);
  const double per_length = project.units == site::Units::kUs ? 12.0 : 1000.0;
  settlement_map.distortion =
      distortion_by_structure(settlement_map.points, per_length, options.distortion_limit);
  settlement_map.distortion_limit = options.distortion_limit;
  settlement_map.distortion_limit_text = options.distortion_limit_text;
  settlement_map.section = line;
  if (const auto complaint = check_level_count(options, settlement_map.levels.size()))
    return refuse(*complaint);
  if (time_setup) {
    input.t90 = analysis::time_to_share_on_grid(project, *analysis.exact, *time_setup, map.grid,
                                                map.start_layer, 0.9, RowsProgress{&console});
  }

  if (project.study) {
    // The study's samples, as settle study runs them, and its map over the page's grid.
    input.study = study_page_figures(console, file, project, map.grid, map.start_layer,
                                     options.study_grid_samples.value_or(100));
    if (!input.study) return stopped(console);
  }

  write_project_page(page.stream(), input, settlement_map);
  if (options.grid_csv) write_grid_csv(csv.stream(), map.grid, map.totals);
  if (options.plan_svg) write_project_plan_file(svg.stream(), input, settlement_map);
  for (const auto& [output, what] : outputs)
    if (!written(output->finish(), what, output->target())) return run::kFatalError;
  run::finish_without_interrupts();
  for (const auto& [output, what] : outputs)
    if (!written(output->commit(), what, output->target())) return run::kFatalError;
  return run::kNormalEnd;
}

}  // namespace plot
