// Times the run of a site project by the exact method without and with its
// settlement in time: a bench problem data file made a project (method
// "exact"), then the same project with a [consolidation] table of 20 output
// times; each run is run::analyse_project, the whole sequence the program
// runs (the checks already made).
//
// usage: project_time_bench PROBLEM_FILE [REPEATS]
//
// The layers of the bench problems (bottoms 12, 40.5, 110, 230 and 387.5 ft)
// are taken as a clay crust (cv 0.5 ft² per day), a sand, two clays (cv 0.3
// and 1.0) and a dense sand, drained at the surface, impermeable at the base;
// the loads in two stages: every other load over the first 60 days, the rest
// from day 180 over 30 days.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "analysis/settlement_grid.h"
#include "analysis/time_analysis.h"
#include "analysis/time_grid.h"
#include "bench_problem.h"
#include "problem/project_conversion.h"
#include "run/project_analysis.h"
#include "site/project_checks.h"

namespace {

struct Timing {
  double wall = 1e300;  // seconds, the best run
  double cpu = 1e300;   // seconds, the best run, all threads
};

template <typename Work>
Timing best_of(int repeats, const Work& work) {
  Timing best;
  for (int run = 0; run < repeats; ++run) {
    const std::clock_t cpu_start = std::clock();
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto stop = std::chrono::steady_clock::now();
    best.wall = std::min(best.wall, std::chrono::duration<double>(stop - start).count());
    best.cpu = std::min(best.cpu, static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC);
  }
  return best;
}

// The project with the time-rate analysis: each layer its own soil (a copy of
// its curve's), with the cv of its position.
site::Project with_consolidation(site::Project project) {
  const double cv[] = {0.5, 0.0, 0.3, 1.0, 0.0};  // 0: free-draining
  std::vector<soils::Soil> layer_soils;
  for (std::size_t l = 0; l < project.layers.size(); ++l) {
    site::Layer& layer = project.layers[l];
    soils::Soil soil = *std::find_if(project.soils.begin(), project.soils.end(),
                                     [&](const soils::Soil& s) { return s.name == layer.soil; });
    soil.name = "layer_" + std::to_string(l + 1);
    soil.number.reset();
    const double given = l < 5 ? cv[l] : 0.5;
    soil.free_draining = given == 0.0;
    if (given > 0.0) soil.cv = given;
    layer.soil = soil.name;
    layer_soils.push_back(soil);
  }
  project.soils = layer_soils;
  for (std::size_t i = 0; i < project.loads.size(); ++i) {
    std::visit(
        [&](auto& load) {
          load.schedule = i % 2 == 0 ? loads::Schedule{0.0, 60.0} : loads::Schedule{180.0, 30.0};
        },
        project.loads[i]);
  }
  site::Consolidation consolidation;
  for (int i = 0; i < 20; ++i) consolidation.times.push_back(std::pow(36500.0, i / 19.0));
  project.consolidation = consolidation;
  return project;
}

bool checked(const site::Project& project, const char* what) {
  for (const site::Diagnostic& d : site::check_project(project)) {
    if (d.severity != site::Severity::kError) continue;
    std::fprintf(stderr, "project_time_bench: %s: %s: %s\n", what, d.path.c_str(),
                 d.message.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: project_time_bench PROBLEM_FILE [REPEATS]\n");
    return 2;
  }
  const int repeats = argc == 3 ? std::max(1, std::atoi(argv[2])) : 3;
  const auto prepared = bench::read_prepared_problem(argv[1], "project_time_bench");
  if (!prepared) return 1;
  site::Project statics = problem::to_project(*prepared->problem).project;
  statics.analysis.method = site::Method::kExact;
  const site::Project in_time = with_consolidation(statics);
  if (!checked(statics, "static") || !checked(in_time, "in time")) return 1;

  const auto run = [](const site::Project& project, double& check) {
    run::ProjectAnalysis outcome = run::analyse_project(project::ProjectReading{project, {}});
    check = 0.0;
    if (outcome.stopped()) {
      for (const site::Diagnostic& d : outcome.diagnostics)
        std::fprintf(stderr, "project_time_bench: %s: %s\n", d.path.c_str(), d.message.c_str());
      std::exit(1);
    }
    for (const analysis::ResultPoint& point : outcome.results->points) {
      check += point.settlement;
      if (point.time) {
        for (const consolidation::TimeState& state : point.time->states) check += state.total;
        check += point.time->t90.value_or(0.0);
      }
    }
  };
  double static_check = 0.0, time_check = 0.0;
  const Timing alone = best_of(repeats, [&] { run(statics, static_check); });
  const Timing both = best_of(repeats, [&] { run(in_time, time_check); });
  std::printf("%zu points, %zu layers, %zu loads, 20 output times\n", statics.points.size(),
              statics.layers.size(), statics.loads.size());
  std::printf("static:        %.3f s wall, %.3f s cpu\n", alone.wall, alone.cpu);
  std::printf("static + time: %.3f s wall, %.3f s cpu: +%.0f %% wall, +%.0f %% cpu\n", both.wall,
              both.cpu, 100.0 * (both.wall / alone.wall - 1.0),
              100.0 * (both.cpu / alone.cpu - 1.0));
  std::printf("checksums: %.9g %.9g\n", static_check, time_check);

  // The maps settle-plot draws on the default grid: the settlement map and
  // the time to 90 % at every node, from the profile of one run.
  const run::ProjectAnalysis prepared_run =
      run::analyse_project(project::ProjectReading{in_time, {}});
  const analysis::PlanGrid grid = analysis::plan_grid(in_time);
  const std::int32_t start_layer = analysis::default_start_layer(in_time);
  const analysis::TimeSetup setup = analysis::prepare_time(in_time, *prepared_run.exact);
  double map_check = 0.0, t90_check = 0.0;
  const auto sum_finite = [](const std::vector<float>& values) {
    double sum = 0.0;
    for (const float v : values)
      if (std::isfinite(v)) sum += static_cast<double>(v);
    return sum;
  };
  const Timing map = best_of(repeats, [&] {
    map_check = sum_finite(analysis::settlement_on_grid(*prepared_run.exact, grid, start_layer));
  });
  const Timing t90 = best_of(repeats, [&] {
    t90_check = sum_finite(analysis::time_to_share_on_grid(in_time, *prepared_run.exact, setup,
                                                           grid, start_layer, 0.9));
  });
  std::printf("map of %d x %d nodes: %.3f s wall, %.3f s cpu\n", grid.columns, grid.rows, map.wall,
              map.cpu);
  std::printf("t90 map:         %.3f s wall, %.3f s cpu: %.2f x the map (wall)\n", t90.wall,
              t90.cpu, t90.wall / map.wall);
  std::printf("map checksums: %.9g %.9g\n", map_check, t90_check);
  return 0;
}
