// Times the settlement map's grid against the analysis of the settlement
// points on one problem data file: the cost of a grid node beside the cost
// of a point, both on every core, in one run and so under one machine load.
//
// usage: grid_bench PROBLEM_FILE [NODES [REPEATS]]
//   NODES    0 (default): the grid settle-plot draws by default; n: n x n
//            nodes over the plan's extent
//   REPEATS  runs of each, the best kept (default 3)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "analysis/classic_analysis.h"
#include "analysis/settlement_grid.h"
#include "bench_problem.h"
#include "problem/problem_data.h"

namespace {

struct Timing {
  double wall = 1e300;  // seconds, the best run
  double cpu = 1e300;   // seconds of all threads together, the best run
};

// The best of `repeats` runs of `work`, and of more when a run is short: at
// least a second of runs in all, so that a run of a few milliseconds is not
// one lucky moment of a loaded machine.
template <typename Work>
Timing best_of(int repeats, const Work& work) {
  Timing best;
  double spent = 0.0;
  for (int run = 0; run < repeats || (spent < 1.0 && run < 1000); ++run) {
    const std::clock_t cpu_start = std::clock();
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto stop = std::chrono::steady_clock::now();
    const double wall = std::chrono::duration<double>(stop - start).count();
    spent += wall;
    best.wall = std::min(best.wall, wall);
    best.cpu = std::min(best.cpu, static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: grid_bench PROBLEM_FILE [NODES [REPEATS]]\n");
    return 2;
  }
  const int nodes = argc >= 3 ? std::atoi(argv[2]) : 0;
  const int repeats = argc >= 4 ? std::max(1, std::atoi(argv[3])) : 3;
  const auto prepared = bench::read_prepared_problem(argv[1], "grid_bench");
  if (!prepared) return 1;
  const site::Project& project = prepared->project;
  const analysis::ClassicProfile& profile = *prepared->profile;

  analysis::PlanGrid grid = analysis::plan_grid(project);
  if (nodes > 1) {
    const analysis::PlanExtent extent = analysis::plan_extent(project);
    grid.x0 = extent.min_x;
    grid.y0 = extent.min_y;
    grid.spacing = std::max({extent.width(), extent.height(), 1.0}) / (nodes - 1);
    grid.columns = grid.rows = nodes;
  }
  const std::int32_t start_layer = analysis::default_start_layer(project);

  const Timing points = best_of(repeats, [&] { analysis::analyse(profile); });
  const Timing nodes_timing =
      best_of(repeats, [&] { analysis::settlement_on_grid(project, profile, grid, start_layer); });
  const double point_count = std::max(profile.points.count(), 1);
  const auto node_count = static_cast<double>(std::max(grid.node_count(), 1LL));
  // The processor time per item is the measure: it does not change with the
  // share of the cores the machine's other work leaves.
  const double per_point = points.cpu / point_count, per_node = nodes_timing.cpu / node_count;
  std::printf(
      "%3d points %8.3f ms cpu %7.3f ms wall a point | %3d x %3d nodes %8.3f ms cpu %7.3f ms "
      "wall a node | node / point %.2f (wall %.2f)\n",
      profile.points.count(), per_point * 1e3, points.wall / point_count * 1e3, grid.columns,
      grid.rows, per_node * 1e3, nodes_timing.wall / node_count * 1e3, per_node / per_point,
      (nodes_timing.wall / node_count) / (points.wall / point_count));
  return 0;
}
