// Times the settlement in time of every settlement point of one problem data
// file against its static analysis, in one run: the column under each point
// made from the static results (its sublayers' strains and stress increases),
// two staged loads, 20 output times; and, for a t90 map, the time to 90 % of
// each point alone.
//
// usage: consolidation_bench PROBLEM_FILE [REPEATS]
//
// The layers of the bench problems (bottoms 12, 40.5, 110, 230 and 387.5 ft)
// are taken as a clay crust, a sand, two clays and a dense sand, drained at the
// surface, impermeable at the base; cv in ft² per day. With `drains` as a
// third argument, wick drains 5 ft apart reach 110 ft down, with smear and
// well resistance.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>

#include "analysis/analysis_results.h"
#include "analysis/classic_analysis.h"
#include "bench_problem.h"
#include "consolidation/column.h"
#include "consolidation/column_check.h"
#include "consolidation/point_history.h"
#include "problem/problem_data.h"

namespace {

struct Timing {
  double wall = 1e300;  // seconds, the best run
  double cpu = 1e300;   // seconds, the best run
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

// cv of each of the five layers (ft² per day); absent: free-draining.
const std::optional<double> kCv[] = {0.5, std::nullopt, 0.3, 1.0, std::nullopt};

// The column under point `p` from the static results, its load in two stages:
// 60 % over the first 60 days, the rest from day 180 over 30 days.
consolidation::Column column_of(const run::ProblemAnalysis& prepared,
                                const analysis::AnalysisResults& results, int p, bool drains) {
  const problem::ProblemData& problem = *prepared.problem;
  const analysis::ClassicProfile& profile = *prepared.profile;
  consolidation::Column column;
  column.top = consolidation::Boundary::kDrained;
  column.bottom = consolidation::Boundary::kImpermeable;
  column.unit_weight_of_water = 0.0624;
  const int start = profile.points[p].start_sublayer;
  std::vector<double> stress;
  double top = 0.0;
  int j = 1;
  for (int l = 1; l <= problem.layer_count; ++l) {
    consolidation::Layer layer;
    const std::size_t position = static_cast<std::size_t>(l - 1);
    layer.cv = position < 5 ? kCv[position] : 0.5;
    layer.free_draining = !layer.cv;
    layer.tangent_mv = 1e-3;
    for (; j <= profile.sublayer_count() &&
           profile.sublayers[j].centre_depth < problem.layers[l].bottom_depth;
         ++j) {
      const analysis::ClassicSublayer& given = profile.sublayers[j];
      consolidation::Sublayer sublayer;
      sublayer.top = top;
      sublayer.bottom = top = given.bottom_depth;
      sublayer.thickness_factor = given.thickness_factor;
      sublayer.counted = j >= start;
      sublayer.stress_increase = results.average_stress_increase[p][j];
      sublayer.settlement = results.sublayer_settlement[p][j];
      sublayer.settlement_factor = profile.settlement_factor;
      const double height = double{given.thickness} * double{given.thickness_factor} *
                            double{profile.settlement_factor};
      sublayer.strain = sublayer.settlement / height;
      stress.push_back(sublayer.stress_increase);
      layer.sublayers.push_back(sublayer);
    }
    column.layers.push_back(layer);
  }
  consolidation::Increment first{stress, 0.0, 60.0};
  consolidation::Increment second{stress, 180.0, 30.0};
  for (std::size_t i = 0; i < stress.size(); ++i) {
    first.stress_increase[i] *= 0.6;
    second.stress_increase[i] *= 0.4;
  }
  column.increments = {first, second};
  if (drains) {
    consolidation::Drains wick;
    wick.spacing = 5.0;
    wick.diameter = 0.22;
    wick.smear_ratio = 3.0;
    wick.kh_over_ks = 3.0;
    wick.ch_over_cv = 1.5;
    wick.discharge_capacity = 1000.0;
    wick.bottom = 110.0;
    column.drains = wick;
  }
  return column;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: consolidation_bench PROBLEM_FILE [REPEATS [drains]]\n");
    return 2;
  }
  const int repeats = argc >= 3 ? std::max(1, std::atoi(argv[2])) : 3;
  const bool drains = argc == 4 && std::strcmp(argv[3], "drains") == 0;
  const auto prepared = bench::read_prepared_problem(argv[1], "consolidation_bench");
  if (!prepared) return 1;
  const problem::ProblemData* problem = prepared->problem.get();

  // The output times: 20 from a day to a century, evenly in log time.
  std::vector<double> times;
  for (int i = 0; i < 20; ++i) times.push_back(std::pow(36500.0, i / 19.0));

  std::unique_ptr<analysis::AnalysisResults> results;
  const Timing statics = best_of(repeats, [&] { results = analysis::analyse(*prepared->profile); });
  std::vector<consolidation::Column> columns;
  for (int p = 1; p <= problem->point_count; ++p) {
    columns.push_back(column_of(*prepared, *results, p, drains));
    if (consolidation::check_column(columns.back(), times)) {
      std::fprintf(stderr, "consolidation_bench: the column of point %d is at fault\n", p);
      return 1;
    }
  }
  double check = 0.0;  // a sum of the results, to show that two builds agree
  const Timing histories = best_of(repeats, [&] {
    check = 0.0;
    for (const consolidation::Column& column : columns) {
      const consolidation::PointHistory history = consolidation::point_history(column, times);
      for (const consolidation::TimeState& state : history.states) check += state.total;
      check += history.t90.value_or(0.0);
    }
  });
  double t90_sum = 0.0;
  std::size_t modes = 0;
  const Timing t90 = best_of(repeats, [&] {
    t90_sum = 0.0;
    modes = 0;
    for (const consolidation::Column& column : columns) {
      consolidation::TimeSolution solution(column);
      t90_sum += consolidation::time_to_share(solution, 0.9).value_or(0.0);
      modes += solution.mode_count();
    }
  });
  const double points = problem->point_count;
  std::printf("%d points, %d sublayers, %zu output times%s\n", problem->point_count,
              prepared->profile->sublayer_count(), times.size(), drains ? ", drains" : "");
  std::printf("static analysis (every core): %.3f s wall, %.3f s cpu, %.3f ms cpu a point\n",
              statics.wall, statics.cpu, 1e3 * statics.cpu / points);
  std::printf("time histories (one core):    %.3f s, %.3f ms a point: %.0f %% of the static cpu\n",
              histories.cpu, 1e3 * histories.cpu / points, 100.0 * histories.cpu / statics.cpu);
  std::printf("t90 alone (one core):         %.3f s, %.3f ms a point: %.2f of a static point\n",
              t90.cpu, 1e3 * t90.cpu / points, t90.cpu / statics.cpu);
  std::printf("modes the t90 needed: %.1f a point\n", static_cast<double>(modes) / points);
  std::printf("checksums: %.9g %.9g\n", check, t90_sum);
  return 0;
}
