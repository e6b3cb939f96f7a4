// The modes of one drainage stretch: a run of consolidating layers between two
// boundaries (the ground surface, the base or a free-draining layer), each
// layer with its own cv and mv. Its excess pore pressure is a sum of modes
// φ_n(z) exp(−λ_n t), with φ_n and the flow mv cv φ_n' continuous across the
// layer boundaries (Schiffman and Stein 1970).
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "consolidation/column.h"

namespace consolidation {

struct StretchLayer {
  double thickness = 0.0;  // length units
  double cv = 0.0;         // length² per time unit
  double mv = 0.0;         // strain per pressure unit
};

// REQUIRES: at least one layer, all values positive, not both boundaries
// impermeable.
struct Stretch {
  std::vector<StretchLayer> layers;
  Boundary top = Boundary::kDrained;
  Boundary bottom = Boundary::kDrained;
};

// The frequency ω_n of mode `n` (from 1), λ_n = ω_n² in 1 / time unit. In
// each layer the mode is A cos(ω ζ / √cv) + B sin(ω ζ / √cv), ζ the depth
// below the layer's top. `previous` is ω_(n−1) (0 for the first mode).
double mode_frequency(const Stretch& stretch, std::size_t n, double previous);

// The coefficients A, B of the mode of frequency `omega` in each layer,
// normalised so that Σ mv ∫ φ² dz = 1 over the stretch.
// REQUIRES: a.size() == b.size() == stretch.layers.size(), omega a mode's.
void mode_shape(const Stretch& stretch, double omega, std::span<double> a, std::span<double> b);

}  // namespace consolidation
