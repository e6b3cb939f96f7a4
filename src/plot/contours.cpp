// Contour lines and the regions above each level, over the grid's cells,
// each cut into four triangles at its centre:
//
//   d-------c     a = (i, j), b = (i + 1, j), c = (i + 1, j + 1), d = (i, j + 1),
//   | \   / |     m = the centre, valued at the average of a, b, c and d;
//   |   m   |     triangles abm, bcm, cdm and dam.
//   | /   \ |
//   a-------b
#include "plot/contours.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <unordered_map>

namespace plot {
namespace {

// A node or a cell centre, numbered so that an edge between two of them has
// one key, whichever triangle it is seen from.
struct Vertex {
  double x, y, value;
  std::int64_t id;
};

using Triangle3 = std::array<Vertex, 3>;

// The four triangles of the cell whose lower left node is (i, j).
std::array<Triangle3, 4> cell_triangles(const ValueGrid& grid, int i, int j) {
  const auto node = [&](int ii, int jj) {
    return Vertex{grid.x0 + grid.spacing * ii, grid.y0 + grid.spacing * jj, grid.at(ii, jj),
                  static_cast<std::int64_t>(jj) * grid.columns + ii};
  };
  const Vertex a = node(i, j), b = node(i + 1, j), c = node(i + 1, j + 1), d = node(i, j + 1);
  const std::int64_t nodes = static_cast<std::int64_t>(grid.columns) * grid.rows;
  const Vertex m{grid.x0 + grid.spacing * (i + 0.5), grid.y0 + grid.spacing * (j + 0.5),
                 (a.value + b.value + c.value + d.value) / 4.0,
                 nodes + static_cast<std::int64_t>(j) * grid.columns + i};
  return {{{a, b, m}, {b, c, m}, {c, d, m}, {d, a, m}}};
}

std::uint64_t edge_key(const Vertex& p, const Vertex& q) {
  const auto low = static_cast<std::uint64_t>(std::min(p.id, q.id));
  const auto high = static_cast<std::uint64_t>(std::max(p.id, q.id));
  return low << 32 | high;
}

// Where the value reaches `level` on the edge pq, worked out from the vertex
// with the smaller number, so both triangles of an edge find the same point.
PlanPoint crossing(const Vertex& p, const Vertex& q, double level) {
  const Vertex& from = p.id < q.id ? p : q;
  const Vertex& to = p.id < q.id ? q : p;
  const double f = (level - from.value) / (to.value - from.value);
  return {from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f};
}

// The segments of one level, as pairs of edge keys, and the crossing point of
// every edge key, chained into lines.
struct LevelSegments {
  std::vector<std::array<std::uint64_t, 2>> segments;
  std::unordered_map<std::uint64_t, PlanPoint> points;
};

// A triangle's vertices run counter-clockwise. Of the two edges the level
// crosses, the segment runs from the one left going down (above to below) to
// the one entered going up, which keeps the side above the level on its left.
void add_triangle_segment(const Triangle3& t, double level, LevelSegments& out) {
  std::uint64_t from = 0, to = 0;
  int found = 0;
  for (int k = 0; k < 3; ++k) {
    const Vertex& p = t[static_cast<std::size_t>(k)];
    const Vertex& q = t[static_cast<std::size_t>((k + 1) % 3)];
    const bool p_above = p.value >= level;
    if (p_above == (q.value >= level)) continue;
    const std::uint64_t key = edge_key(p, q);
    out.points.emplace(key, crossing(p, q, level));
    (p_above ? from : to) = key;
    ++found;
  }
  // A plane meets a triangle in no edge or in two.
  if (found == 2) out.segments.push_back({from, to});
}

void append_point(std::vector<PlanPoint>& line, const PlanPoint& p) {
  if (line.empty() || line.back().x != p.x || line.back().y != p.y) line.push_back(p);
}

// Chains the segments of one level head to tail: first from every tail that
// ends no segment (lines that come in across the grid's border), then the
// loops that are left. An edge is crossed by the segments of its two
// triangles, ending one and starting the other.
void chain(const LevelSegments& level_segments, double level, std::vector<ContourLine>& lines) {
  const auto& segments = level_segments.segments;
  std::unordered_map<std::uint64_t, int> starting;  // edge key: the segment it starts
  std::unordered_map<std::uint64_t, int> ending;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    starting.emplace(segments[s][0], static_cast<int>(s));
    ending.emplace(segments[s][1], static_cast<int>(s));
  }
  std::vector<bool> used(segments.size(), false);
  const auto walk = [&](std::size_t first) {
    ContourLine line;
    line.level = level;
    const std::uint64_t start = segments[first][0];
    append_point(line.points, level_segments.points.at(start));
    std::uint64_t key = start;
    for (std::size_t s = first; !used[s];) {
      used[s] = true;
      key = segments[s][1];
      append_point(line.points, level_segments.points.at(key));
      const auto next = starting.find(key);
      if (next == starting.end()) break;
      s = static_cast<std::size_t>(next->second);
    }
    line.closed = key == start;
    if (line.points.size() >= 2) lines.push_back(std::move(line));
  };
  // In the order the segments were found, so that the page is the same bytes
  // whatever the hash maps' order.
  for (std::size_t s = 0; s < segments.size(); ++s) {
    if (!used[s] && ending.find(segments[s][0]) == ending.end()) walk(s);
  }
  for (std::size_t s = 0; s < segments.size(); ++s) {
    if (!used[s]) walk(s);
  }
}

}  // namespace

