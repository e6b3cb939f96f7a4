// Contour lines and bands over the grid's cells, each cut into four triangles
// at its centre:
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
#include <cmath>
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

void add_triangle_segment(const Triangle3& t, double level, LevelSegments& out) {
  std::array<std::uint64_t, 2> ends{};
  int found = 0;
  for (int k = 0; k < 3; ++k) {
    const Vertex& p = t[static_cast<std::size_t>(k)];
    const Vertex& q = t[static_cast<std::size_t>((k + 1) % 3)];
    if ((p.value >= level) == (q.value >= level)) continue;
    const std::uint64_t key = edge_key(p, q);
    out.points.emplace(key, crossing(p, q, level));
    ends[static_cast<std::size_t>(found++)] = key;
  }
  // A plane meets a triangle in no edge or in two.
  if (found == 2) out.segments.push_back(ends);
}

void append_point(std::vector<PlanPoint>& line, const PlanPoint& p) {
  if (line.empty() || line.back().x != p.x || line.back().y != p.y) line.push_back(p);
}

// Chains the segments of one level: first from every end met once (lines that
// leave the grid), then the loops that are left.
void chain(const LevelSegments& level_segments, double level, std::vector<ContourLine>& lines) {
  const auto& segments = level_segments.segments;
  std::unordered_map<std::uint64_t, std::array<int, 2>> at;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    for (const std::uint64_t key : segments[s]) {
      auto [entry, inserted] = at.try_emplace(key, std::array<int, 2>{-1, -1});
      entry->second[inserted ? 0 : 1] = static_cast<int>(s);
    }
  }
  std::vector<bool> used(segments.size(), false);
  const auto walk = [&](int first, std::uint64_t start) {
    ContourLine line;
    line.level = level;
    append_point(line.points, level_segments.points.at(start));
    std::uint64_t key = start;
    for (int s = first; s >= 0 && !used[static_cast<std::size_t>(s)];) {
      used[static_cast<std::size_t>(s)] = true;
      const auto& ends = segments[static_cast<std::size_t>(s)];
      key = ends[0] == key ? ends[1] : ends[0];
      append_point(line.points, level_segments.points.at(key));
      const auto& pair = at.at(key);
      s = pair[0] == s ? pair[1] : pair[0];
    }
    line.closed = key == start;
    if (line.points.size() >= 2) lines.push_back(std::move(line));
  };
  // In the order the segments were found, so that the page is the same bytes
  // whatever the hash map's order.
  for (std::size_t s = 0; s < segments.size(); ++s) {
    for (const std::uint64_t key : segments[s]) {
      if (at.at(key)[1] < 0 && !used[s]) walk(static_cast<int>(s), key);
    }
  }
  for (std::size_t s = 0; s < segments.size(); ++s) {
    if (!used[s]) walk(static_cast<int>(s), segments[s][0]);
  }
}

// The band of a value: the number of levels at or below it.
int band_of_value(std::span<const double> levels, double value) {
  return static_cast<int>(std::upper_bound(levels.begin(), levels.end(), value) - levels.begin());
}

struct Corner {
  double x, y, value;
};

// The part of a convex polygon where value >= limit (keep_above) or value <= limit.
std::vector<Corner> clip(const std::vector<Corner>& polygon, double limit, bool keep_above) {
  std::vector<Corner> out;
  const auto inside = [&](const Corner& c) {
    return keep_above ? c.value >= limit : c.value <= limit;
  };
  for (std::size_t k = 0; k < polygon.size(); ++k) {
    const Corner& a = polygon[k];
    const Corner& b = polygon[(k + 1) % polygon.size()];
    if (inside(a)) out.push_back(a);
    if (inside(a) != inside(b)) {
      const double f = (limit - a.value) / (b.value - a.value);
      out.push_back({a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, limit});
    }
  }
  return out;
}

double twice_area(const std::vector<Corner>& polygon) {
  double sum = 0.0;
  for (std::size_t k = 0; k < polygon.size(); ++k) {
    const Corner& a = polygon[k];
    const Corner& b = polygon[(k + 1) % polygon.size()];
    sum += a.x * b.y - b.x * a.y;
  }
  return std::fabs(sum);
}

void add_triangle_bands(const Triangle3& t, std::span<const double> levels, double least_area,
                        std::vector<BandPolygon>& out) {
  const std::vector<Corner> corners = {
      {t[0].x, t[0].y, t[0].value}, {t[1].x, t[1].y, t[1].value}, {t[2].x, t[2].y, t[2].value}};
  const auto [low, high] = std::minmax({t[0].value, t[1].value, t[2].value});
  const int last = band_of_value(levels, high);
  for (int band = band_of_value(levels, low); band <= last; ++band) {
    std::vector<Corner> piece = corners;
    if (band > 0) piece = clip(piece, levels[static_cast<std::size_t>(band - 1)], true);
    if (band < static_cast<int>(levels.size()))
      piece = clip(piece, levels[static_cast<std::size_t>(band)], false);
    // A level through a vertex leaves slivers of no area: nothing to paint.
    if (piece.size() < 3 || twice_area(piece) < least_area) continue;
    BandPolygon polygon{band, {}};
    for (const Corner& c : piece) polygon.corners.push_back({c.x, c.y});
    out.push_back(std::move(polygon));
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

std::vector<BandPolygon> band_polygons(const ValueGrid& grid, std::span<const double> levels) {
  assert(std::is_sorted(levels.begin(), levels.end()));
  std::vector<BandPolygon> pieces;
  const double least_area = 1e-9 * grid.spacing * grid.spacing;
  for (int j = 0; j + 1 < grid.rows; ++j) {
    const double bottom = grid.y0 + grid.spacing * j;
    const double top = bottom + grid.spacing;
    // A run of whole cells of one band, from column `run_start` to `i`.
    int run_start = -1, run_band = -1;
    const auto end_run = [&](int i) {
      if (run_start < 0) return;
      const double left = grid.x0 + grid.spacing * run_start;
      const double right = grid.x0 + grid.spacing * i;
      pieces.push_back({run_band, {{left, bottom}, {right, bottom}, {right, top}, {left, top}}});
      run_start = -1;
    };
    for (int i = 0; i + 1 < grid.columns; ++i) {
      const int band = band_of_value(levels, grid.at(i, j));
      const bool whole = band_of_value(levels, grid.at(i + 1, j)) == band &&
                         band_of_value(levels, grid.at(i + 1, j + 1)) == band &&
                         band_of_value(levels, grid.at(i, j + 1)) == band;
      if (whole && run_start >= 0 && run_band == band) continue;
      end_run(i);
      if (whole) {
        run_start = i;
        run_band = band;
        continue;
      }
      for (const Triangle3& t : cell_triangles(grid, i, j))
        add_triangle_bands(t, levels, least_area, pieces);
    }
    end_run(grid.columns - 1);
  }
  return pieces;
}

}  // namespace plot
