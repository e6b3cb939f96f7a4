// Iman and Conover's (1982) rank correlation of a Latin hypercube: the strata
// of each parameter rearranged among the samples so that the parameters'
// normal scores take the wanted correlations, each stratum still used once.
#pragma once

#include <cstdint>
#include <vector>

#include "study/correlation_matrix.h"

namespace study {

// The stratum of each sample for each parameter (strata[k][i]), rearranged
// from independent shuffles so that the van der Waerden scores
// Phi^-1((stratum + 1) / (n + 1)) of the parameters correlate as `target`.
// Deterministic: the same shuffles give the same bits on any machine.
// REQUIRES: each shuffled[k] a permutation of 0 .. n - 1, all of one n >= 1;
// target of size shuffled.size() with a Cholesky factor.
std::vector<std::vector<std::uint32_t>> arrange_ranks(
    std::vector<std::vector<std::uint32_t>> shuffled, const Matrix& target);

}  // namespace study
