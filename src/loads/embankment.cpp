// The embankment: a uniformly loaded crest rectangle and two side rectangles
// under linearly varying load, all in closed form.
#include "loads/embankment.h"

#include <algorithm>
#include <boost/math/constants/constants.hpp>
#include <boost/math/quadrature/gauss.hpp>
#include <cmath>

#include "loads/rectangle.h"

namespace loads {
namespace {

constexpr double kPi = boost::math::constants::pi<double>();

// See side_ratio.
constexpr double kThinSide = 0.01;

// The point in the embankment's own axes: across (u, left of the crest line
// positive) and along (v, from the start).
struct Local {
  double across;
  double along;
};

Local local_position(const PreparedEmbankment& e, PlanPoint point) {
  const double dx = point.x - e.start.x;
  const double dy = point.y - e.start.y;
  return {-dx * e.along_y + dy * e.along_x, dx * e.along_x + dy * e.along_y};
}

// The first moment across, integral of x times the point-load kernel 3 z^3 /
// (2 pi R^5) over x1..x2 by y1..y2 below the origin. Over x the kernel times x
// integrates to (z^3 / 2 pi) (x^2 + y^2 + z^2)^(-3/2), and that over y to
// (z^3 / 2 pi) y / ((x^2 + z^2) R).
double first_moment(double x1, double x2, double y1, double y2, double z) {
  const double z_sq = z * z;
  const auto edge = [&](double x) {
    const double x_sq = x * x;
    const double r1 = std::sqrt(x_sq + y1 * y1 + z_sq);
    const double r2 = std::sqrt(x_sq + y2 * y2 + z_sq);
    return (y2 / r2 - y1 / r1) / (x_sq + z_sq);
  };
  return z_sq * z / (2.0 * kPi) * (edge(x1) - edge(x2));
}

// The point-load kernel integrated along a line at offset x across, from y1
// to y2: with a^2 = x^2 + z^2, (z^3 / 2 pi a^4) [y (2 y^2 + 3 a^2) / (y^2 + a^2)^(3/2)].
double line_ratio(double x, double y1, double y2, double z) {
  const double a_sq = x * x + z * z;
  const auto primitive = [a_sq](double y) {
    const double r_sq = y * y + a_sq;
    return y * (2.0 * y * y + 3.0 * a_sq) / (r_sq * std::sqrt(r_sq));
  };
  return z * z * z / (2.0 * kPi * a_sq * a_sq) * (primitive(y2) - primitive(y1));
}

// A side slope's stress / the crest's load: the load rises linearly from 0 at
// x_toe to 1 at x_crest (across, relative to the point), over y1..y2.
double side_ratio(double x_crest, double x_toe, double y1, double y2, double z) {
  const double low = std::min(x_crest, x_toe);
  const double high = std::max(x_crest, x_toe);
  const double width = high - low;
  const double share_per_length = 1.0 / (x_crest - x_toe);
  // The closed form (M - x_toe U) / (x_crest - x_toe) is a small difference
  // of two terms about distance / width times larger: for a side narrower than
  // kThinSide of its distance from the loaded point, Gauss-Legendre across it
  // is exact to rounding instead (the integrand's nearest singularity lies
  // 1/kThinSide half widths away).
  const double across = low > 0.0 ? low : (high < 0.0 ? -high : 0.0);
  if (width < kThinSide * std::hypot(across, z)) {
    return boost::math::quadrature::gauss<double, 7>::integrate(
        [&](double x) { return (x - x_toe) * share_per_length * line_ratio(x, y1, y2, z); }, low,
        high);
  }
  return (first_moment(low, high, y1, y2, z) -
          x_toe * rectangle_stress_ratio(low, high, y1, y2, z)) *
         share_per_length;
}

}  // namespace

LoadProblems check_fields(const Embankment& embankment) {
  LoadProblems found;
  require_not_negative(found, "crest_width", embankment.crest_width, "an embankment's crest_width");
  require_positive(found, "height", embankment.height, "an embankment's height");
  require_not_negative(found, "side_slope", embankment.side_slope, "an embankment's side_slope");
  if (embankment.crest_width == 0.0 && embankment.side_slope == 0.0) {
    found.push_back({"crest_width",
                     "crest_width and side_slope are both 0: the embankment has no width",
                     Severity::kError});
  }
  require_positive(found, "unit_weight", embankment.unit_weight, "an embankment's unit_weight");
  if (embankment.x1 == embankment.x2 && embankment.y1 == embankment.y2) {
    found.push_back({"x2",
                     "the crest line from (x1, y1) to (x2, y2) = (" + number_text(embankment.x2) +
                         ", " + number_text(embankment.y2) +
                         ") has no length: its ends must differ",
                     Severity::kError});
  }
  require_not_negative(found, "depth", embankment.depth, "a load's depth");
  check_schedule(embankment.schedule, found);
  return found;
}

PreparedEmbankment prepare(const Embankment& embankment, double fill_pressure_factor) {
  PreparedEmbankment p;
  p.start = {embankment.x1, embankment.y1};
  const double dx = embankment.x2 - embankment.x1;
  const double dy = embankment.y2 - embankment.y1;
  p.length = std::hypot(dx, dy);
  p.along_x = dx / p.length;
  p.along_y = dy / p.length;
  p.crest_half_width = embankment.crest_width / 2.0;
  p.side_width = embankment.side_slope * embankment.height;
  p.pressure = embankment.unit_weight * embankment.height * fill_pressure_factor;
  p.level = embankment.depth;
  return p;
}

double stress_increase(const PreparedEmbankment& e, PlanPoint point, double z) {
  // Across the embankment, relative to the point (x = u' - u):
  //
  //            ______________              load p0 on the crest |u'| <= c,
  //           /|            |\             p0 (T - |u'|) / w on the sides,
  //          / |            | \            T = c + w the toe.
  //   ------+--+-----+------+--+-------
  //        -T  -c    0      c   T
  //
  // A side's load is linear in x, a + b x, so its stress is a U + b M with U
  // the rectangle's uniform ratio and M its first moment across.
  const Local local = local_position(e, point);
  const double u = local.across;
  const double y1 = -local.along;
  const double y2 = e.length - local.along;
  const double c = e.crest_half_width;
  double ratio = 0.0;
  if (c > 0.0) ratio += rectangle_stress_ratio(-c - u, c - u, y1, y2, z);
  const double w = e.side_width;
  if (w > 0.0) {
    const double toe = c + w;
    ratio += side_ratio(-c - u, -toe - u, y1, y2, z);
    ratio += side_ratio(c - u, toe - u, y1, y2, z);
  }
  return e.pressure * ratio;
}

double surface_stress_increase(const PreparedEmbankment& e, PlanPoint point) {
  const Local local = local_position(e, point);
  // Along: a share of 1 between the ends, 1/2 on one, 0 beyond.
  const double beyond_end = std::max(-local.along, local.along - e.length);
  if (beyond_end > kOnOutline) return 0.0;
  const double along_share = beyond_end >= -kOnOutline ? 0.5 : 1.0;
  // Across: the fill's height, continuous over sloped sides; a vertical side
  // is a step, whose edge takes half.
  const double from_centre = std::abs(local.across);
  const double c = e.crest_half_width;
  const double w = e.side_width;
  double across_share = 0.0;
  if (w > 0.0) {
    across_share = std::clamp((c + w - from_centre) / w, 0.0, 1.0);
  } else if (from_centre - c > kOnOutline) {
    across_share = 0.0;
  } else {
    across_share = from_centre - c >= -kOnOutline ? 0.5 : 1.0;
  }
  return e.pressure * along_share * across_share;
}

Outline plan_outline(const Embankment& embankment) {
  const PreparedEmbankment p = prepare(embankment, kSiFillPressureFactor);
  const auto at = [&p](double along, double across) {
    return PlanPoint{p.start.x + along * p.along_x - across * p.along_y,
                     p.start.y + along * p.along_y + across * p.along_x};
  };
  const double toe = p.crest_half_width + p.side_width;
  Outline outline;
  outline.ring = {at(0.0, -toe), at(p.length, -toe), at(p.length, toe), at(0.0, toe)};
  if (p.side_width > 0.0) {
    const double c = p.crest_half_width;
    outline.lines.push_back({at(0.0, -c), at(p.length, -c)});
    if (c > 0.0) outline.lines.push_back({at(0.0, c), at(p.length, c)});
  }
  return outline;
}

}  // namespace loads
