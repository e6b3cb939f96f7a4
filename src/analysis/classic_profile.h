// The classic method's profile: the archived program's arithmetic applied to
// a site project. The layers cut into sublayers 0.5 thick, the stress depths,
// the overburden pressures and initial strains, each point's first sublayer,
// and the soils and loads in the single precision that method keeps.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/indexed_vector.h"
#include "loads/classic_load.h"
#include "site/project.h"

namespace analysis {

// The sublayer thickness of the classic method, in both unit systems.
constexpr float kSublayerThickness = 0.5f;

// kN/m3 as given to kg/m3 as the archived file keeps SI weights (1000 /
// 9.80665, to the precision the program uses).
constexpr float kMassDensityPerUnitWeight = 101.972f;

// The single-precision values the classic method keeps of a project's
// values. Each is exact for a value converted from a kept one (a length d =
// double(f); a percent p = double(f) x 100; an SI weight w = double(f) /
// 101.972), so that an archived problem goes through a project unchanged.
inline float classic_real(double value) { return static_cast<float>(value); }
inline float classic_fraction(double percent) { return static_cast<float>(percent / 100.0); }
inline float classic_mass_density(double unit_weight) {
  return static_cast<float>(unit_weight * static_cast<double>(kMassDensityPerUnitWeight));
}

// A soil as the classic method takes it: a point curve (2 points or more) or
// a slope line, strains and slopes as fractions.
struct ClassicCurve {
  std::int32_t point_count = 0;  // below 2: a slope line
  float slope = 0.0f;            // >= 0 strain per log10 cycle; < 0 minus strain per pressure unit
  IndexedVector<float> strain;   // points 1..point_count
  IndexedVector<float> pressure;
};

inline bool is_slope_line(const ClassicCurve& curve) { return curve.point_count < 2; }

struct ClassicSublayer {
  std::int32_t sublayer_number = 0;
  std::int32_t curve_index = 0;  // position of its layer's soil among the project's soils
  int layer = 0;                 // position of its layer
  float unit_weight = 0.0f;      // lb/ft3 (US) or kg/m3 as the archived file keeps it (SI)
  float thickness_factor = 0.0f;
  float bottom_depth = 0.0f;
  float thickness = 0.0f;
  float centre_depth = 0.0f;
  float overburden_pressure = 0.0f;
  float initial_strain = 0.0f;  // a fraction
};

struct ClassicPoint {
  float x = 0.0f;
  float y = 0.0f;
  std::int32_t start_sublayer = 0;  // 0 includes every sublayer
};

struct ClassicProfile {
  float gravity_factor = 1.0f;         // 9.80665 in SI: kg/m3 to N/m3
  float settlement_factor = 12.0f;     // feet to inches, or metres to millimetres
  IndexedVector<ClassicCurve> curves;  // one a soil, in the project's order
  IndexedVector<ClassicSublayer> sublayers;
  IndexedVector<float> stress_depths;  // 2 x sublayers + 1: top, centre, ..., last bottom
  IndexedVector<ClassicPoint> points;
  std::vector<loads::ClassicLoad> loads;  // in the project's order

  int sublayer_count() const { return sublayers.count(); }
  int depth_count() const { return stress_depths.count(); }
};

// The first point of a point curve, curve by curve, whose pressure is not
// greater than 0: the archived method stops there.
struct ClassicPressureFault {
  int curve = 0;  // position among the soils
  int row = 0;    // point of that curve
  float pressure = 0.0f;
};

struct ClassicPreparation {
  ClassicProfile profile;
  std::optional<ClassicPressureFault> fault;
};

// The whole classic profile of `project`, in the archived program's order:
// division, geometry and stress depths, overburden pressures, initial
// strains, start sublayers, loads; then the curve pressures are checked.
// REQUIRES: the project passes its checks for the classic method, or comes
// from an archived file that passed that format's checks.
ClassicPreparation prepare_classic(const site::Project& project);

// The sublayers of 0.5 in a layer `thickness` thick: its whole half units. A
// layer thinner than 0.5, empty, inverted or not a number has none; a huge one
// saturates instead of overflowing.
std::int64_t classic_sublayers_in(double thickness);

// The first sublayer of a point that starts at the layer whose top lies at
// `top_depth`: NINT(2 x top_depth) + 1, halves away from zero.
std::int32_t start_sublayer_below(float top_depth);

// The first sublayer of a point starting at layer `start_layer` (from 1);
// 0, every sublayer, when that is not a layer of the project.
std::int32_t classic_start_sublayer(const site::Project& project, int start_layer);

}  // namespace analysis
