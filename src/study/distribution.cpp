// Quantiles by Boost.Math. A lognormal given by its mean m and coefficient of
// variation v has the logarithm's parameters
//   sigma^2 = ln(1 + v^2),   mu = ln m - sigma^2 / 2.
#include "study/distribution.h"

#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/triangular.hpp>
#include <boost/math/distributions/uniform.hpp>
#include <cmath>

namespace study {
namespace {

// Boost promotes double to long double inside by default, whose width
// differs between platforms and compilers; the study's bits must not.
using Policy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;

template <typename... Calls>
struct Overloaded : Calls... {
  using Calls::operator()...;
};
template <typename... Calls>
Overloaded(Calls...) -> Overloaded<Calls...>;

boost::math::lognormal_distribution<double, Policy> log_form(const Lognormal& d) {
  const double sigma2 = std::log1p(d.cov * d.cov);
  return {std::log(d.mean) - 0.5 * sigma2, std::sqrt(sigma2)};
}

// A zero spread is allowed and means a fixed value, which Boost's
// distributions do not take; the caller returns the mean itself.
template <typename Form>
double with_form(const Distribution& distribution, const Form& form) {
  return std::visit(
      Overloaded{
          [&](const Normal& d) {
            if (d.sd == 0.0) return form.fixed(d.mean);
            return form(boost::math::normal_distribution<double, Policy>(d.mean, d.sd));
          },
          [&](const Lognormal& d) {
            if (d.cov == 0.0) return form.fixed(d.mean);
            return form(log_form(d));
          },
          [&](const Uniform& d) {
            return form(boost::math::uniform_distribution<double, Policy>(d.low, d.high));
          },
          [&](const Triangular& d) {
            return form(
                boost::math::triangular_distribution<double, Policy>(d.low, d.mode, d.high));
          },
      },
      distribution);
}

struct QuantileForm {
  double p;
  double fixed(double value) const { return value; }
  template <typename D>
  double operator()(const D& d) const {
    return boost::math::quantile(d, p);
  }
};

struct CdfForm {
  double x;
  double fixed(double value) const { return x < value ? 0.0 : 1.0; }
  template <typename D>
  double operator()(const D& d) const {
    return boost::math::cdf(d, x);
  }
};

}  // namespace

double quantile(const Distribution& distribution, double p) {
  return with_form(distribution, QuantileForm{p});
}

double cdf(const Distribution& distribution, double x) {
  return with_form(distribution, CdfForm{x});
}

double normal_score(double p) {
  return boost::math::quantile(boost::math::normal_distribution<double, Policy>(), p);
}

double standard_normal_cdf(double z) {
  return boost::math::cdf(boost::math::normal_distribution<double, Policy>(), z);
}

}  // namespace study
