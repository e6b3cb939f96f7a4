// The loaded circle.
#include "loads/circle.h"

#include <cmath>

#include "loads/archived_influence.h"
#include "loads/rectangle.h"

namespace loads {

ClassicCircle prepare_classic(const Circle& circle) {
  return {static_cast<float>(circle.x), static_cast<float>(circle.y),
          static_cast<float>(circle.diameter) * 0.5f, static_cast<float>(circle.pressure),
          static_cast<float>(circle.depth)};
}

void add_classic_stress(const ClassicCircle& circle, float x, float y,
                        std::span<const float> depths, std::span<float> row) {
  const float a = circle.radius;
  const float dx = circle.x - x;
  const float dy = circle.y - y;
  float r = std::sqrt(dx * dx + dy * dy);
  // A point that is on the rim to within rounding gets the rim value.
  if (std::abs(a - r) < 0.00001f) r = a;
  for (std::size_t k = 0; k < depths.size(); ++k) {
    float z = depths[k] - circle.elevation;
    if (std::abs(z) < 0.00001f) z = 0.0f;
    if (z < 0.0f) continue;
    row[k] += cut_to_five_decimals(circle_stress_ratio(a, r, z)) * circle.loading;
  }
}

}  // namespace loads
