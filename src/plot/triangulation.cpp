// The Delaunay triangles, taken as the dual of Boost.Polygon's Voronoi
// diagram: each Voronoi vertex is the circumcentre of the sites around it.
#include "plot/triangulation.h"

#include <algorithm>
#include <boost/polygon/voronoi.hpp>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>

namespace plot {
namespace {

using Site = boost::polygon::point_data<std::int32_t>;

// Boost.Polygon works on integer coordinates: the plan is moved to its centre
// and scaled so that its larger half-extent spans 2^28, far inside int32 and
// far finer than any coordinate the input can give.
std::vector<Site> integer_sites(std::span<const PlanPoint> points) {
  double min_x = points[0].x, max_x = points[0].x, min_y = points[0].y, max_y = points[0].y;
  for (const PlanPoint& p : points) {
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
  const double cx = (min_x + max_x) / 2.0;
  const double cy = (min_y + max_y) / 2.0;
  const double half = std::max({(max_x - min_x) / 2.0, (max_y - min_y) / 2.0, 1e-30});
  const double scale = static_cast<double>(1 << 28) / half;
  std::vector<Site> sites;
  sites.reserve(points.size());
  for (const PlanPoint& p : points) {
    sites.emplace_back(static_cast<std::int32_t>(std::lround((p.x - cx) * scale)),
                       static_cast<std::int32_t>(std::lround((p.y - cy) * scale)));
  }
  return sites;
}

}  // namespace

std::vector<Triangle> delaunay_triangles(std::span<const PlanPoint> points) {
  std::vector<Triangle> triangles;
  if (points.size() < 3) return triangles;
  const std::vector<Site> all = integer_sites(points);

  // The first of coincident points stands for all of them.
  std::vector<Site> sites;
  std::vector<int> position_of_site;
  std::map<std::pair<std::int32_t, std::int32_t>, int> seen;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (seen.emplace(std::make_pair(all[i].x(), all[i].y()), static_cast<int>(i)).second) {
      sites.push_back(all[i]);
      position_of_site.push_back(static_cast<int>(i));
    }
  }
  if (sites.size() < 3) return triangles;

  boost::polygon::voronoi_diagram<double> diagram;
  boost::polygon::construct_voronoi(sites.begin(), sites.end(), &diagram);
  for (const auto& vertex : diagram.vertices()) {
    // The cells met in turn around a vertex are the corners of a convex
    // polygon inscribed in one circle: three of them make one triangle.
    std::vector<int> ring;
    const auto* edge = vertex.incident_edge();
    do {
      ring.push_back(position_of_site[edge->cell()->source_index()]);
      edge = edge->rot_next();
    } while (edge != vertex.incident_edge());
    for (std::size_t k = 1; k + 1 < ring.size(); ++k)
      triangles.push_back({ring[0], ring[k], ring[k + 1]});
  }
  return triangles;
}

}  // namespace plot
