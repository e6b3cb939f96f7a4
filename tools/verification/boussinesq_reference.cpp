// Boussinesq's point load integrated over loaded areas with Boost.Math's
// quadrature, and the closed forms the integrals are checked against.
#include "verification/boussinesq_reference.h"

#include <algorithm>
#include <boost/math/constants/constants.hpp>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <cmath>
#include <vector>

namespace verification {
namespace {

constexpr double kPi = boost::math::constants::pi<double>();

// Relative tolerances of the two levels of the nested integrals: the inner
// one tighter, so that its rounding does not look like roughness to the outer.
constexpr double kInnerTolerance = 1.0e-10;
constexpr double kOuterTolerance = 1.0e-9;
constexpr unsigned kMaxDepth = 20;

using Rule = boost::math::quadrature::gauss_kronrod<double, 15>;

template <typename F>
double integrate(const F& f, double from, double to, double tolerance) {
  if (!(to > from)) return 0.0;
  return Rule::integrate(f, from, to, kMaxDepth, tolerance);
}

// The integral of `f` from `from` to `to`, split at `at` when it lies
// between them, so that a peak at `at` stands at the end of both pieces.
template <typename F>
double integrate_split(const F& f, double from, double to, double at, double tolerance) {
  if (from < at && at < to) {
    return integrate(f, from, at, tolerance) + integrate(f, at, to, tolerance);
  }
  return integrate(f, from, to, tolerance);
}

// Newmark's corner influence for sides m z and n z.
double corner_factor(double m, double n) {
  if (m <= 0.0 || n <= 0.0) return 0.0;
  const double m2 = m * m;
  const double n2 = n * n;
  const double v = m2 + n2 + 1.0;
  const double root = std::sqrt(v);
  const double first = 2.0 * m * n * root / (v + m2 * n2) * (v + 1.0) / v;
  // atan2 keeps the angle in 0..pi where V < m^2 n^2, as Newmark's chart does.
  const double second = std::atan2(2.0 * m * n * root, v - m2 * n2);
  return (first + second) / (4.0 * kPi);
}

// Influence of the quadrant rectangle from the point to (x, y): positive when
// x and y have the same sign, so that four of them superpose to any rectangle.
double signed_quadrant(double x, double y, double z) {
  const double sign = (x < 0.0) != (y < 0.0) ? -1.0 : 1.0;
  return sign * corner_factor(std::abs(x) / z, std::abs(y) / z);
}

}  // namespace

double point_load_kernel(double r, double z) {
  const double r_sq = r * r + z * z;
  return 3.0 * z * z * z / (2.0 * kPi * r_sq * r_sq * std::sqrt(r_sq));
}

double polygon_stress_ratio(std::span<const PlanPoint> corners, PlanPoint point, double z) {
  // Coordinates relative to the point, whose plan position is where the
  // kernel peaks.
  std::vector<PlanPoint> shifted;
  shifted.reserve(corners.size());
  for (const PlanPoint& c : corners) shifted.push_back({c.x - point.x, c.y - point.y});

  std::vector<double> breaks;
  for (const PlanPoint& c : shifted) breaks.push_back(c.x);
  const auto [low, high] = std::minmax_element(breaks.begin(), breaks.end());
  if (*low < 0.0 && 0.0 < *high) breaks.push_back(0.0);
  std::sort(breaks.begin(), breaks.end());
  breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());

  // The polygon's extent along y at x: the lowest and highest crossing of
  // the edges that span x (convexity makes it one interval).
  const auto y_span = [&shifted](double x, double& y_low, double& y_high) {
    y_low = 0.0;
    y_high = 0.0;
    bool found = false;
    for (std::size_t i = 0; i < shifted.size(); ++i) {
      const PlanPoint& p = shifted[i];
      const PlanPoint& q = shifted[(i + 1) % shifted.size()];
      if (p.x == q.x || x < std::min(p.x, q.x) || x > std::max(p.x, q.x)) continue;
      const double y = p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x);
      y_low = found ? std::min(y_low, y) : y;
      y_high = found ? std::max(y_high, y) : y;
      found = true;
    }
  };

  const auto inner = [&](double x) {
    double y_low = 0.0;
    double y_high = 0.0;
    y_span(x, y_low, y_high);
    const auto kernel = [x, z](double y) { return point_load_kernel(std::hypot(x, y), z); };
    return integrate_split(kernel, y_low, y_high, 0.0, kInnerTolerance);
  };

  double sum = 0.0;
  for (std::size_t i = 0; i + 1 < breaks.size(); ++i) {
    sum += integrate(inner, breaks[i], breaks[i + 1], kOuterTolerance);
  }
  return sum;
}

