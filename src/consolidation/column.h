// The soil column under one settlement point as the time-rate analysis sees it:
// its layers and sublayers with their final state, the load increments with
// their schedules, the drainage boundaries and the vertical drains.
#pragma once

#include <optional>
#include <vector>

namespace consolidation {

// A drainage boundary of the column: the ground surface or the base.
enum class Boundary { kDrained, kImpermeable };

// One sublayer with the final state of the static analysis under the point.
// Depths in length units below the ground surface.
struct Sublayer {
  double top = 0.0;
  double bottom = 0.0;
  double thickness_factor = 1.0;
  bool counted = true;           // from the point's start layer down
  double strain = 0.0;           // final strain, a fraction, compression positive
  double stress_increase = 0.0;  // final Δσ, pressure units, the water change included
  double settlement = 0.0;       // strain × thickness × thickness_factor × settlement_factor
  double settlement_factor = 1000.0;  // length units to mm (1000) or inches (12)
};

// Secondary compression of a soil: strain c_alpha / (1 + e0) per tenfold time.
struct Secondary {
  double c_alpha = 0.0;
  double e0 = 1.0;
};

// One layer of the profile, its sublayers top down and contiguous.
struct Layer {
  std::vector<Sublayer> sublayers;
  bool free_draining = false;
  std::optional<double> cv;  // length^2 per time unit; unused where free-draining
  std::optional<Secondary> secondary;
  double tangent_mv = 0.0;  // strain per pressure unit at the layer's middle, > 0
};

// One load, or the water change: its own Δσ in each sublayer of the profile
// (all layers' sublayers top down, pressure units), applied at `start` at once
// (`ramp` 0) or rising linearly over `ramp` time units.
struct Increment {
  std::vector<double> stress_increase;
  double start = 0.0;
  double ramp = 0.0;
};

// The plan pattern of the drains: influence diameter 1.05 or 1.128 × spacing.
enum class DrainPattern { kTriangle, kSquare };

// Prefabricated vertical drains from the ground surface down to `bottom`,
// discharging at their head. Lengths in length units, times in time units.
struct Drains {
  DrainPattern pattern = DrainPattern::kTriangle;
  double spacing = 0.0;
  double diameter = 0.0;     // equivalent drain diameter
  double smear_ratio = 1.0;  // smear zone diameter over drain diameter; 1: no smear
  double kh_over_ks = 1.0;   // permeability, undisturbed over smeared
  double ch_over_cv = 1.0;
  std::optional<double> discharge_capacity;  // length^3 per time unit; absent: ideal drain
  double bottom = 0.0;
  double installed = 0.0;
};

// The whole column under one point, from the ground surface to the base.
struct Column {
  std::vector<Layer> layers;
  std::vector<Increment> increments;
  Boundary top = Boundary::kDrained;
  Boundary bottom = Boundary::kImpermeable;
  double unit_weight_of_water = 9.81;  // pressure per length: 9.81 kPa/m or 0.0624 ksf/ft
  std::optional<Drains> drains;
};

}  // namespace consolidation
