// The uniformly loaded polygon: Boussinesq's integral over it as a sum over
// its edges, each edge closing a signed triangle with the point's projection.
#include "loads/polygon.h"

#include <algorithm>
// GCC 12 sees a value in Boost.Geometry's validity check (its rescale factor)
// as possibly unset where it inlines it; the factor is always set first.
// Boost 1.74's geometry headers still include a header that Boost itself has
// since moved, and say so at every build.
#define BOOST_ALLOW_DEPRECATED_HEADERS
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <boost/geometry/algorithms/area.hpp>
#include <boost/geometry/algorithms/distance.hpp>
#include <boost/geometry/algorithms/envelope.hpp>
#include <boost/geometry/algorithms/intersects.hpp>
#include <boost/geometry/algorithms/is_valid.hpp>
#include <boost/geometry/algorithms/within.hpp>
#include <boost/geometry/geometries/box.hpp>
#include <boost/geometry/geometries/register/point.hpp>
#include <boost/geometry/geometries/register/ring.hpp>
#include <boost/geometry/geometries/segment.hpp>
#include <boost/geometry/strategies/strategies.hpp>
#pragma GCC diagnostic pop
#include <boost/math/constants/constants.hpp>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>

// The vertices as Boost.Geometry sees them: a counter-clockwise ring whose
// last vertex joins the first without repeating it. The program's only
// registration of these types.
BOOST_GEOMETRY_REGISTER_POINT_2D(loads::PlanPoint, double, boost::geometry::cs::cartesian, x, y)
BOOST_GEOMETRY_REGISTER_RING(std::vector<loads::PlanPoint>)

namespace boost::geometry::traits {
template <>
struct point_order<std::vector<loads::PlanPoint>> {
  static const order_selector value = counterclockwise;
};
template <>
struct closure<std::vector<loads::PlanPoint>> {
  static const closure_selector value = open;
};
}  // namespace boost::geometry::traits

namespace loads {
namespace {

namespace bg = boost::geometry;
using Ring = std::vector<PlanPoint>;
using Segment = bg::model::referring_segment<const PlanPoint>;

constexpr double kPi = boost::math::constants::pi<double>();

// Below this share of its extent squared, a polygon's area counts as none.
constexpr double kNoArea = 1.0e-12;

double cross(PlanPoint a, PlanPoint b) { return a.x * b.y - a.y * b.x; }
double dot(PlanPoint a, PlanPoint b) { return a.x * b.x + a.y * b.y; }
PlanPoint minus(PlanPoint a, PlanPoint b) { return {a.x - b.x, a.y - b.y}; }

std::string vertex_key(std::size_t index) { return "vertices[" + std::to_string(index + 1) + "]"; }

std::string edge_text(std::size_t edge, std::size_t count) {
  return "the edge from " + vertex_key(edge) + " to " + vertex_key((edge + 1) % count);
}

// The counter-clockwise ring and its signed area as given.
Ring counter_clockwise(const std::vector<PlanPoint>& vertices, double& given_area) {
  Ring ring = vertices;
  given_area = bg::area(ring);
  if (given_area < 0.0) std::reverse(ring.begin(), ring.end());
  return ring;
}

// The first pair of edges that are not neighbours and meet, as a message. An
// outline that turns straight back along itself is caught here too: the edge
// after the turn starts on the edge before it.
std::optional<std::string> crossing_edges(const Ring& given) {
  const std::size_t n = given.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Segment first(given[i], given[(i + 1) % n]);
    for (std::size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // the last edge ends where the first starts
      const Segment second(given[j], given[(j + 1) % n]);
      if (bg::intersects(first, second)) {
        return edge_text(i, n) + " meets " + edge_text(j, n) +
               ": the outline must not cross or touch itself";
      }
    }
  }
  return std::nullopt;
}

}  // namespace

LoadProblems check_fields(const Polygon& polygon) {
  LoadProblems found;
  require_not_negative(found, "depth", polygon.depth, "a load's depth");
  warn_if_zero(found, "pressure", polygon.pressure);
  check_schedule(polygon.schedule, found);

  const std::vector<PlanPoint>& v = polygon.vertices;
  if (v.size() < 3) {
    found.push_back({"vertices",
                     "vertices has " + std::to_string(v.size()) +
                         (v.size() == 1 ? " vertex" : " vertices") +
                         ": a polygon needs three or more",
                     Severity::kError});
    return found;
  }
  bool repeated = false;
  for (std::size_t i = 1; i < v.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (v[i].x != v[j].x || v[i].y != v[j].y) continue;
      found.push_back({vertex_key(i),
                       vertex_key(i) + " (" + number_text(v[i].x) + ", " + number_text(v[i].y) +
                           ") repeats " + vertex_key(j) +
                           ": each vertex is given once, and the outline closes by itself",
                       Severity::kError});
      repeated = true;
      break;
    }
  }
  if (repeated) return found;

  double area = 0.0;
  const Ring ring = counter_clockwise(v, area);
  const bool valid = bg::is_valid(ring);
  if (!valid) {
    if (std::optional<std::string> crossing = crossing_edges(v)) {
      found.push_back({"vertices", *crossing, Severity::kError});
      return found;
    }
  }
  bg::model::box<PlanPoint> extent;
  bg::envelope(ring, extent);
  const double width = extent.max_corner().x - extent.min_corner().x;
  const double height = extent.max_corner().y - extent.min_corner().y;
  if (std::abs(area) <= kNoArea * (width * width + height * height)) {
    found.push_back({"vertices",
                     "the polygon's area is " + number_text(std::abs(area)) +
                         ": its vertices must enclose an area",
                     Severity::kError});
    return found;
  }
  if (!valid) {
    std::string reason;
    bg::is_valid(ring, reason);
    found.push_back(
        {"vertices", "the outline is not a simple polygon: " + reason, Severity::kError});
  }
  return found;
}

