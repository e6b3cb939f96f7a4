// The checks of a study's design, returning what they found.
#pragma once

#include <vector>

#include "study/design.h"
#include "study/design_fault.h"

namespace study {

// Every fault of the design, in this order: the sample count; each
// parameter's distribution, then parameters repeating a target; each
// correlation; and, only when no earlier fault concerns the parameters'
// targets or the correlations, whether the correlation matrix is positive
// definite (every Cholesky pivot above kPivotFloor). An empty list means
// prepare_samples may be given the design.
//
// When the matrix is not positive definite, the fault names the pairs that
// pull it below zero: with v the unit eigenvector of its smallest eigenvalue
// lambda, v^T C v = 1 + 2 sum over pairs of rho_ab v_a v_b = lambda <= 0, so
// the pairs whose term rho_ab v_a v_b is negative carry the fault; those whose
// term is at least a tenth of the largest such term are named.
std::vector<DesignFault> check_design(const Design& design);

}  // namespace study
