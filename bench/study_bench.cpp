// Times the drawing of a study's samples: ten uncertain values of the four
// distributions with correlations, by Latin hypercube and by Monte Carlo, the
// plan prepared once and then every sample's values regenerated from its
// index; prints samples per second on one thread and a checksum of the bits.
// Given a project file with a [study], times its whole study instead: every
// sample analysed, on one thread and on every core, in samples per second
// per core, with a checksum of the study file's text.
#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "project/project_file.h"
#include "run/project_analysis.h"
#include "study/design.h"
#include "study/design_checks.h"
#include "study/sample_plan.h"
#include "study/study_threads.h"

namespace {

study::Design bench_design(study::Method method, std::int64_t samples) {
  study::Design d;
  d.method = method;
  d.seed = 20261209;
  d.samples = samples;
  for (int layer = 1; layer <= 3; ++layer) {
    const std::string soil = "soils.clay" + std::to_string(layer);
    d.parameters.push_back({soil + ".cc", study::Lognormal{0.3, 0.3}});
    d.parameters.push_back({soil + ".cr", study::Lognormal{0.05, 0.3}});
    d.parameters.push_back({soil + ".ocr", study::Normal{1.5, 0.2}});
    d.correlations.push_back({soil + ".cc", soil + ".cr", 0.6});
    d.correlations.push_back({soil + ".cc", soil + ".ocr", -0.3});
  }
  d.parameters.push_back({"loads.T1.pressure", study::Triangular{90.0, 100.0, 120.0}});
  d.correlations.push_back({"soils.clay1.cc", "soils.clay2.cc", 0.3});
  d.correlations.push_back({"soils.clay2.cc", "soils.clay3.cc", 0.3});
  return d;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::uint64_t digest(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

// The study of the project file `file`, on one thread and on every core.
int project_study(const std::string& file) {
  const std::optional<project::Form> form = project::form_of(file);
  project::ProjectReading reading =
      project::read_project_text(run::read_project_file(file).text, *form);
  if (!reading.ok()) {
    std::fprintf(stderr, "study_bench: %s does not pass its checks\n", file.c_str());
    return 1;
  }
  const study::PreparedStudy prepared = study::prepare_study(reading.project);
  if (!prepared.setup) {
    std::fprintf(stderr, "study_bench: %s has no study that passes its checks\n", file.c_str());
    return 1;
  }
  const study::StudySetup& setup = *prepared.setup;
  const auto samples = static_cast<double>(setup.plan.design.samples);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  for (const unsigned threads : {1u, cores}) {
    const auto start = std::chrono::steady_clock::now();
    const study::StudyCollection collection = study::run_on_threads(setup, threads);
    const double seconds = seconds_since(start);
    if (collection.fault) {
      std::fprintf(stderr, "study_bench: %s\n", collection.fault->diagnostic.message.c_str());
      return 1;
    }
    const std::string text = study::study_tree(setup, collection).dump(2);
    std::printf(
        "%s: %zu points, %zu parameters, %.0f samples on %u threads: %.3f s, %.1f samples/s, "
        "%.1f samples/s a thread; checksum %016llx\n",
        file.c_str(), setup.base.points.size(), setup.places.size(), samples, threads, seconds,
        samples / seconds, samples / seconds / threads,
        static_cast<unsigned long long>(digest(text)));
    if (cores == 1) break;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && project::form_of(argv[1])) return project_study(argv[1]);
  if (argc > 3) {
    std::fprintf(stderr, "usage: study_bench [SAMPLES] [REPEATS] | study_bench PROJECT.toml\n");
    return 2;
  }
  const std::int64_t samples =
      std::clamp<std::int64_t>(argc >= 2 ? std::atoll(argv[1]) : 100000, 1, study::kMaxSamples);
  const int repeats = argc == 3 ? std::max(1, std::atoi(argv[2])) : 3;
  for (const study::Method method : {study::Method::kLatinHypercube, study::Method::kMonteCarlo}) {
    const study::Design design = bench_design(method, samples);
    if (!study::check_design(design).empty()) {
      std::fprintf(stderr, "study_bench: the bench design has faults\n");
      return 1;
    }
    double best_prepare = 1e300, best_draw = 1e300;
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the values' bits
    for (int run = 0; run < repeats; ++run) {
      const auto start = std::chrono::steady_clock::now();
      const study::SamplePlan plan = study::prepare_samples(design);
      best_prepare = std::min(best_prepare, seconds_since(start));
      const auto draw_start = std::chrono::steady_clock::now();
      std::vector<double> values(design.parameters.size());
      hash = 14695981039346656037ull;
      for (std::int64_t i = 0; i < samples; ++i) {
        study::values_of_sample(plan, i, values);
        for (const double x : values)
          hash = (hash ^ std::bit_cast<std::uint64_t>(x)) * 1099511628211ull;
      }
      best_draw = std::min(best_draw, seconds_since(draw_start));
    }
    std::printf(
        "%-15s %zu parameters, %zu correlations, %lld samples: plan %.3f s, draws %.3f s "
        "(%.0f samples/s, %.2f us a sample); checksum %016llx\n",
        method == study::Method::kLatinHypercube ? "latin hypercube" : "monte carlo",
        design.parameters.size(), design.correlations.size(), static_cast<long long>(samples),
        best_prepare, best_draw, static_cast<double>(samples) / best_draw,
        1e6 * best_draw / static_cast<double>(samples), static_cast<unsigned long long>(hash));
  }
  return 0;
}
