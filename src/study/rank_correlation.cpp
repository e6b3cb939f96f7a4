// Iman, R. L. and Conover, W. J. (1982), "A distribution-free approach to
// inducing rank correlation among input variables", Communications in
// Statistics B 11(3), 311-334.
//
// Step 1: score matrix S, n x P: column k holds the van der Waerden scores
//         a_r = Phi^-1((r + 1) / (n + 1)) in the order of shuffle k.
// Step 2: E, the correlation of S's columns (their own chance correlation),
//         E = Q Q^T; the target C = P P^T.
// Step 3: T = S (P Q^-1)^T has correlation C exactly.
// Step 4: each parameter's strata are handed out in the order of its column
//         of T: the sample with the r-th smallest T value gets stratum r.
// The marginals stay exact (each column of ranks is a permutation); only the
// pairing of strata between parameters changes.
#include "study/rank_correlation.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <numeric>

#include "study/distribution.h"

namespace study {
namespace {

// The n van der Waerden scores, made exactly antisymmetric so that every
// column of S has mean zero whatever the rounding of the quantiles.
std::vector<double> van_der_waerden_scores(std::size_t n) {
  std::vector<double> a(n, 0.0);
  const double denominator = static_cast<double>(n) + 1.0;
  for (std::size_t r = 0; r < n / 2; ++r) {
    a[r] = normal_score((static_cast<double>(r) + 1.0) / denominator);
    a[n - 1 - r] = -a[r];
  }
  return a;
}

// E of step 2, from the shuffles (each column's sum of squares is the same).
Matrix score_correlation(const std::vector<std::vector<std::uint32_t>>& shuffled,
                         const std::vector<double>& a) {
  const std::size_t parameters = shuffled.size();
  const std::size_t n = a.size();
  double sum_of_squares = 0.0;
  for (const double x : a) sum_of_squares += x * x;
  Matrix e = identity_matrix(parameters);
  for (std::size_t k = 0; k < parameters; ++k) {
    for (std::size_t l = 0; l < k; ++l) {
      double s = 0.0;
      for (std::size_t i = 0; i < n; ++i) s += a[shuffled[k][i]] * a[shuffled[l][i]];
      e.values[k * parameters + l] = s / sum_of_squares;
      e.values[l * parameters + k] = s / sum_of_squares;
    }
  }
  return e;
}

}  // namespace

std::vector<std::vector<std::uint32_t>> arrange_ranks(
    std::vector<std::vector<std::uint32_t>> shuffled, const Matrix& target) {
  const std::size_t parameters = shuffled.size();
  assert(target.size == parameters);
  if (parameters == 0) return shuffled;
  const std::size_t n = shuffled[0].size();
  const std::vector<double> a = van_der_waerden_scores(n);

  // With no more samples than parameters the scores' correlation is singular
  // and cannot be undone; the target's factor is then applied alone.
  const std::optional<Matrix> q = cholesky_factor(score_correlation(shuffled, a));
  const std::optional<Matrix> p = cholesky_factor(target);
  assert(p);
  const Matrix m = q ? product(*p, lower_inverse(*q)) : *p;  // lower triangular

  // Column k of T needs the shuffles 0 .. k only, so the columns are worked
  // from the last, each shuffle replaced by its strata once no column needs it.
  std::vector<double> t(n);
  std::vector<std::uint32_t> order(n);
  for (std::size_t k = parameters; k-- > 0;) {
    for (std::size_t i = 0; i < n; ++i) {
      double s = 0.0;
      for (std::size_t l = 0; l <= k; ++l) s += m.values[k * parameters + l] * a[shuffled[l][i]];
      t[i] = s;
    }
    // Ties (equal T values) go by sample index: a total order, so any sort
    // gives the same ranks.
    std::iota(order.begin(), order.end(), std::uint32_t{0});
    std::sort(order.begin(), order.end(), [&t](std::uint32_t x, std::uint32_t y) {
      return t[x] < t[y] || (t[x] == t[y] && x < y);
    });
    for (std::size_t r = 0; r < n; ++r) shuffled[k][order[r]] = static_cast<std::uint32_t>(r);
  }
  return shuffled;
}

}  // namespace study
