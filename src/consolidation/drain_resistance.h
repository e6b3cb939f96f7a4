// Hansbo's (1981) resistance factor μ of a vertical drain: the drain's zone of
// influence, the smeared zone around it and the drain's own resistance to
// flow along it, which set the rate of radial consolidation
// Uh = 1 − exp(−8 ch t / (D² μ)).
#pragma once

#include "consolidation/column.h"

namespace consolidation {

// The diameter D of a drain's zone of influence: 1.05 (triangle) or 1.128
// (square) times `spacing`.
double influence_diameter(DrainPattern pattern, double spacing);

// μ of smear alone, in full: n = D / d_w, s = d_s / d_w, kh_over_ks the
// permeability ratio, undisturbed over smeared.
// REQUIRES: n > s >= 1, kh_over_ks > 0.
double smear_resistance(double n, double s, double kh_over_ks);

// μ's well resistance term at `depth` below the head of a drain of `length`
// discharging at its head: π z (2l − z) (kh / qw) (1 − 1/n²), with kh_over_qw
// in 1 / length² and n = D / d_w.
double well_resistance(double depth, double length, double kh_over_qw, double n);

// The radial rate 8 ch / (D² μ) in 1 / time unit, Uh = 1 − exp(−rate t):
// ch in length² per time unit, D in length units.
double radial_rate(double ch, double influence_diameter, double mu);

// The radial rate of `drains` at `depth` (above their bottom) in a layer of
// `cv` and vertical permeability `permeability` (length per time unit), μ in
// full with the well resistance where the drains have a discharge capacity.
double drain_rate(const Drains& drains, double depth, double cv, double permeability);

}  // namespace consolidation
