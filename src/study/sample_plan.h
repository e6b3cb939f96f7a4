// A study's samples, each regenerated from the design and its index alone: a
// plan prepared once per process holds what all samples share, and any
// sample's values follow from it bit for bit in any process, thread or order.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "study/correlation_matrix.h"
#include "study/design.h"

namespace study {

struct SamplePlan {
  Design design;
  // Latin hypercube: the stratum (0 .. samples - 1) of each sample for each
  // parameter, strata[k][i]; each stratum of a parameter held by one sample.
  std::vector<std::vector<std::uint32_t>> strata;
  // Monte Carlo with correlations: the Cholesky factor of the correlation
  // matrix, applied to the normal scores of each sample (a Gaussian copula).
  std::optional<Matrix> copula;
};

// The plan of a design: O(samples) per parameter for a Latin hypercube
// (O(samples log samples) with correlations), nothing per sample for Monte
// Carlo. REQUIRES: check_design(design) is empty.
SamplePlan prepare_samples(const Design& design);

// The values of the parameters in sample `index`, in the order of
// Design::parameters, into `values`.
// REQUIRES: 0 <= index < samples; values.size() == parameters.size().
void values_of_sample(const SamplePlan& plan, std::int64_t index, std::span<double> values);
std::vector<double> values_of_sample(const SamplePlan& plan, std::int64_t index);

// The values of every sample, one column per parameter, in sample order (the
// input matrix of variance_shares).
std::vector<std::vector<double>> parameter_columns(const SamplePlan& plan);

}  // namespace study
