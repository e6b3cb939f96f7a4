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

// One stretch across an embankment, from `low` to `high`, over which the
// fill's height (as a share of the crest's) runs linearly from `share_low`
// to `share_high`.
struct FillPiece {
  double low;
  double high;
  double share_low;
  double share_high;
};

// The left side, the crest and the right side, those of any width.
std::vector<FillPiece> fill_pieces(double crest_half_width, double side_width) {
  const double toe = crest_half_width + side_width;
  std::vector<FillPiece> pieces;
  if (side_width > 0.0) pieces.push_back({-toe, -crest_half_width, 0.0, 1.0});
  if (crest_half_width > 0.0) pieces.push_back({-crest_half_width, crest_half_width, 1.0, 1.0});
  if (side_width > 0.0) pieces.push_back({crest_half_width, toe, 1.0, 0.0});
  return pieces;
}

// The integral of share x f(u) du across the fill, piece by piece, each in
// its own variable s from 0 to 1: the share is then exact however narrow the
// piece (as (toe - u) / width it would lose digits on a thin side), and each
// piece is split where the point's own position `at` falls.
template <typename F>
double across_fill(double crest_half_width, double side_width, double at, const F& f,
                   double tolerance) {
  double sum = 0.0;
  for (const FillPiece& piece : fill_pieces(crest_half_width, side_width)) {
    const double width = piece.high - piece.low;
    const auto integrand = [&](double s) {
      const double share = piece.share_low + (piece.share_high - piece.share_low) * s;
      return share * f(piece.low + width * s) * width;
    };
    sum += integrate_split(integrand, 0.0, 1.0, (at - piece.low) / width, tolerance);
  }
  return sum;
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

  // The polygon's extent along y at x: the crossings of the edges that span
  // x, in pairs from below (one pair for a convex outline). The quadrature
  // never asks at a break, so no crossing falls on a vertex.
  const auto crossings = [&shifted](double x) {
    std::vector<double> ys;
    for (std::size_t i = 0; i < shifted.size(); ++i) {
      const PlanPoint& p = shifted[i];
      const PlanPoint& q = shifted[(i + 1) % shifted.size()];
      if (p.x == q.x || x < std::min(p.x, q.x) || x >= std::max(p.x, q.x)) continue;
      ys.push_back(p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x));
    }
    std::sort(ys.begin(), ys.end());
    return ys;
  };

  const auto inner = [&](double x) {
    const std::vector<double> ys = crossings(x);
    const auto kernel = [x, z](double y) { return point_load_kernel(std::hypot(x, y), z); };
    double sum = 0.0;
    for (std::size_t i = 0; i + 1 < ys.size(); i += 2) {
      sum += integrate_split(kernel, ys[i], ys[i + 1], 0.0, kInnerTolerance);
    }
    return sum;
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

double circle_stress_ratio_by_rays(double radius, double r, double z, double tolerance) {
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
    return 2.0 * integrate(ray, 0.0, kPi, tolerance) / (2.0 * kPi);
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
  return 2.0 * integrate(ray, 0.0, std::sqrt(edge), tolerance) / (2.0 * kPi);
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

double strip_closed_form(double half_width, double offset, double z) {
  const double toward = std::atan((offset - half_width) / z);
  const double away = std::atan((offset + half_width) / z);
  const double alpha = away - toward;
  const double delta = toward;
  return (alpha + std::sin(alpha) * std::cos(alpha + 2.0 * delta)) / kPi;
}

double osterberg_influence(double a, double b, double z) {
  const double alpha2 = std::atan(b / z);
  const double alpha1 = std::atan((a + b) / z) - alpha2;
  return ((a + b) / a * (alpha1 + alpha2) - b / a * alpha2) / kPi;
}

double embankment_plane_ratio_numerical(double crest_half_width, double side_width, double offset,
                                        double z) {
  const auto line_load = [&](double u) {
    const double d_sq = (u - offset) * (u - offset) + z * z;
    return 2.0 * z * z * z / (kPi * d_sq * d_sq);
  };
  return across_fill(crest_half_width, side_width, offset, line_load, kInnerTolerance);
}

double embankment_ratio_numerical(double crest_half_width, double side_width, double length,
                                  double across, double along, double z) {
  const auto inner = [&](double u) {
    const double du = u - across;
    const auto kernel = [du, z, along](double v) {
      return point_load_kernel(std::hypot(du, v - along), z);
    };
    return integrate_split(kernel, 0.0, length, along, kInnerTolerance);
  };
  return across_fill(crest_half_width, side_width, across, inner, kOuterTolerance);
}

}  // namespace verification