std::vector<ContourLine> contour_lines(const ValueGrid& grid, std::span<const double> levels) {
  assert(grid.values.size() ==
         static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(std::max(grid.rows, 0)));
  std::vector<ContourLine> lines;
  for (const double level : levels) {
    LevelSegments segments;
    for (int j = 0; j + 1 < grid.rows; ++j) {
      for (int i = 0; i + 1 < grid.columns; ++i) {
        const double a = grid.at(i, j), b = grid.at(i + 1, j);
        const double c = grid.at(i + 1, j + 1), d = grid.at(i, j + 1);
        // Most cells lie wholly on one side: no triangle to look at.
        if (std::min({a, b, c, d}) >= level || std::max({a, b, c, d}) < level) continue;
        for (const Triangle3& t : cell_triangles(grid, i, j))
          add_triangle_segment(t, level, segments);
      }
    }
    chain(segments, level, lines);
  }
  return lines;
}

std::vector<std::vector<PlanPoint>> region_at_least(const ValueGrid& grid, double level) {
  // A frame of nodes far below every level around the grid closes every line
  // of the level: along the border the line runs through the border's nodes
  // (within a part in 1e30 of a spacing), so the rings hold the region's
  // border stretches too.
  constexpr double kFarBelow = -1e30;
  ValueGrid framed{grid.x0 - grid.spacing, grid.y0 - grid.spacing, grid.spacing,
                   grid.columns + 2,       grid.rows + 2,          {}};
  framed.values.assign(
      static_cast<std::size_t>(framed.columns) * static_cast<std::size_t>(framed.rows),
      std::min(kFarBelow, level - 1e30));
  for (int j = 0; j < grid.rows; ++j) {
    for (int i = 0; i < grid.columns; ++i) {
      framed.values[static_cast<std::size_t>(j + 1) * static_cast<std::size_t>(framed.columns) +
                    static_cast<std::size_t>(i + 1)] = grid.at(i, j);
    }
  }
  std::vector<std::vector<PlanPoint>> rings;
  for (ContourLine& line : contour_lines(framed, std::vector<double>{level})) {
    // The ring repeats its first point at its end: once is enough.
    if (line.points.size() > 1) line.points.pop_back();
    if (line.points.size() >= 3) rings.push_back(std::move(line.points));
  }
  return rings;
}

}  // namespace plot
