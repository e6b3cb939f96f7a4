// The uniformly loaded strip (plane strain), in closed form.
#include "loads/strip.h"

#include <boost/math/constants/constants.hpp>
#include <boost/math/special_functions/cos_pi.hpp>
#include <boost/math/special_functions/sin_pi.hpp>
#include <cmath>

namespace loads {
namespace {

constexpr double kPi = boost::math::constants::pi<double>();

double offset_from_centre_line(const PreparedStrip& strip, PlanPoint point) {
  return (point.x - strip.on_centre_line.x) * strip.normal_x +
         (point.y - strip.on_centre_line.y) * strip.normal_y;
}

}  // namespace

LoadProblems check_fields(const Strip& strip) {
  LoadProblems found;
  require_positive(found, "width", strip.width, "a strip's width");
  require_not_negative(found, "depth", strip.depth, "a load's depth");
  warn_if_zero(found, "pressure", strip.pressure);
  check_schedule(strip.schedule, found);
  return found;
}

PreparedStrip prepare(const Strip& strip) {
  const double half_turns = strip.angle / 180.0;
  return {{strip.x, strip.y},
          -boost::math::sin_pi(half_turns),
          boost::math::cos_pi(half_turns),
          strip.width / 2.0,
          strip.pressure,
          strip.depth};
}

double stress_increase(const PreparedStrip& strip, PlanPoint point, double z) {
  // With x the offset from the centre line and b the half width, the edges
  // lie at angles theta1 = atan((x + b) / z) and theta2 = atan((x - b) / z)
  // from the vertical: alpha = theta1 - theta2, alpha + 2 delta = theta1 +
  // theta2, and sin(alpha) cos(alpha + 2 delta) = (sin 2 theta1 - sin 2 theta2) / 2.
  const double x = offset_from_centre_line(strip, point);
  const double b = strip.half_width;
  const double alpha = std::atan2(2.0 * b * z, z * z + x * x - b * b);
  const double far = x + b;
  const double near = x - b;
  const double sines = z * far / (far * far + z * z) - z * near / (near * near + z * z);
  return strip.pressure * (alpha + sines) / kPi;
}

double surface_stress_increase(const PreparedStrip& strip, PlanPoint point) {
  const double beyond_edge = std::abs(offset_from_centre_line(strip, point)) - strip.half_width;
  if (beyond_edge > kOnOutline) return 0.0;
  if (beyond_edge >= -kOnOutline) return strip.pressure / 2.0;
  return strip.pressure;
}

Outline plan_outline(const Strip& strip) {
  const PreparedStrip p = prepare(strip);
  // Along the centre line (the normal turned clockwise) and across it.
  const double along_x = p.normal_y;
  const double along_y = -p.normal_x;
  const double half_length = kStripOutlineWidths * strip.width / 2.0;
  const double b = p.half_width;
  const double u[4] = {-half_length, half_length, half_length, -half_length};
  const double v[4] = {-b, -b, b, b};
  Outline outline;
  for (int i = 0; i < 4; ++i) {
    outline.ring.push_back({strip.x + u[i] * along_x + v[i] * p.normal_x,
                            strip.y + u[i] * along_y + v[i] * p.normal_y});
  }
  outline.unbounded = true;
  return outline;
}

}  // namespace loads
