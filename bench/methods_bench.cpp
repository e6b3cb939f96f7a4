// Times a problem file's analysis as a project by both methods in one run:
// the classic method, the exact one on dry ground, and the exact one with a
// water table half-way down the profile (the effective-stress steps), each
// the best of several runs of the whole analysis (profile and results).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_problem.h"
#include "problem/project_conversion.h"
#include "run/project_analysis.h"

namespace {

double best_seconds(const site::Project& project, int repeats, double& total) {
  std::vector<double> seconds;
  for (int run = 0; run < repeats; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const run::ProjectAnalysis analysis = run::analyse_project({project, {}});
    const auto stop = std::chrono::steady_clock::now();
    if (analysis.stopped()) {
      std::fprintf(stderr, "methods_bench: the project stops: %s\n",
                   analysis.diagnostics.empty() ? "" : analysis.diagnostics[0].message.c_str());
      std::exit(1);
    }
    total = 0.0;
    for (const analysis::ResultPoint& point : analysis.results->points) total += point.settlement;
    seconds.push_back(std::chrono::duration<double>(stop - start).count());
  }
  return *std::min_element(seconds.begin(), seconds.end());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: methods_bench PROBLEM_FILE [REPEATS]\n");
    return 2;
  }
  const int repeats = argc == 3 ? std::max(1, std::atoi(argv[2])) : 3;
  const auto prepared = bench::read_prepared_problem(argv[1], "methods_bench");
  if (!prepared) return 1;
  site::Project classic = problem::to_project(*prepared->problem).project;
  classic.analysis.method = site::Method::kClassic;

  site::Project exact = classic;
  exact.analysis.method = site::Method::kExact;
  for (site::Point& point : exact.points)
    if (point.start_layer < 0 || point.start_layer > static_cast<int>(exact.layers.size()))
      point.start_layer = 0;
  site::Project wet = exact;
  wet.groundwater = site::Groundwater{exact.layers.back().bottom / 2.0, std::nullopt, std::nullopt};

  double classic_total = 0.0, exact_total = 0.0, wet_total = 0.0;
  const double classic_time = best_seconds(classic, repeats, classic_total);
  const double exact_time = best_seconds(exact, repeats, exact_total);
  const double wet_time = best_seconds(wet, repeats, wet_total);
  std::printf("classic: best %.3f s (sum of totals %.6g)\n", classic_time, classic_total);
  std::printf("exact, dry: best %.3f s (sum of totals %.6g), %.2f x the classic\n", exact_time,
              exact_total, exact_time / classic_time);
  std::printf("exact, water table half-way: best %.3f s, %+.1f %% on the dry run\n", wet_time,
              100.0 * (wet_time / exact_time - 1.0));
  return 0;
}
