// The archived problem file as read: its control values and input tables, in
// the fixed tables and single precision of that format. What is worked out
// from them belongs to the analysis' profile (analysis/classic_profile.h).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

#include "problem/indexed_table.h"

namespace problem {

// Capacities of the tables. Tables are indexed from 1, except
// `boundary_depths`, whose entry 0 is the ground surface.
constexpr int kMaxLayers = 25;
constexpr int kMaxCurves = 50;
constexpr int kMaxCurvePoints = 48;
constexpr int kMaxPoints = 150;
constexpr int kMaxAreas = 150;
constexpr int kMaxSublayers = 775;

// A fixed-length text, blank-filled, as read through an A field.
template <int N>
struct FixedText {
  std::array<char, N> chars;
  FixedText() { chars.fill(' '); }
  std::string_view view() const { return {chars.data(), chars.size()}; }
};

enum UnitSystem : std::int32_t { kUsGravitational = 1, kSiAbsolute = 2 };

// kN/m3 read to kg/m3 stored (1000 / 9.80665, to the precision the program uses).
constexpr float kMassDensityPerUnitWeight = 101.972f;
// Strains and slopes are given in percent and kept as fractions.
constexpr float kPercent = 100.0f;

struct SoilLayer {
  std::int32_t layer_number = 0;
  float bottom_depth = 0.0f;
  float unit_weight = 0.0f;  // lb/ft3 (U.S.) or kg/m3 as stored (S.I.)
  std::int32_t curve_index = 0;
  float thickness_factor = 0.0f;
};

struct CompressibilityCurve {
  std::int32_t curve_number = 0;
  std::int32_t point_count = 0;  // 2..48: a point curve; below 2: a slope line
  FixedText<60> source_text;
  float slope =
      0.0f;  // a fraction; >= 0 strain per log10 cycle, < 0 minus strain per pressure unit
  IndexedTable<float, kMaxCurvePoints> strain;    // fractions, points 1..point_count
  IndexedTable<float, kMaxCurvePoints> pressure;  // pressure units, points 1..point_count
};

// True for a curve given by a slope alone (fewer than 2 points).
inline bool is_slope_line(const CompressibilityCurve& curve) { return curve.point_count < 2; }

struct SettlementPoint {
  std::int32_t point_number = 0;
  float x = 0.0f;
  float y = 0.0f;
  std::int32_t start_layer = 0;
};

enum AreaShape : std::int32_t { kRectangle = 1, kCircle = 2, kSpreadArea = 3 };

struct LoadedArea {
  FixedText<4> area_id;
  std::int32_t shape = 0;
  float x = 0.0f;
  float y = 0.0f;
  float x_length = 0.0f;  // a circle's diameter
  float y_length = 0.0f;
  float area_slope = 0.0f;
  float loading = 0.0f;  // a pressure; for spread areas the total load
  float elevation = 0.0f;
  float upper_depth = 0.0f;          // spread areas only
  float lower_depth = 0.0f;          // spread areas only
  std::int32_t depth_reference = 0;  // spread areas only
};

struct ProblemData {
  std::array<FixedText<68>, 2> title;
  std::int32_t unit_system = 0;
  std::int32_t layer_count = 0;
  std::int32_t curve_count = 0;
  std::int32_t point_count = 0;
  std::int32_t area_count = 0;         // regular areas (rectangles and circles)
  std::int32_t spread_area_count = 0;  // stored after the regular areas
  std::int32_t spread_depth_reference = 0;
  float gravity_factor = 0.0f;
  float settlement_factor = 0.0f;

  IndexedTable<SoilLayer, kMaxLayers> layers;
  IndexedTable<float, kMaxLayers, 0> boundary_depths;  // entry 0 is the ground surface
  IndexedTable<CompressibilityCurve, kMaxCurves> curves;
  IndexedTable<SettlementPoint, kMaxPoints> points;
  IndexedTable<LoadedArea, kMaxAreas> areas;

  // Both counts are stored as read: the sum is taken wide and held within the
  // 32-bit range, so two large negative counts give no areas instead of wrapping.
  int total_area_count() const {
    const std::int64_t total = std::int64_t{area_count} + std::int64_t{spread_area_count};
    return static_cast<int>(std::clamp<std::int64_t>(
        total, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  }
};

// Sets `unit_system` and the two factors that follow from it: every value
// other than 2 computes in U.S. units.
inline void set_unit_system(ProblemData& problem, std::int32_t unit_system) {
  problem.unit_system = unit_system;
  const bool si = unit_system == kSiAbsolute;
  problem.gravity_factor = si ? 9.80665f : 1.0f;
  problem.settlement_factor = si ? 1000.0f : 12.0f;
}

}  // namespace problem
