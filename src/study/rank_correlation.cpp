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
#include <optional>
#include <utility>

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

// S of step 1, one column per parameter (read in sequence from here on).
std::vector<std::vector<double>> score_columns(
    const std::vector<std::vector<std::uint32_t>>& shuffled, const std::vector<double>& a) {
  std::vector<std::vector<double>> columns;
  for (const std::vector<std::uint32_t>& strata : shuffled) {
    std::vector<double>& column = columns.emplace_back(strata.size());
    for (std::size_t i = 0; i < strata.size(); ++i) column[i] = a[strata[i]];
  }
  return columns;
}

// E of step 2 (each column's sum of squares is that of the scores).
Matrix score_correlation(const std::vector<std::vector<double>>& s, const std::vector<double>& a) {
  const std::size_t parameters = s.size();
  double sum_of_squares = 0.0;
  for (const double x : a) sum_of_squares += x * x;
  Matrix e = identity_matrix(parameters);
  for (std::size_t k = 0; k < parameters; ++k) {
    for (std::size_t l = 0; l < k; ++l) {
      double sum = 0.0;
      for (std::size_t i = 0; i < a.size(); ++i) sum += s[k][i] * s[l][i];
      e.values[k * parameters + l] = sum / sum_of_squares;
      e.values[l * parameters + k] = sum / sum_of_squares;
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

  const std::vector<std::vector<double>> scores = score_columns(shuffled, a);

  // With no more samples than parameters the scores' correlation is singular
  // and cannot be undone; the target's factor is then applied alone.
  const std::optional<Matrix> q = cholesky_factor(score_correlation(scores, a));
  const std::optional<Matrix> p = cholesky_factor(target);
  assert(p);
  const Matrix m = q ? product(*p, lower_inverse(*q)) : *p;  // lower triangular

  // Each sample's T value sums the scores in the order of the parameters.
  // Equal T values go by sample index (pairs compare so): a total order,
  // so any sort gives the same ranks.
  std::vector<double> t(n);
  std::vector<std::pair<double, std::uint32_t>> keyed(n);
  for (std::size_t k = 0; k < parameters; ++k) {
    std::fill(t.begin(), t.end(), 0.0);
    for (std::size_t l = 0; l <= k; ++l) {
      const double weight = m.values[k * parameters + l];
      for (std::size_t i = 0; i < n; ++i) t[i] += weight * scores[l][i];
    }
    for (std::size_t i = 0; i < n; ++i) keyed[i] = {t[i], static_cast<std::uint32_t>(i)};
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t r = 0; r < n; ++r)
      shuffled[k][keyed[r].second] = static_cast<std::uint32_t>(r);
  }
  return shuffled;
}

}  // namespace study
