// A design's faults, as values. The distributions' figures are checked with
// negated comparisons where a NaN must fail too.
#include "study/design_checks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "study/correlation_matrix.h"

namespace study {
namespace {

template <typename... Calls>
struct Overloaded : Calls... {
  using Calls::operator()...;
};
template <typename... Calls>
Overloaded(Calls...) -> Overloaded<Calls...>;

// The first figure of the distribution that is not finite, in its order of
// declaration.
std::optional<std::pair<Figure, double>> first_infinite(const Distribution& distribution) {
  using Figures = std::vector<std::pair<Figure, double>>;
  const Figures figures = std::visit(
      Overloaded{
          [](const Normal& d) {
            return Figures{{Figure::kMean, d.mean}, {Figure::kSd, d.sd}};
          },
          [](const Lognormal& d) {
            return Figures{{Figure::kMean, d.mean}, {Figure::kCov, d.cov}};
          },
          [](const Uniform& d) {
            return Figures{{Figure::kLow, d.low}, {Figure::kHigh, d.high}};
          },
          [](const Triangular& d) {
            return Figures{{Figure::kLow, d.low}, {Figure::kMode, d.mode}, {Figure::kHigh, d.high}};
          },
      },
      distribution);
  for (const auto& figure : figures) {
    if (!std::isfinite(figure.second)) return figure;
  }
  return std::nullopt;
}

void check_parameter(std::size_t k, const Parameter& parameter, std::vector<DesignFault>& faults) {
  const std::string& target = parameter.target;
  if (const auto infinite = first_infinite(parameter.distribution)) {
    faults.push_back(NotFinite{k, target, infinite->first, infinite->second});
    return;
  }
  std::visit(Overloaded{
                 [&](const Normal& d) {
                   if (d.sd < 0.0) faults.push_back(NegativeSd{k, target, d.sd});
                 },
                 [&](const Lognormal& d) {
                   if (d.mean <= 0.0) faults.push_back(NonPositiveLognormalMean{k, target, d.mean});
                   if (d.cov < 0.0) faults.push_back(NegativeCov{k, target, d.cov});
                 },
                 [&](const Uniform& d) {
                   if (d.low >= d.high) faults.push_back(EmptyRange{k, target, d.low, d.high});
                 },
                 [&](const Triangular& d) {
                   if (d.low >= d.high) {
                     faults.push_back(EmptyRange{k, target, d.low, d.high});
                   } else if (d.mode < d.low || d.mode > d.high) {
                     faults.push_back(ModeOutsideRange{k, target, d.low, d.mode, d.high});
                   }
                 },
             },
             parameter.distribution);
}

// The pairs that carry a matrix that is not positive definite (see the header).
NotPositiveDefinite spoiling_pairs(const Design& design, const Matrix& matrix) {
  const EigenPair smallest = smallest_eigenpair(matrix);
  std::map<std::string, std::size_t> position;
  for (std::size_t k = 0; k < design.parameters.size(); ++k) {
    position.emplace(design.parameters[k].target, k);
  }
  std::vector<double> term(design.correlations.size());
  double most_negative = 0.0;
  for (std::size_t j = 0; j < design.correlations.size(); ++j) {
    const Correlation& c = design.correlations[j];
    term[j] = c.rho * smallest.vector[position.at(c.a)] * smallest.vector[position.at(c.b)];
    most_negative = std::min(most_negative, term[j]);
  }
  NotPositiveDefinite fault;
  fault.smallest_eigenvalue = smallest.value;
  for (std::size_t j = 0; j < design.correlations.size(); ++j) {
    if (term[j] < 0.0 && term[j] <= 0.1 * most_negative) {
      const Correlation& c = design.correlations[j];
      fault.pairs.push_back({j, c.a, c.b, c.rho});
    }
  }
  return fault;
}

}  // namespace

std::vector<DesignFault> check_design(const Design& design) {
  std::vector<DesignFault> faults;
  if (design.samples < 1 || design.samples > kMaxSamples) {
    faults.push_back(SampleCountOutOfRange{design.samples});
  }
  for (std::size_t k = 0; k < design.parameters.size(); ++k) {
    check_parameter(k, design.parameters[k], faults);
  }

  // Step 1: the targets, each once.
  const std::size_t before_pairs = faults.size();
  std::map<std::string, std::size_t> position;
  for (std::size_t k = 0; k < design.parameters.size(); ++k) {
    const auto [it, fresh] = position.emplace(design.parameters[k].target, k);
    if (!fresh) faults.push_back(DuplicateTarget{k, it->second, design.parameters[k].target});
  }

  // Step 2: each correlation on its own, then against the earlier ones.
  std::map<std::pair<std::size_t, std::size_t>, std::size_t> pairs;
  for (std::size_t j = 0; j < design.correlations.size(); ++j) {
    const Correlation& c = design.correlations[j];
    if (!(c.rho >= -1.0 && c.rho <= 1.0)) faults.push_back(RhoOutsideRange{j, c.a, c.b, c.rho});
    const auto a = position.find(c.a);
    const auto b = position.find(c.b);
    if (a == position.end()) faults.push_back(UnknownCorrelationTarget{j, c.a});
    if (b == position.end() && c.b != c.a) faults.push_back(UnknownCorrelationTarget{j, c.b});
    if (c.a == c.b) {
      faults.push_back(SelfCorrelation{j, c.a});
      continue;
    }
    if (a == position.end() || b == position.end()) continue;
    const auto key = std::minmax(a->second, b->second);
    const auto [it, fresh] = pairs.emplace(key, j);
    if (!fresh) faults.push_back(DuplicatePair{j, it->second, c.a, c.b});
  }

  // Step 3: the matrix as a whole, once its entries are sound.
  if (faults.size() == before_pairs && !design.correlations.empty()) {
    const Matrix matrix = correlation_matrix(design);
    if (!cholesky_factor(matrix)) faults.push_back(spoiling_pairs(design, matrix));
  }
  return faults;
}

}  // namespace study
