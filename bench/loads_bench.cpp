// Times the exact method's stress increases one evaluation at a time: the
// exact circle against the archived circle rule (loads::circle_stress_ratio,
// Weddle's rule over 13 ordinates), and the polygon of n edges against the
// rectangle. Prints nanoseconds per evaluation, the best of several runs.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "loads/archived_influence.h"
#include "loads/circle.h"
#include "loads/polygon.h"
#include "loads/rectangle.h"

namespace {

struct Sample {
  double x;
  double y;
  double z;
};

// Points spread over and around a load about 10 across, at depths 0.05 to 50.
std::vector<Sample> samples(int count) {
  std::vector<Sample> s;
  for (int i = 0; i < count; ++i) {
    const double a = static_cast<double>((i * 7919L) % 1009) / 1009.0;
    const double b = static_cast<double>((i * 104729L) % 997) / 997.0;
    const double c = static_cast<double>((i * 15485863L) % 991) / 991.0;
    s.push_back({-15.0 + 30.0 * a, -15.0 + 30.0 * b, 0.05 * std::pow(1000.0, c)});
  }
  return s;
}

// One pass of a stress function over all samples, returning the sum of its
// results so that no call can be left out.
using Pass = std::function<double(const std::vector<Sample>&)>;

template <typename F>
Pass pass_of(F f) {
  return [f](const std::vector<Sample>& s) {
    double sum = 0.0;
    for (const Sample& p : s) sum += f(p);
    return sum;
  };
}

// Nanoseconds per call of each pass, the best of `repeats` rounds; each round
// runs every pass in turn, so that a change in the machine's load falls on
// all of them alike.
std::vector<double> best_times(const std::vector<Pass>& passes, const std::vector<Sample>& s,
                               int repeats, double& checksum) {
  std::vector<double> best(passes.size(), 1.0e300);
  for (int round = 0; round < repeats; ++round) {
    for (std::size_t i = 0; i < passes.size(); ++i) {
      const auto start = std::chrono::steady_clock::now();
      checksum += passes[i](s);
      const auto stop = std::chrono::steady_clock::now();
      best[i] = std::min(best[i], std::chrono::duration<double>(stop - start).count());
    }
  }
  for (double& b : best) b *= 1.0e9 / static_cast<double>(s.size());
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 200000;
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  const std::vector<Sample> s = samples(count);
  double checksum = 0.0;

  // The circle, radius 5 about the origin; the archived rule takes single
  // precision, as the archived program gives it.
  const std::vector<double> circle =
      best_times({pass_of([](const Sample& p) {
                    return loads::circle_stress_ratio(5.0, std::hypot(p.x, p.y), p.z);
                  }),
                  pass_of([](const Sample& p) {
                    return static_cast<double>(loads::circle_stress_ratio(
                        5.0f, static_cast<float>(std::hypot(p.x, p.y)), static_cast<float>(p.z)));
                  })},
                 s, repeats, checksum);
  std::printf("circle: exact %.0f ns, archived 13-ordinate rule %.0f ns (exact / archived %.2f)\n",
              circle[0], circle[1], circle[0] / circle[1]);

  // The rectangle, 10 by 6 turned 30 degrees, and regular polygons of n edges
  // of about the same size.
  loads::Rectangle r;
  r.x_length = 10.0;
  r.y_length = 6.0;
  r.angle = 30.0;
  r.pressure = 1.0;
  const loads::PreparedRectangle rectangle = loads::prepare(r);
  const int edges[] = {3, 4, 8, 16, 32, 64, 128};
  std::vector<loads::PreparedPolygon> polygons;
  for (const int n : edges) {
    loads::Polygon polygon;
    polygon.pressure = 1.0;
    for (int i = 0; i < n; ++i) {
      const double angle = 2.0 * 3.141592653589793 * i / n;
      polygon.vertices.push_back({6.0 * std::cos(angle), 4.0 * std::sin(angle)});
    }
    polygons.push_back(loads::prepare(polygon));
  }
  std::vector<Pass> passes = {pass_of([&rectangle](const Sample& p) {
    return loads::stress_increase(rectangle, {p.x, p.y}, p.z);
  })};
  for (const loads::PreparedPolygon& polygon : polygons) {
    passes.push_back(pass_of([&polygon](const Sample& p) {
      return loads::stress_increase(polygon, {p.x, p.y}, p.z);
    }));
  }
  const std::vector<double> areas = best_times(passes, s, repeats, checksum);
  std::printf("rectangle: %.0f ns\n", areas[0]);
  for (std::size_t i = 0; i < polygons.size(); ++i) {
    const double n = edges[i];
    std::printf("polygon of %3d edges: %6.0f ns, %.2f of n/4 rectangles\n", edges[i], areas[i + 1],
                areas[i + 1] / (n / 4.0 * areas[0]));
  }
  std::printf("checksum %.17g\n", checksum);
  return 0;
}
