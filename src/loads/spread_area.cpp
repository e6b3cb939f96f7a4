// The spread area: a total load spreading at 2:1.
#include "loads/spread_area.h"

namespace loads {

std::int32_t depth_reference_option(SpreadReference reference) {
  switch (reference) {
    case SpreadReference::kUpper:
      return 1;
    case SpreadReference::kTwoThirds:
      return 2;
    case SpreadReference::kLower:
      return 3;
  }
  return 1;
}

ClassicSpread prepare_classic(const SpreadArea& area) {
  const auto upper = static_cast<float>(area.upper_depth.value_or(area.depth));
  const auto lower =
      static_cast<float>(area.lower_depth.value_or(area.upper_depth.value_or(area.depth)));
  return {spread_footprint(depth_reference_option(area.reference), upper, lower,
                           static_cast<float>(area.y_length), static_cast<float>(area.x_length),
                           static_cast<float>(area.x), static_cast<float>(area.y)),
          static_cast<float>(area.load), static_cast<float>(area.depth)};
}

void add_classic_stress(const ClassicSpread& area, float x, float y, std::span<const float> depths,
                        std::span<float> row) {
  // The first depth at which the point falls inside the footprint takes
  // nothing: the load is counted from the next depth on.
  bool reached = false;
  for (std::size_t k = 0; k < depths.size(); ++k) {
    const float depth = depths[k];
    const float z = depth - area.elevation;
    if (z < 0.00001f) continue;
    const float f = spread_2to1_factor(area.footprint, depth, x, y);
    if (f > 0.0f && !reached) {
      reached = true;
      continue;
    }
    row[k] += f * area.loading;
  }
}

}  // namespace loads
