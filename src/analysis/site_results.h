// The results of a site project, whichever method computed them: the profile's
// sublayers with their initial state, and under every point the stress
// increase, strain and settlement of each sublayer and the point's total.
// The results file, the project's report, the page and Python read them.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "consolidation/point_history.h"
#include "site/diagnostic.h"

namespace analysis {

struct ResultSublayer {
  std::size_t layer = 0;  // position of its layer, from 0
  double top = 0.0;
  double bottom = 0.0;
  double thickness_factor = 1.0;
  double sigma_v0 = 0.0;
  double u0 = 0.0;
  double sigma_eff0 = 0.0;
  double water_change = 0.0;
};

struct ResultPoint {
  double settlement = 0.0;               // the total of the counted sublayers, mm or inches
  std::size_t first_counted = 0;         // sublayers above it are not counted and settle 0
  std::vector<double> stress_increase;   // Simpson's average of the loads, each sublayer
  std::vector<double> strain;            // a fraction, compression positive
  std::vector<double> settlement_of;     // each sublayer, mm or inches
  std::vector<double> preconsolidation;  // an index soil's sigma'p, else 0
  std::optional<consolidation::PointHistory> time;
};

struct SiteResults {
  std::vector<ResultSublayer> sublayers;
  std::vector<ResultPoint> points;
  std::vector<site::Diagnostic> warnings;
};

}  // namespace analysis
