// The effective stresses with depth under one point of a site project: the
// initial sigma'0, the final sigma'f (sigma'0 plus the loads' increase plus
// the effective stress the water table's change adds), and the
// preconsolidation stress sigma'p of index soils, at the sublayers' centres.
#pragma once

#include <cstddef>
#include <vector>

#include "analysis/site_results.h"
#include "plot/xml_writer.h"
#include "site/project.h"

namespace plot {

// The profile's values at one sublayer's centre, pressure units; sigma_p 0
// where the soil has none.
struct StressAtDepth {
  double depth = 0.0;
  double sigma_eff0 = 0.0;
  double sigma_eff_final = 0.0;
  double sigma_p = 0.0;
  bool counted = true;  // at or below the point's first counted sublayer
};

// The values under point `point` (from 0), top down.
// REQUIRES: point < results.points.size().
std::vector<StressAtDepth> stress_profile(const analysis::SiteResults& results, std::size_t point);

// Writes the profile as one <svg class="stress-profile">, titled with the
// point's label. REQUIRES: point < results.points.size().
void write_stress_profile(XmlWriter& out, const site::Project& project,
                          const analysis::SiteResults& results, std::size_t point);

}  // namespace plot
