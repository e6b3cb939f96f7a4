// Columns of linear soils for the time-rate tests: each sublayer strains mv Δσ,
// so the series of the textbooks hold, and the textbooks' series themselves,
// summed to convergence.
#pragma once

#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "consolidation/column.h"

namespace consolidation::testing {

struct SoilGiven {
  double thickness = 1.0;
  int sublayers = 10;
  std::optional<double> cv = 1.0;
  double mv = 1.0;
  bool free_draining = false;
};

struct LoadGiven {
  double pressure = 1.0;  // the same Δσ in every sublayer
  double start = 0.0;
  double ramp = 0.0;
};

// Layers stacked from the surface; settlement factor 1, so settlements come out
// in length units.
inline Column linear_column(const std::vector<SoilGiven>& soils, Boundary top, Boundary bottom,
                            const std::vector<LoadGiven>& loads) {
  double total = 0.0;
  for (const LoadGiven& load : loads) total += load.pressure;
  Column column;
  column.top = top;
  column.bottom = bottom;
  double depth = 0.0;
  std::size_t count = 0;
  for (const SoilGiven& soil : soils) {
    Layer layer;
    layer.cv = soil.cv;
    layer.free_draining = soil.free_draining;
    layer.tangent_mv = soil.mv;
    for (int i = 0; i < soil.sublayers; ++i) {
      Sublayer sublayer;
      sublayer.top = depth + soil.thickness * i / soil.sublayers;
      sublayer.bottom = depth + soil.thickness * (i + 1) / soil.sublayers;
      sublayer.settlement_factor = 1.0;
      sublayer.stress_increase = total;
      sublayer.strain = soil.mv * total;
      sublayer.settlement = sublayer.strain * (sublayer.bottom - sublayer.top);
      layer.sublayers.push_back(sublayer);
    }
    depth += soil.thickness;
    count += static_cast<std::size_t>(soil.sublayers);
    column.layers.push_back(layer);
  }
  for (const LoadGiven& load : loads) {
    column.increments.push_back({std::vector<double>(count, load.pressure), load.start, load.ramp});
  }
  return column;
}

// Terzaghi's degree of consolidation of a layer under a uniform load at once,
// U = 1 − Σ 2 / M² exp(−M² Tv), M = (2m + 1) π / 2, summed until the terms
// are below 1e-17 (at Tv = 0.05 some 60 terms).
inline double terzaghi_degree(double tv) {
  if (tv <= 0.0) return 0.0;
  double held = 0.0;  // the share still held as excess pore pressure
  for (int m = 0;; ++m) {
    const double big_m = (2 * m + 1) * std::numbers::pi / 2.0;
    const double term = 2.0 / (big_m * big_m) * std::exp(-big_m * big_m * tv);
    held += term;
    if (term < 1e-17) return 1.0 - held;
  }
}

// Olson's (1977) degree under a load rising linearly to Tc:
//   Tv <= Tc: U = Tv / Tc [1 − 2 / Tv Σ (1 − exp(−M² Tv)) / M⁴]
//   Tv >= Tc: U = 1 − 2 / Tc Σ (exp(M² Tc) − 1) exp(−M² Tv) / M⁴
inline double olson_degree(double tv, double tc) {
  double sum = 0.0;
  for (int m = 0; m < 200000; ++m) {
    const double big_m = (2 * m + 1) * std::numbers::pi / 2.0;
    const double m2 = big_m * big_m;
    const double term = tv <= tc ? -std::expm1(-m2 * tv) / (m2 * m2)
                                 : (std::exp(-m2 * (tv - tc)) - std::exp(-m2 * tv)) / (m2 * m2);
    sum += term;
    if (term < 1e-18) break;
  }
  return tv <= tc ? tv / tc * (1.0 - 2.0 / tv * sum) : 1.0 - 2.0 / tc * sum;
}

}  // namespace consolidation::testing
