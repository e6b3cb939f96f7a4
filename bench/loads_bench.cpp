// Times the exact method's stress increases one evaluation at a time: the
// exact circle against the archived circle rule (analysis::circle_stress_ratio,
// Weddle's rule over 13 ordinates), and the polygon of n edges against the
// rectangle. Prints nanoseconds per evaluation, the best of several runs.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "analysis/influence.h"
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

// Nanoseconds per call of `f` over the samples, best of `repeats` runs;
// `checksum` gathers the results so that no call can be left out.
template <typename F>
double time_per_call(const std::vector<Sample>& s, int repeats, double& checksum, const F& f) {
  double best = 1.0e300;
  for (int run = 0; run < repeats; ++run) {
    double sum = 0.0;
    const auto start = std::chrono::steady_clock::now();
    for (const Sample& p : s) sum += f(p);
    const auto stop = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double>(stop - start).count());
    checksum += sum;
  }
  return best * 1.0e9 / static_cast<double>(s.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 200000;
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  const std::vector<Sample> s = samples(count);
  double checksum = 0.0;

  // The circle, radius 5 about the origin; the archived rule takes single
  // precision, as the archived program gives it.
  const double exact = time_per_call(s, repeats, checksum, [](const Sample& p) {
    return loads::circle_stress_ratio(5.0, std::hypot(p.x, p.y), p.z);
  });
  const double archived = time_per_call(s, repeats, checksum, [](const Sample& p) {
    return static_cast<double>(analysis::circle_stress_ratio(
        5.0f, static_cast<float>(std::hypot(p.x, p.y)), static_cast<float>(p.z)));
  });
  std::printf("circle: exact %.0f ns, archived 13-ordinate rule %.0f ns (exact / archived %.2f)\n",
              exact, archived, exact / archived);

  // The rectangle, 10 by 6 turned 30 degrees, and regular polygons of n edges
  // of about the same size.
  loads::Rectangle r;
  r.x_length = 10.0;
  r.y_length = 6.0;
  r.angle = 30.0;
  r.pressure = 1.0;
  const loads::PreparedRectangle rectangle = loads::prepare(r);
  const double rectangle_ns = time_per_call(s, repeats, checksum, [&](const Sample& p) {
    return loads::stress_increase(rectangle, {p.x, p.y}, p.z);
  });
  std::printf("rectangle: %.0f ns\n", rectangle_ns);
  for (const int n : {3, 4, 8, 16, 32, 64, 128}) {
    loads::Polygon polygon;
    polygon.pressure = 1.0;
    for (int i = 0; i < n; ++i) {
      const double angle = 2.0 * 3.141592653589793 * i / n;
      polygon.vertices.push_back({6.0 * std::cos(angle), 4.0 * std::sin(angle)});
    }
    const loads::PreparedPolygon prepared = loads::prepare(polygon);
    const double polygon_ns = time_per_call(s, repeats, checksum, [&](const Sample& p) {
      return loads::stress_increase(prepared, {p.x, p.y}, p.z);
    });
    std::printf("polygon of %3d edges: %6.0f ns, %.2f of n/4 rectangles\n", n, polygon_ns,
                polygon_ns / (n / 4.0 * rectangle_ns));
  }
  std::printf("checksum %.17g\n", checksum);
  return 0;
}
