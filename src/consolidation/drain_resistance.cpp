// Hansbo's resistance factor: equal vertical strain in a cylinder of soil of
// diameter D around a drain of diameter d_w, with a smeared zone of diameter
// d_s of permeability ks around it.
//
//        |<-------------- D / 2 -------------->|
//   drain | smear |          undisturbed        |
//   d_w/2   d_s/2                                 r
//
// Darcy's law through each cylinder of radius r carries the water squeezed out
// beyond it; integrating the pore pressure from the drain out and averaging it
// over the soil gives ū = γw D² ε̇ / (8 kh) μ.
#include "consolidation/drain_resistance.h"

#include <cmath>
#include <numbers>

namespace consolidation {

double influence_diameter(DrainPattern pattern, double spacing) {
  switch (pattern) {
    case DrainPattern::kTriangle:
      return 1.05 * spacing;
    case DrainPattern::kSquare:
      return 1.128 * spacing;
  }
  return 1.05 * spacing;
}

double smear_resistance(double n, double s, double kh_over_ks) {
  // Hansbo's full form; for n much larger than s it tends to the short form
  // ln(n/s) + (kh/ks) ln s − 3/4.
  const double n2 = n * n;
  const double s2 = s * s;
  const double undisturbed = std::log(n / s) - 0.75 + s2 / n2 * (1.0 - s2 / (4.0 * n2));
  const double smeared = std::log(s) + (s2 * s2 - 1.0) / (4.0 * n2 * n2) - (s2 - 1.0) / n2;
  return n2 / (n2 - 1.0) * (undisturbed + kh_over_ks * smeared);
}

double well_resistance(double depth, double length, double kh_over_qw, double n) {
  return std::numbers::pi * depth * (2.0 * length - depth) * kh_over_qw * (1.0 - 1.0 / (n * n));
}

double radial_rate(double ch, double influence_diameter, double mu) {
  return 8.0 * ch / (influence_diameter * influence_diameter * mu);
}

double drain_rate(const Drains& drains, double depth, double cv, double permeability) {
  const double diameter = influence_diameter(drains.pattern, drains.spacing);
  const double n = diameter / drains.diameter;
  double mu = smear_resistance(n, drains.smear_ratio, drains.kh_over_ks);
  if (drains.discharge_capacity) {
    // kh from k as ch from cv: the same mv and γw.
    const double kh = drains.ch_over_cv * permeability;
    mu += well_resistance(depth, drains.bottom, kh / *drains.discharge_capacity, n);
  }
  return radial_rate(drains.ch_over_cv * cv, diameter, mu);
}

}  // namespace consolidation
