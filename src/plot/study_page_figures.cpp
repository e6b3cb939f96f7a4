// A study run for the page, on every core, and its exceedance map.
#include "plot/study_page_figures.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "analysis/point_workers.h"
#include "run/interrupt.h"
#include "run/project_driver.h"
#include "study/result_store.h"
#include "study/study_threads.h"

namespace plot {

std::optional<StudyPageInput> study_page_figures(std::ostream& console, const std::string& file,
                                                 const site::Project& project,
                                                 const analysis::PlanGrid& grid,
                                                 std::int32_t start_layer,
                                                 std::int64_t grid_samples) {
  constexpr std::string_view kProgram = "settle-plot";
  const study::PreparedStudy prepared = study::prepare_study(project);
  if (!prepared.setup) {
    for (const site::Diagnostic& d : prepared.diagnostics)
      run::print_diagnostic(console, kProgram, file, d);
    return std::nullopt;
  }
  const study::StudySetup& setup = *prepared.setup;
  const auto threads =
      static_cast<unsigned>(analysis::worker_count(std::numeric_limits<int>::max()));
  const study::StudyCollection collection = study::run_on_threads(setup, threads);
  run::stop_if_interrupted();
  if (collection.fault) {
    run::print_diagnostic(console, kProgram, file, collection.fault->diagnostic);
    return std::nullopt;
  }
  StudyPageInput figures;
  figures.method =
      setup.study.method == site::SamplingMethod::kLatinHypercube ? "lhs" : "monte_carlo";
  figures.seed = setup.study.seed;
  figures.samples = collection.store.samples;
  figures.settlement_limit = setup.study.settlement_limit;
  for (std::size_t j = 0; j < setup.base.points.size(); ++j) {
    const auto column = study::quantity_values(collection.store, static_cast<std::int64_t>(j));
    figures.settlements.emplace_back(column.begin(), column.end());
  }
  if (figures.settlement_limit) {
    const std::int64_t count = std::min(grid_samples, figures.samples);
    const auto start = std::chrono::steady_clock::now();
    double next = 2.0;
    const auto progress = [&](std::int64_t done, std::int64_t all) {
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (seconds < next || done == all) return;
      next = seconds + 2.0;
      console << kProgram << ": study map: " << done << " of " << all << " samples after "
              << static_cast<int>(seconds) << " s\n";
    };
    figures.map =
        exceedance_map(setup, grid, start_layer, count, *figures.settlement_limit, progress);
  }
  return figures;
}

}  // namespace plot
