// Times the analysis alone (stress increases, sublayer averages and
// settlements) on one problem data file, and prints a checksum of the result
// tables so that a faster build can be shown to give the same bits.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "analysis/analysis_results.h"
#include "analysis/classic_analysis.h"
#include "bench_problem.h"

namespace {

// FNV-1a over the bytes of the used part of a result table.
template <typename Table>
std::uint64_t checksum(const Table& table, int rows, int columns, std::uint64_t hash) {
  for (int j = 1; j <= rows; ++j) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&table[j][1]);
    for (std::size_t b = 0; b < static_cast<std::size_t>(columns) * sizeof(float); ++b) {
      hash = (hash ^ bytes[b]) * 1099511628211ull;
    }
  }
  return hash;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: stress_bench PROBLEM_FILE [REPEATS]\n");
    return 2;
  }
  const int repeats = argc == 3 ? std::max(1, std::atoi(argv[2])) : 3;
  const auto prepared = bench::read_prepared_problem(argv[1], "stress_bench");
  if (!prepared) return 1;
  const analysis::ClassicProfile& profile = *prepared->profile;
  const int points = profile.points.count();
  const int sublayers = profile.sublayer_count();

  std::unique_ptr<analysis::AnalysisResults> results;
  std::vector<double> seconds;
  std::vector<double> cpu_seconds;  // of all threads together
  for (int run = 0; run < repeats; ++run) {
    const std::clock_t cpu_start = std::clock();
    const auto start = std::chrono::steady_clock::now();
    results = analysis::analyse(profile);
    const auto stop = std::chrono::steady_clock::now();
    seconds.push_back(std::chrono::duration<double>(stop - start).count());
    cpu_seconds.push_back(static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC);
  }
  std::sort(seconds.begin(), seconds.end());
  std::sort(cpu_seconds.begin(), cpu_seconds.end());
  std::uint64_t hash = 14695981039346656037ull;
  hash = checksum(results->stress_increase, points, 2 * sublayers + 1, hash);
  hash = checksum(results->average_stress_increase, points, sublayers, hash);
  hash = checksum(results->sublayer_settlement, points, sublayers, hash);
  std::printf("analysis: best %.3f s, median %.3f s of %d (cpu best %.3f s); checksum %016llx\n",
              seconds.front(), seconds[seconds.size() / 2], repeats, cpu_seconds.front(),
              static_cast<unsigned long long>(hash));
  return 0;
}
