// Times the analysis alone (stress increases, sublayer averages and
// settlements) on one problem data file, and prints a checksum of the result
// tables so that a faster build can be shown to give the same bits.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/analysis_results.h"
#include "analysis/soil_profile.h"
#include "layout/fatal_error.h"
#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"
#include "problem/problem_reader.h"

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
  std::unique_ptr<problem::ProblemData> problem;
  try {
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "stress_bench: cannot open %s\n", argv[1]);
      return 1;
    }
    layout::RecordReader input(file, 5, argv[1]);
    std::ostringstream echo;
    layout::RecordWriter console(echo, "\n", layout::kConsoleUnit, "");
    problem::ReadResult read = problem::read_problem(input, console);
    if (read.stop) {
      std::fprintf(stderr, "stress_bench: the problem has data errors\n");
      return 1;
    }
    problem = std::move(read.problem);
  } catch (const layout::FatalError& error) {
    std::fprintf(stderr, "%s\n", error.report().c_str());
    return 1;
  }
  analysis::form_sublayers(*problem);
  analysis::compute_initial_strains(*problem);

  std::unique_ptr<analysis::AnalysisResults> results;
  std::vector<double> seconds;
  std::vector<double> cpu_seconds;  // of all threads together
  for (int run = 0; run < repeats; ++run) {
    const std::clock_t cpu_start = std::clock();
    const auto start = std::chrono::steady_clock::now();
    results = analysis::analyse(*problem);
    const auto stop = std::chrono::steady_clock::now();
    seconds.push_back(std::chrono::duration<double>(stop - start).count());
    cpu_seconds.push_back(static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC);
  }
  std::sort(seconds.begin(), seconds.end());
  std::sort(cpu_seconds.begin(), cpu_seconds.end());
  std::uint64_t hash = 14695981039346656037ull;
  hash = checksum(results->stress_increase, problem->point_count, 2 * problem->sublayer_count + 1,
                  hash);
  hash = checksum(results->average_stress_increase, problem->point_count, problem->sublayer_count,
                  hash);
  hash =
      checksum(results->sublayer_settlement, problem->point_count, problem->sublayer_count, hash);
  std::printf("analysis: best %.3f s, median %.3f s of %d (cpu best %.3f s); checksum %016llx\n",
              seconds.front(), seconds[seconds.size() / 2], repeats, cpu_seconds.front(),
              static_cast<unsigned long long>(hash));
  return 0;
}
