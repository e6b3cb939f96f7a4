// The share of a result's variance owed to each uncertain value of a study:
// first-order sensitivity indices estimated by a correlation ratio.
#pragma once

#include <span>
#include <vector>

namespace study {

// For each input column X_k, an estimate of Var(E[Y | X_k]) / Var(Y), the
// share of the output's variance that knowing X_k alone would remove (the
// first-order or main-effect index). The samples are ordered by X_k (ties by
// sample index) and cut into floor(sqrt(n)) classes of consecutive ranks,
// as equal as they can be; the ratio of the between-class sum of squares to
// the total is adjusted for its chance part, as the adjusted R^2 is:
//   eta^2 = SS_between / SS_total,  share = 1 - (1 - eta^2) (n - 1) / (n - M),
// and kept within [0, 1]. A constant input or output gives 0; so do fewer
// than 4 samples. With independent inputs the shares of an additive result
// sum to 1 (less where the inputs interact); with correlated inputs each
// share includes what X_k tells about its partners, so they overlap and may
// sum to more than 1.
// REQUIRES: every column as long as the output.
std::vector<double> variance_shares(const std::vector<std::vector<double>>& inputs,
                                    std::span<const double> output);

}  // namespace study