RectangleCorners rectangle_corners(PlanPoint centre, double x_length, double y_length,
                                   double slope) {
  const double root = std::sqrt(1.0 + slope * slope);
  const double c = 1.0 / root;
  const double t = slope / root;
  const double a = x_length / 2.0;
  const double b = y_length / 2.0;
  const double u[4] = {-a, a, a, -a};
  const double v[4] = {-b, -b, b, b};
  RectangleCorners corners;
  for (int i = 0; i < 4; ++i) {
    corners.corner[i] = {centre.x + u[i] * c - v[i] * t, centre.y + u[i] * t + v[i] * c};
  }
  return corners;
}

double circle_stress_ratio_numerical(double radius, double r, double z) {
  // The point on the x axis at distance r; the disk symmetric about that
  // axis, so twice the half from angle 0 (towards the point) to pi.
  const auto inner = [&](double theta) {
    const double cos_theta = std::cos(theta);
    const auto kernel = [&](double rho) {
      const double d_sq = rho * rho + r * r - 2.0 * rho * r * cos_theta;
      return point_load_kernel(std::sqrt(std::max(d_sq, 0.0)), z) * rho;
    };
    return integrate_split(kernel, 0.0, radius, r, kInnerTolerance);
  };
  return 2.0 * integrate(inner, 0.0, kPi, kOuterTolerance);
}

double circle_stress_ratio_by_rays(double radius, double r, double z) {
  // Along a ray from the point at angle theta (0 pointing away from the
  // centre) the kernel integrates in closed form: a disk from distance rho to
  // the point's axis carries (1 - z^3 / (rho^2 + z^2)^(3/2)) / (2 pi) per radian.
  const auto beyond = [z](double rho) {
    const double ratio = z * z / (rho * rho + z * z);
    return ratio * std::sqrt(ratio);
  };
  if (r < radius) {
    const auto ray = [&](double theta) {
      const double s = std::sin(theta);
      const double far = -r * std::cos(theta) + std::sqrt(radius * radius - r * r * s * s);
      return 1.0 - beyond(far);
    };
    return 2.0 * integrate(ray, 0.0, kPi, kOuterTolerance) / (2.0 * kPi);
  }
  // Outside: only the rays towards the disk cross it, between the near and
  // the far crossing; theta measured from the direction of the centre. The
  // chord closes like the square root of the angle left to the tangent ray:
  // with theta = edge - t^2 the integrand is smooth.
  const double edge = std::asin(std::min(radius / r, 1.0));
  const auto ray = [&](double t) {
    const double theta = edge - t * t;
    const double s = std::sin(theta);
    const double half_chord = std::sqrt(std::max(radius * radius - r * r * s * s, 0.0));
    const double mid = r * std::cos(theta);
    return (beyond(mid - half_chord) - beyond(mid + half_chord)) * 2.0 * t;
  };
  return 2.0 * integrate(ray, 0.0, std::sqrt(edge), kOuterTolerance) / (2.0 * kPi);
}

double circle_axis_closed_form(double radius, double z) {
  const double ratio = z * z / (radius * radius + z * z);
  return 1.0 - ratio * std::sqrt(ratio);
}

double rectangle_corner_closed_form(double b, double l, double z) {
  return corner_factor(b / z, l / z);
}

double rectangle_closed_form(double a, double b, double u, double v, double z) {
  // The rectangle from the point to (x, y) counts +1 or -1; the area is the
  // sum over its corners with alternating signs.
  const double x1 = -a - u;
  const double x2 = a - u;
  const double y1 = -b - v;
  const double y2 = b - v;
  return signed_quadrant(x2, y2, z) - signed_quadrant(x1, y2, z) - signed_quadrant(x2, y1, z) +
         signed_quadrant(x1, y1, z);
}

double spread_2to1_ratio(double length_x, double length_y, double u, double v, double d) {
  const bool inside = std::abs(u) <= (length_x + d) / 2.0 && std::abs(v) <= (length_y + d) / 2.0;
  if (!inside) return 0.0;
  return length_x * length_y / ((length_x + d) * (length_y + d));
}

}  // namespace verification
