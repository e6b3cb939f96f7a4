// The draws of a study. For parameter k of sample i:
//   u = the counter generator's draw i of stream (seed, k, position)
//   Latin hypercube:  p = (stratum_k(i) + u) / n      (u: the place in the stratum)
//   Monte Carlo:      p = u, or with correlations p_k = Phi((L z)_k), z_j = Phi^-1(u_j)
//   value = F_k^-1(p)
// The strata of each parameter are a Fisher-Yates shuffle of 0 .. n - 1 whose
// draws come from stream (seed, k, shuffle), rearranged by Iman and Conover's
// method when the design has correlations.
#include "study/sample_plan.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <numeric>

#include "study/counter_random.h"
#include "study/distribution.h"
#include "study/rank_correlation.h"

namespace study {
namespace {

// A probability is kept within [2^-53, 1 - 2^-53], the range of the
// generator's draws: a stratum's top end (n - 1 + u) / n may round to 1, and
// a copula's Phi(y) to 0 or 1, where most quantiles are infinite.
constexpr double kEdge = 1.0 / 9007199254740992.0;  // 2^-53

double within_edges(double p) { return std::clamp(p, kEdge, 1.0 - kEdge); }

std::vector<std::uint32_t> shuffled_strata(std::uint64_t seed, std::size_t parameter,
                                           std::size_t n) {
  std::vector<std::uint32_t> strata(n);
  std::iota(strata.begin(), strata.end(), std::uint32_t{0});
  const StreamKey key{seed, parameter, DrawUse::kShuffle};
  // Fisher-Yates from the top: draw j picks the stratum for place j among 0 .. j.
  for (std::size_t j = n; j-- > 1;) {
    const auto pick = static_cast<std::size_t>(random_below(key, j, j + 1));
    std::swap(strata[j], strata[pick]);
  }
  return strata;
}

}  // namespace

SamplePlan prepare_samples(const Design& design) {
  assert(design.samples >= 1 && design.samples <= kMaxSamples);
  SamplePlan plan{design, {}, std::nullopt};
  const auto n = static_cast<std::size_t>(design.samples);
  const bool correlated = !design.correlations.empty();
  switch (design.method) {
    case Method::kLatinHypercube:
      for (std::size_t k = 0; k < design.parameters.size(); ++k) {
        plan.strata.push_back(shuffled_strata(design.seed, k, n));
      }
      if (correlated)
        plan.strata = arrange_ranks(std::move(plan.strata), correlation_matrix(design));
      break;
    case Method::kMonteCarlo:
      if (correlated) plan.copula = cholesky_factor(correlation_matrix(design));
      assert(!correlated || plan.copula);
      break;
  }
  return plan;
}

void values_of_sample(const SamplePlan& plan, std::int64_t index, std::span<double> values) {
  const Design& design = plan.design;
  const std::size_t parameters = design.parameters.size();
  assert(index >= 0 && index < design.samples);
  assert(values.size() == parameters);
  const auto i = static_cast<std::uint64_t>(index);
  const auto u = [&](std::size_t k) {
    return random_probability(StreamKey{design.seed, k, DrawUse::kPosition}, i);
  };
  switch (design.method) {
    case Method::kLatinHypercube: {
      const auto n = static_cast<double>(design.samples);
      for (std::size_t k = 0; k < parameters; ++k) {
        const double stratum = static_cast<double>(plan.strata[k][i]);
        values[k] = quantile(design.parameters[k].distribution, within_edges((stratum + u(k)) / n));
      }
      break;
    }
    case Method::kMonteCarlo:
      if (!plan.copula) {
        for (std::size_t k = 0; k < parameters; ++k) {
          values[k] = quantile(design.parameters[k].distribution, u(k));
        }
        break;
      }
      // The scores are kept in `values` until each is replaced by its value:
      // row k of the lower factor reads scores 0 .. k, so from the last row up.
      for (std::size_t k = 0; k < parameters; ++k) values[k] = normal_score(u(k));
      for (std::size_t k = parameters; k-- > 0;) {
        double y = 0.0;
        for (std::size_t l = 0; l <= k; ++l)
          y += plan.copula->values[k * parameters + l] * values[l];
        values[k] =
            quantile(design.parameters[k].distribution, within_edges(standard_normal_cdf(y)));
      }
      break;
  }
}

std::vector<double> values_of_sample(const SamplePlan& plan, std::int64_t index) {
  std::vector<double> values(plan.design.parameters.size());
  values_of_sample(plan, index, values);
  return values;
}

std::vector<std::vector<double>> parameter_columns(const SamplePlan& plan) {
  const std::size_t parameters = plan.design.parameters.size();
  const auto n = static_cast<std::size_t>(plan.design.samples);
  std::vector<std::vector<double>> columns(parameters, std::vector<double>(n));
  std::vector<double> values(parameters);
  for (std::size_t i = 0; i < n; ++i) {
    values_of_sample(plan, static_cast<std::int64_t>(i), values);
    for (std::size_t k = 0; k < parameters; ++k) columns[k][i] = values[k];
  }
  return columns;
}

}  // namespace study
