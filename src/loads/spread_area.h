// A total load that spreads downward at 2 (vertical) to 1 (horizontal) from
// its reference level.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "loads/archived_influence.h"
#include "loads/load_problem.h"
#include "loads/plan_shape.h"
#include "loads/schedule.h"
#include "site/fields.h"

namespace loads {

// Where the spread starts: at the upper depth, two thirds of the way down to
// the lower depth, or at the lower depth.
enum class SpreadReference { kUpper, kTwoThirds, kLower };
inline constexpr site::EnumNames<SpreadReference, 3> kSpreadReferenceNames = {{
    {SpreadReference::kUpper, "upper"},
    {SpreadReference::kTwoThirds, "two_thirds"},
    {SpreadReference::kLower, "lower"},
}};

struct SpreadArea {
  static constexpr std::string_view kKind = "spread";
  std::optional<std::string> name;
  double x = 0.0;  // the centre
  double y = 0.0;
  double x_length = 0.0;  // sides along the x and y axes
  double y_length = 0.0;
  double load = 0.0;                  // total force: kN or kips
  double depth = 0.0;                 // no depth above it is loaded
  std::optional<double> upper_depth;  // default: `depth`
  std::optional<double> lower_depth;  // required for kTwoThirds and kLower
  SpreadReference reference = SpreadReference::kUpper;
  Schedule schedule;
};

// ---- The classic method: the archived arithmetic, in single precision ----

// The archived depth reference option of a reference: 1 upper, 2 two thirds
// down (rounded down to a half unit), 3 lower.
std::int32_t depth_reference_option(SpreadReference reference);

// What every point needs of one spread area in the classic method.
struct ClassicSpread {
  SpreadFootprint footprint;
  float loading = 0.0f;  // the total load
  float elevation = 0.0f;
};

ClassicSpread prepare_classic(const SpreadArea& area);

// Adds the spread area's stress increase at the plan point (x, y) and each of
// `depths` (from the ground surface) to `row`: the 2:1 factor times the total
// load, below the area's level; the first depth at which the point lies in the
// footprint takes nothing.
void add_classic_stress(const ClassicSpread& area, float x, float y, std::span<const float> depths,
                        std::span<float> row);

// The fields of the file's table, in its order.
template <typename Visitor, site::RecordOf<SpreadArea> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("name", r.name);
  v.field("x", r.x);
  v.field("y", r.y);
  v.field("x_length", r.x_length);
  v.field("y_length", r.y_length);
  v.field("load", r.load);
  v.field("depth", r.depth, 0.0);
  v.field("upper_depth", r.upper_depth);
  v.field("lower_depth", r.lower_depth);
  v.choice("reference", r.reference, kSpreadReferenceNames, SpreadReference::kUpper);
  visit_fields(v, r.schedule);
}
// What every point needs of a spread area, worked out once.
struct PreparedSpreadArea {
  PlanPoint centre;
  double x_length = 0.0;
  double y_length = 0.0;
  double load = 0.0;
  double level = 0.0;  // the reference level, from which the load spreads
  // The least depth below the level that is loaded: `depth` - level, which is
  // above 0 when the reference level lies above `depth`.
  double loaded_from = 0.0;
};

// The errors and warnings of the spread area's own fields: sides not above 0,
// a negative depth, upper or lower depth, a lower depth missing for
// "two_thirds" and "lower" or above the upper depth, a bad schedule; a load
// of 0 is a warning.
LoadProblems check_fields(const SpreadArea& spread);

// The reference level: the upper depth (default `depth`), upper + (lower -
// upper) 2/3 (not rounded), or the lower depth. REQUIRES: check_fields found no error.
double reference_level(const SpreadArea& spread);

// REQUIRES: check_fields found no error.
PreparedSpreadArea prepare(const SpreadArea& spread);

// The 2:1 stress (pressure units, signed like the load) at depth `z` below the
// reference level under `point`: load / ((x_length + z)(y_length + z)) inside
// the area widened by z/2 on every side (its bounds and anything within
// kOnOutline of them included), 0 outside and above `depth`. REQUIRES: z > 0.
double stress_increase(const PreparedSpreadArea& spread, PlanPoint point, double z);

// At the reference level: load / (x_length y_length) on the area, its bounds
// included, 0 outside, and 0 when the level lies above `depth`.
double surface_stress_increase(const PreparedSpreadArea& spread, PlanPoint point);

// The area's four corners, counter-clockwise.
Outline plan_outline(const SpreadArea& spread);

}  // namespace loads
