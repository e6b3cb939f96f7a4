// Neighbouring points and the distortion between them.
#include "plot/distortion.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <set>

#include "plot/triangulation.h"

namespace plot {
namespace {

// The first of each group of coinciding points.
std::vector<int> distinct_positions(std::span<const PlanPoint> points) {
  std::vector<int> kept;
  for (std::size_t k = 0; k < points.size(); ++k) {
    const bool seen = std::any_of(kept.begin(), kept.end(), [&](int other) {
      const PlanPoint& p = points[static_cast<std::size_t>(other)];
      return p.x == points[k].x && p.y == points[k].y;
    });
    if (!seen) kept.push_back(static_cast<int>(k));
  }
  return kept;
}

// Points on one line (or fewer than three): each and the next along it.
std::vector<std::array<int, 2>> pairs_along_a_line(std::span<const PlanPoint> points,
                                                   std::vector<int> kept) {
  if (kept.size() < 2) return {};
  // Along the direction of the farthest pair from the first point.
  const PlanPoint& origin = points[static_cast<std::size_t>(kept[0])];
  PlanPoint direction{0.0, 0.0};
  for (const int k : kept) {
    const PlanPoint& p = points[static_cast<std::size_t>(k)];
    if (std::hypot(p.x - origin.x, p.y - origin.y) > std::hypot(direction.x, direction.y))
      direction = {p.x - origin.x, p.y - origin.y};
  }
  const auto along = [&](int k) {
    const PlanPoint& p = points[static_cast<std::size_t>(k)];
    return (p.x - origin.x) * direction.x + (p.y - origin.y) * direction.y;
  };
  std::stable_sort(kept.begin(), kept.end(), [&](int a, int b) { return along(a) < along(b); });
  std::vector<std::array<int, 2>> pairs;
  for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
    pairs.push_back({std::min(kept[k], kept[k + 1]), std::max(kept[k], kept[k + 1])});
  }
  // In the order of the point list, as the triangulation's edges come.
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

}  // namespace

std::vector<std::array<int, 2>> neighbour_pairs(std::span<const PlanPoint> points) {
  const std::vector<Triangle> triangles = delaunay_triangles(points);
  if (triangles.empty()) return pairs_along_a_line(points, distinct_positions(points));
  std::set<std::array<int, 2>> edges;
  for (const Triangle& t : triangles) {
    for (int k = 0; k < 3; ++k) {
      const int a = t[static_cast<std::size_t>(k)];
      const int b = t[static_cast<std::size_t>((k + 1) % 3)];
      edges.insert({std::min(a, b), std::max(a, b)});
    }
  }
  return {edges.begin(), edges.end()};
}

std::vector<DistortionRow> distortion_table(std::span<const PlanPoint> points,
                                            std::span<const double> settlements,
                                            double settlement_per_length, double limit) {
  assert(settlements.size() == points.size() && settlement_per_length > 0.0);
  std::vector<DistortionRow> rows;
  for (const auto& pair : neighbour_pairs(points)) {
    const auto a = static_cast<std::size_t>(pair[0]);
    const auto b = static_cast<std::size_t>(pair[1]);
    DistortionRow row;
    row.pair = pair;
    row.distance = std::hypot(points[a].x - points[b].x, points[a].y - points[b].y);
    row.differential = std::fabs(settlements[a] - settlements[b]);
    // The settlement in the length unit first, so the ratio has no unit.
    row.distortion = row.differential / settlement_per_length / row.distance;
    // An infinite settlement at either end: a distortion past every limit,
    // sorted first.
    if (!std::isfinite(row.distortion)) {
      row.differential = row.distortion = std::numeric_limits<double>::infinity();
    }
    row.beyond_limit = row.distortion > limit;
    rows.push_back(row);
  }
  std::stable_sort(rows.begin(), rows.end(), [](const DistortionRow& p, const DistortionRow& q) {
    if (p.distortion != q.distortion) return p.distortion > q.distortion;
    if (p.differential != q.differential) return p.differential > q.differential;
    return p.pair < q.pair;
  });
  return rows;
}

std::vector<DistortionRow> distortion_by_structure(std::span<const PagePoint> points,
                                                   double settlement_per_length, double limit) {
  // The groups in the order their first points come.
  std::vector<std::vector<int>> groups;
  for (std::size_t k = 0; k < points.size(); ++k) {
    if (points[k].structure.empty()) continue;
    auto group = std::find_if(groups.begin(), groups.end(), [&](const std::vector<int>& g) {
      const PagePoint& first = points[static_cast<std::size_t>(g[0])];
      return first.structure == points[k].structure && first.start_layer == points[k].start_layer;
    });
    if (group == groups.end()) {
      groups.push_back({static_cast<int>(k)});
    } else {
      group->push_back(static_cast<int>(k));
    }
  }
  std::vector<DistortionRow> rows;
  for (const std::vector<int>& group : groups) {
    std::vector<PlanPoint> at;
    std::vector<double> settlements;
    for (const int k : group) {
      at.push_back(points[static_cast<std::size_t>(k)].at);
      settlements.push_back(points[static_cast<std::size_t>(k)].settlement);
    }
    for (DistortionRow row : distortion_table(at, settlements, settlement_per_length, limit)) {
      row.pair = {group[static_cast<std::size_t>(row.pair[0])],
                  group[static_cast<std::size_t>(row.pair[1])]};
      rows.push_back(row);
    }
  }
  std::stable_sort(rows.begin(), rows.end(), [](const DistortionRow& p, const DistortionRow& q) {
    if (p.distortion != q.distortion) return p.distortion > q.distortion;
    if (p.differential != q.differential) return p.differential > q.differential;
    return p.pair < q.pair;
  });
  return rows;
}

}  // namespace plot
