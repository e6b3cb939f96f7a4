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
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/point_workers.h"
#include "analysis/settlement_grid.h"
#include "analysis/soil_profile.h"
#include "layout/fatal_error.h"
#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"
#include "problem/problem_reader.h"

namespace {

template <typename Work>
double best_seconds(int repeats, const Work& work) {
  double best = 1e300;
  for (int run = 0; run < repeats; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto stop = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double>(stop - start).count());
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
  std::unique_ptr<problem::ProblemData> problem;
  try {
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "grid_bench: cannot open %s\n", argv[1]);
      return 1;
    }
    layout::RecordReader input(file, 5, argv[1]);
    std::ostringstream echo;
    layout::RecordWriter console(echo, "\n", layout::kConsoleUnit, "");
    problem::ReadResult read = problem::read_problem(input, console);
    if (read.stop) {
      std::fprintf(stderr, "grid_bench: the problem has data errors\n");
      return 1;
    }
    problem = std::move(read.problem);
  } catch (const layout::FatalError& error) {
    std::fprintf(stderr, "%s\n", error.report().c_str());
    return 1;
  }
  analysis::form_sublayers(*problem);
  analysis::compute_initial_strains(*problem);

  analysis::GridSpec grid = analysis::settlement_grid_spec(*problem);
  if (nodes > 1) {
    const analysis::PlanExtent extent = analysis::plan_extent(*problem);
    grid.x0 = extent.min_x;
    grid.y0 = extent.min_y;
    grid.spacing = std::max({extent.width(), extent.height(), 1.0}) / (nodes - 1);
    grid.columns = grid.rows = nodes;
  }
  const std::int32_t start_layer = analysis::default_start_layer(*problem);

  const double points_s = best_seconds(repeats, [&] { analysis::analyse(*problem); });
  const double grid_s =
      best_seconds(repeats, [&] { analysis::settlement_on_grid(*problem, grid, start_layer); });
  const double per_point = points_s / std::max(problem->point_count, 1);
  const double per_node = grid_s / static_cast<double>(std::max(grid.node_count(), 1LL));
  std::printf(
      "%d points in %.3f s: %.3f ms a point; %d x %d = %lld nodes in %.3f s: %.3f ms a node; "
      "node / point %.2f; %d threads, %d sublayers, %d areas\n",
      problem->point_count, points_s, per_point * 1e3, grid.columns, grid.rows, grid.node_count(),
      grid_s, per_node * 1e3, per_node / per_point,
      analysis::worker_count(std::max(problem->point_count, grid.columns)), problem->sublayer_count,
      problem->total_area_count());
  return 0;
}
