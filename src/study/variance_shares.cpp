// The correlation ratio over classes of ranks (Pearson 1903's eta^2 as a
// sensitivity index; Plischke 2010, "An effective algorithm for computing
// global sensitivity indices (EASI)"). Between the classes' means the
// estimate sees how the mean of the output moves along X_k; within a class,
// the rest of the output's variance. Square-root-of-n classes balance the
// two errors: fewer classes smooth away part of the main effect, more
// classes leave each mean noisier, a bias of (M - 1) / (n - 1) that the
// adjustment removes on average.
#include "study/variance_shares.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numeric>

namespace study {
namespace {

double share_of(const std::vector<double>& input, std::span<const double> output, double mean,
                double total) {
  const std::size_t n = output.size();
  const auto classes = static_cast<std::size_t>(std::floor(std::sqrt(static_cast<double>(n))));
  std::vector<std::uint32_t> order(n);
  std::iota(order.begin(), order.end(), std::uint32_t{0});
  std::sort(order.begin(), order.end(), [&input](std::uint32_t a, std::uint32_t b) {
    return input[a] < input[b] || (input[a] == input[b] && a < b);
  });
  if (input[order.front()] == input[order.back()]) return 0.0;

  // Class c holds ranks floor(c n / M) .. floor((c + 1) n / M) - 1.
  double between = 0.0;
  for (std::size_t c = 0; c < classes; ++c) {
    const std::size_t first = c * n / classes;
    const std::size_t end = (c + 1) * n / classes;
    double sum = 0.0;
    for (std::size_t r = first; r < end; ++r) sum += output[order[r]];
    const auto count = static_cast<double>(end - first);
    const double deviation = sum / count - mean;
    between += count * deviation * deviation;
  }
  const double eta2 = between / total;
  const double m = static_cast<double>(classes);
  const double nd = static_cast<double>(n);
  return std::clamp(1.0 - (1.0 - eta2) * (nd - 1.0) / (nd - m), 0.0, 1.0);
}

}  // namespace

std::vector<double> variance_shares(const std::vector<std::vector<double>>& inputs,
                                    std::span<const double> output) {
  std::vector<double> shares(inputs.size(), 0.0);
  const std::size_t n = output.size();
  if (n < 4) return shares;
  double sum = 0.0;
  for (const double y : output) sum += y;
  const double mean = sum / static_cast<double>(n);
  double total = 0.0;
  for (const double y : output) total += (y - mean) * (y - mean);
  if (!(total > 0.0)) return shares;
  for (std::size_t k = 0; k < inputs.size(); ++k) {
    assert(inputs[k].size() == n);
    shares[k] = share_of(inputs[k], output, mean, total);
  }
  return shares;
}

}  // namespace study
