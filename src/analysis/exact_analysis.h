// The exact method's analysis of a prepared profile: at every point the
// stress increase of every load at the top, centre and bottom of every
// sublayer by its closed form, Simpson's average over each sublayer, the
// effective stresses, the strains of the soils and the settlements.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/exact_profile.h"
#include "analysis/site_results.h"
#include "site/project.h"

namespace analysis {

// The stress increase that each load alone adds to each sublayer below a
// point (Simpson's average), load by load: what a time-rate analysis loads
// its column with.
using LoadIncreases = std::vector<std::vector<double>>;  // [load][sublayer]

// The results of every point of `profile`, the points spread over the cores,
// or the error that stops them: a final effective stress not above 0 on a
// soil whose strain follows its logarithm, naming the point, the sublayer and
// the stresses. `increases`, when given, receives every point's load increases.
struct ExactAnalysis {
  SiteResults results;
  std::optional<site::Diagnostic> stop;
};
ExactAnalysis analyse_exact(const site::Project& project, const ExactProfile& profile,
                            std::vector<LoadIncreases>* increases = nullptr);

// The total settlement at the plan point (x, y) counted from sublayer
// `first_counted`, analysed as a settlement point is; not a number where a
// point there would be stopped.
double exact_settlement_at(const ExactProfile& profile, double x, double y,
                           std::size_t first_counted);

// The stress increase of all loads at the plan point (x, y) and depth `depth`,
// as the top or centre of a sublayer takes it (the z -> 0+ limit at a load's
// level).
double exact_stress_at(const ExactProfile& profile, double x, double y, double depth);

}  // namespace analysis
