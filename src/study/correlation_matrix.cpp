// Cholesky's factorisation and Jacobi's eigenvalue method, for the small
// dense matrices of a study's correlations (one row per uncertain value).
// Boost has neither; both are a few lines and run in a fixed order of
// operations, so their bits do not depend on the machine's threads.
#include "study/correlation_matrix.h"

#include <cassert>
#include <cmath>
#include <map>
#include <string>

namespace study {

Matrix identity_matrix(std::size_t size) {
  Matrix m{size, std::vector<double>(size * size, 0.0)};
  for (std::size_t i = 0; i < size; ++i) m.values[i * size + i] = 1.0;
  return m;
}

Matrix correlation_matrix(const Design& design) {
  std::map<std::string, std::size_t> position;
  for (std::size_t k = 0; k < design.parameters.size(); ++k) {
    position.emplace(design.parameters[k].target, k);
  }
  Matrix m = identity_matrix(design.parameters.size());
  for (const Correlation& c : design.correlations) {
    const std::size_t a = position.at(c.a);
    const std::size_t b = position.at(c.b);
    assert(a != b);
    m.values[a * m.size + b] = c.rho;
    m.values[b * m.size + a] = c.rho;
  }
  return m;
}

std::optional<Matrix> cholesky_factor(const Matrix& m) {
  const std::size_t n = m.size;
  Matrix l{n, std::vector<double>(n * n, 0.0)};
  for (std::size_t j = 0; j < n; ++j) {
    double pivot = m.values[j * n + j];
    for (std::size_t k = 0; k < j; ++k) pivot -= l.values[j * n + k] * l.values[j * n + k];
    if (!(pivot > kPivotFloor)) return std::nullopt;
    const double d = std::sqrt(pivot);
    l.values[j * n + j] = d;
    for (std::size_t i = j + 1; i < n; ++i) {
      double s = m.values[i * n + j];
      for (std::size_t k = 0; k < j; ++k) s -= l.values[i * n + k] * l.values[j * n + k];
      l.values[i * n + j] = s / d;
    }
  }
  return l;
}

Matrix lower_inverse(const Matrix& lower) {
  // Forward substitution, one column of the inverse at a time.
  const std::size_t n = lower.size;
  Matrix inv{n, std::vector<double>(n * n, 0.0)};
  for (std::size_t c = 0; c < n; ++c) {
    for (std::size_t i = c; i < n; ++i) {
      double s = i == c ? 1.0 : 0.0;
      for (std::size_t k = c; k < i; ++k) s -= lower.values[i * n + k] * inv.values[k * n + c];
      inv.values[i * n + c] = s / lower.values[i * n + i];
    }
  }
  return inv;
}

Matrix product(const Matrix& a, const Matrix& b) {
  assert(a.size == b.size);
  const std::size_t n = a.size;
  Matrix p{n, std::vector<double>(n * n, 0.0)};
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      double s = 0.0;
      for (std::size_t k = 0; k < n; ++k) s += a.values[i * n + k] * b.values[k * n + j];
      p.values[i * n + j] = s;
    }
  }
  return p;
}

EigenPair smallest_eigenpair(const Matrix& m) {
  assert(m.size >= 1);
  const std::size_t n = m.size;
  std::vector<double> a = m.values;
  std::vector<double> v = identity_matrix(n).values;
  auto at = [n](std::vector<double>& x, std::size_t i, std::size_t j) -> double& {
    return x[i * n + j];
  };
  // Each rotation J in the plane (p, q) zeroes a_pq of J^T A J; sweeping all
  // pairs repeatedly drives the off-diagonal part to zero (quadratically in
  // the end), leaving the eigenvalues on the diagonal and the eigenvectors in
  // the columns of the accumulated rotations V.
  constexpr int kMaxSweeps = 100;
  for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
    double off = 0.0;
    for (std::size_t p = 0; p < n; ++p) {
      for (std::size_t q = p + 1; q < n; ++q) off += at(a, p, q) * at(a, p, q);
    }
    if (off < 1e-30) break;
    for (std::size_t p = 0; p < n; ++p) {
      for (std::size_t q = p + 1; q < n; ++q) {
        const double apq = at(a, p, q);
        if (apq == 0.0) continue;
        // The angle phi with cot(2 phi) = theta; t = tan(phi), the smaller root.
        const double theta = (at(a, q, q) - at(a, p, p)) / (2.0 * apq);
        const double t =
            (theta >= 0.0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
        const double c = 1.0 / std::sqrt(t * t + 1.0);
        const double s = t * c;
        for (std::size_t k = 0; k < n; ++k) {  // A J: columns p and q
          const double akp = at(a, k, p), akq = at(a, k, q);
          at(a, k, p) = c * akp - s * akq;
          at(a, k, q) = s * akp + c * akq;
        }
        for (std::size_t k = 0; k < n; ++k) {  // J^T (A J): rows p and q
          const double apk = at(a, p, k), aqk = at(a, q, k);
          at(a, p, k) = c * apk - s * aqk;
          at(a, q, k) = s * apk + c * aqk;
        }
        for (std::size_t k = 0; k < n; ++k) {  // V J
          const double vkp = at(v, k, p), vkq = at(v, k, q);
          at(v, k, p) = c * vkp - s * vkq;
          at(v, k, q) = s * vkp + c * vkq;
        }
      }
    }
  }
  std::size_t smallest = 0;
  for (std::size_t i = 1; i < n; ++i) {
    if (at(a, i, i) < at(a, smallest, smallest)) smallest = i;
  }
  EigenPair pair{at(a, smallest, smallest), std::vector<double>(n)};
  for (std::size_t k = 0; k < n; ++k) pair.vector[k] = at(v, k, smallest);
  return pair;
}

}  // namespace study
