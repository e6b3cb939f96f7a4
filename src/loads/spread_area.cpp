// The 2:1 spread area in double precision, without the archived cuts: the
// two-thirds level exact, no depth zeroed, no thresholds.
#include "loads/spread_area.h"

#include <cmath>

namespace loads {
namespace {

// The 2:1 stress `spread_depth` below the level: the load over the area widened
// by half that depth on every side.
double spread_stress(const PreparedSpreadArea& spread, PlanPoint point, double spread_depth) {
  const double reach_x = (spread.x_length + spread_depth) / 2.0 + kOnOutline;
  const double reach_y = (spread.y_length + spread_depth) / 2.0 + kOnOutline;
  if (std::abs(point.x - spread.centre.x) > reach_x) return 0.0;
  if (std::abs(point.y - spread.centre.y) > reach_y) return 0.0;
  return spread.load / ((spread.x_length + spread_depth) * (spread.y_length + spread_depth));
}

}  // namespace

LoadProblems check_fields(const SpreadArea& spread) {
  LoadProblems found;
  require_positive(found, "x_length", spread.x_length, "a spread area's x_length");
  require_positive(found, "y_length", spread.y_length, "a spread area's y_length");
  require_not_negative(found, "depth", spread.depth, "a load's depth");
  if (spread.upper_depth) {
    require_not_negative(found, "upper_depth", *spread.upper_depth, "a spread area's upper_depth");
  }
  const double upper = spread.upper_depth.value_or(spread.depth);
  if (spread.lower_depth) {
    require_not_negative(found, "lower_depth", *spread.lower_depth, "a spread area's lower_depth");
    if (*spread.lower_depth < upper) {
      found.push_back({"lower_depth",
                       "lower_depth is " + number_text(*spread.lower_depth) +
                           ": it must not lie above the upper depth " + number_text(upper),
                       Severity::kError});
    }
  } else if (spread.reference != SpreadReference::kUpper) {
    found.push_back({"lower_depth",
                     std::string("lower_depth is missing: reference \"") +
                         (spread.reference == SpreadReference::kLower ? "lower" : "two_thirds") +
                         "\" needs it",
                     Severity::kError});
  }
  warn_if_zero(found, "load", spread.load);
  check_schedule(spread.schedule, found);
  return found;
}

double reference_level(const SpreadArea& spread) {
  const double upper = spread.upper_depth.value_or(spread.depth);
  const double lower = spread.lower_depth.value_or(upper);
  switch (spread.reference) {
    case SpreadReference::kUpper:
      return upper;
    case SpreadReference::kTwoThirds:
      return upper + (lower - upper) * 2.0 / 3.0;
    case SpreadReference::kLower:
      return lower;
  }
  return upper;
}

PreparedSpreadArea prepare(const SpreadArea& spread) {
  PreparedSpreadArea p;
  p.centre = {spread.x, spread.y};
  p.x_length = spread.x_length;
  p.y_length = spread.y_length;
  p.load = spread.load;
  p.level = reference_level(spread);
  // Computed as the caller computes a depth below the level (depth - level),
  // so that the stress depth equal to `depth` is loaded whatever the rounding.
  p.loaded_from = spread.depth - p.level;
  return p;
}

double stress_increase(const PreparedSpreadArea& spread, PlanPoint point, double z) {
  if (z < spread.loaded_from) return 0.0;
  return spread_stress(spread, point, z);
}

double surface_stress_increase(const PreparedSpreadArea& spread, PlanPoint point) {
  if (spread.loaded_from > 0.0) return 0.0;
  return spread_stress(spread, point, 0.0);
}

Outline plan_outline(const SpreadArea& spread) {
  const double a = spread.x_length / 2.0;
  const double b = spread.y_length / 2.0;
  Outline outline;
  outline.ring = {{spread.x - a, spread.y - b},
                  {spread.x + a, spread.y - b},
                  {spread.x + a, spread.y + b},
                  {spread.x - a, spread.y + b}};
  return outline;
}

// ---- The classic method: the archived arithmetic, in single precision ----

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