PreparedPolygon prepare(const Polygon& polygon) {
  PreparedPolygon p;
  double area = 0.0;
  p.vertices = counter_clockwise(polygon.vertices, area);
  const std::size_t n = p.vertices.size();
  for (std::size_t i = 0; i < n; ++i) {
    const PlanPoint edge = minus(p.vertices[(i + 1) % n], p.vertices[i]);
    const double length = std::hypot(edge.x, edge.y);
    p.directions.push_back({edge.x / length, edge.y / length});
    // Counter-clockwise from the edge leaving the vertex to the edge arriving.
    const PlanPoint back = minus(p.vertices[(i + n - 1) % n], p.vertices[i]);
    double angle = std::atan2(cross(edge, back), dot(edge, back));
    if (angle < 0.0) angle += 2.0 * kPi;
    p.interior_angles.push_back(angle);
  }
  p.pressure = polygon.pressure;
  p.level = polygon.depth;
  return p;
}

double stress_increase(const PreparedPolygon& polygon, PlanPoint point, double z) {
  // Each edge V1 V2 and the point's projection P form a triangle, signed by
  // its turn. With the edge's unit direction e, the vertices relative to P are
  // p = h n + t e: h the distance from P to the edge's line (positive where P
  // lies to the left of the edge), t1 and t2 along it. Integrating the point
  // load over the triangle in polar coordinates about P, with phi from the
  // foot of the perpendicular and R the distance from the loaded point to a
  // vertex (R^2 = h^2 + t^2 + z^2),
  //
  //        V2                2 pi sigma / q = [phi - asin(z sin(phi) / A)
  //       /|                                   + z h^2 sin(phi) / (A^2 sqrt(A^2 - z^2 sin^2 phi))]
  //   h  / |  t2                                from phi1 to phi2, A^2 = h^2 + z^2,
  //     P--+                                  = (phi2 - phi1) - (alpha2 - alpha1)
  //        |  t1                                + z h / A^2 (t2 / R2 - t1 / R1),
  //        V1
  //                          with alpha = atan(z t / (h R)). Both angle differences are
  // taken by one atan2 of products, which stays exact as h -> 0 (the edge's
  // line through P adds nothing) and needs no trigonometry but that one call.
  const std::size_t n = polygon.vertices.size();
  const double z_sq = z * z;
  PlanPoint p1 = minus(polygon.vertices[0], point);
  double r1 = std::sqrt(dot(p1, p1) + z_sq);
  double sum = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const PlanPoint p2 = minus(polygon.vertices[i + 1 == n ? 0 : i + 1], point);
    const double r2 = std::sqrt(dot(p2, p2) + z_sq);
    const PlanPoint e = polygon.directions[i];
    const double h = cross(p1, e);
    const double t1 = dot(p1, e);
    const double t2 = dot(p2, e);
    // phi2 - phi1 as the turn from p1 to p2 = h n + t e, and alpha2 - alpha1
    // as the turn of (h^2 R1 R2 + z^2 t1 t2, z h (t2 R1 - t1 R2)). Both from
    // the same h, t1 and t2: where P lies at a vertex or on the edge's line, h
    // is 0 up to rounding, and the two turns must see the same h for their
    // difference to vanish.
    const double turn_cos = h * h + t1 * t2;
    const double turn_sin = h * (t2 - t1);
    const double r1_r2 = r1 * r2;
    const double across_r = t2 * r1 - t1 * r2;  // (t2 / R2 - t1 / R1) R1 R2
    const double alpha_cos = h * h * r1_r2 + z_sq * t1 * t2;
    const double alpha_sin = z * h * across_r;
    const double angle = std::atan2(turn_sin * alpha_cos - turn_cos * alpha_sin,
                                    turn_cos * alpha_cos + turn_sin * alpha_sin);
    sum += angle + alpha_sin / ((h * h + z_sq) * r1_r2);
    p1 = p2;
    r1 = r2;
  }
  return polygon.pressure * sum / (2.0 * kPi);
}

double surface_stress_increase(const PreparedPolygon& polygon, PlanPoint point) {
  const std::size_t n = polygon.vertices.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (bg::distance(point, polygon.vertices[i]) <= kOnOutline) {
      return polygon.pressure * polygon.interior_angles[i] / (2.0 * kPi);
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    const Segment edge(polygon.vertices[i], polygon.vertices[(i + 1) % n]);
    if (bg::distance(point, edge) <= kOnOutline) return polygon.pressure / 2.0;
  }
  return bg::within(point, polygon.vertices) ? polygon.pressure : 0.0;
}

Outline plan_outline(const Polygon& polygon) {
  Outline outline;
  outline.ring = polygon.vertices;
  return outline;
}

}  // namespace loads
