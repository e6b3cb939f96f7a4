// The matrix of the correlations between a design's parameters, and the two
// factorisations the study needs of it: Cholesky's, to impose it, and the
// smallest eigenpair, to say which pairs spoil it.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "study/design.h"

namespace study {

// A square matrix, row-major: entry (i, j) at values[i * size + j].
struct Matrix {
  std::size_t size = 0;
  std::vector<double> values;
};

// Cholesky's pivots at or below this count as zero: a correlation matrix
// whose smallest pivot is no larger is taken as not positive definite.
constexpr double kPivotFloor = 1e-10;

// The identity of the given size.
Matrix identity_matrix(std::size_t size);

// The parameters' correlation matrix: 1 on the diagonal, rho for each given
// pair, 0 elsewhere; parameters in the order of Design::parameters.
// REQUIRES: every correlation names two different parameters, each pair once.
Matrix correlation_matrix(const Design& design);

// The lower triangular L with L L^T = m, or nothing when a pivot is at or
// below kPivotFloor. REQUIRES: m symmetric.
std::optional<Matrix> cholesky_factor(const Matrix& m);

// The inverse of a lower triangular matrix (lower triangular itself).
// REQUIRES: no zero on the diagonal.
Matrix lower_inverse(const Matrix& lower);

// The product a b. REQUIRES: same sizes.
Matrix product(const Matrix& a, const Matrix& b);

// The smallest eigenvalue of a symmetric matrix and a unit eigenvector of it,
// by cyclic Jacobi rotations. REQUIRES: m symmetric, size >= 1.
struct EigenPair {
  double value = 0.0;
  std::vector<double> vector;
};
EigenPair smallest_eigenpair(const Matrix& m);

}  // namespace study
