// A study's design: how its samples are drawn, from which seed, how many, and
// the uncertain values with their distributions and correlations. The targets
// are names the caller gives (keys of the project); this module never reads
// them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "study/distribution.h"

namespace study {

// The most samples a study may draw.
constexpr std::int64_t kMaxSamples = 1'000'000;

enum class Method {
  kLatinHypercube,  // each parameter's range cut into `samples` strata of equal probability,
                    // each stratum drawn exactly once
  kMonteCarlo,      // every sample drawn independently
};

// One uncertain value: the key it replaces and its distribution.
struct Parameter {
  std::string target;
  Distribution distribution;
};

// The correlation of two targets' normal scores (see docs/studies.md).
struct Correlation {
  std::string a;
  std::string b;
  double rho = 0.0;
};

struct Design {
  Method method = Method::kLatinHypercube;
  std::uint64_t seed = 0;
  std::int64_t samples = 0;  // 1 .. kMaxSamples
  std::vector<Parameter> parameters;
  std::vector<Correlation> correlations;  // pairs not listed: 0
};

}  // namespace study
