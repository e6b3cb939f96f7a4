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

// The stress increase that each group of loads adds to each sublayer below a
// point (Simpson's average), group by group: what a time-rate analysis loads
// its column with, the loads of one schedule acting together.
using LoadIncreases = std::vector<std::vector<double>>;  // [group][sublayer]

// Which group each load joins: of_load[i] for load i, groups from 0 to count - 1.
struct LoadGroups {
  std::vector<std::size_t> of_load;
  std::size_t count = 0;
};

// The results of every point of `profile`, the points spread over the cores,
// or the error that stops them: a final effective stress not above 0 on a
// soil whose strain follows its logarithm, naming the point, the sublayer and
// the stresses. With `groups`, `increases` holds every point's increases by
// group.
struct ExactAnalysis {
  SiteResults results;
  std::vector<LoadIncreases> increases;  // [point][group][sublayer], with groups
  std::optional<site::Diagnostic> stop;
};
ExactAnalysis analyse_exact(const site::Project& project, const ExactProfile& profile,
                            const LoadGroups* groups = nullptr);

// The analysis of the plan point (x, y) as a settlement point counted from
// sublayer `first_counted` is analysed, with its increases by group where
// `groups` is given; nothing where a point there would be stopped.
struct PlaceAnalysis {
  ResultPoint point;
  LoadIncreases increases;
};
std::optional<PlaceAnalysis> analyse_place(const site::Project& project,
                                           const ExactProfile& profile, double x, double y,
                                           std::size_t first_counted,
                                           const LoadGroups* groups = nullptr);

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
