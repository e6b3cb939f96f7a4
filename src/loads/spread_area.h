// A total load that spreads downward at 2 (vertical) to 1 (horizontal) from
// its reference level.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "loads/archived_influence.h"
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

}  // namespace loads
