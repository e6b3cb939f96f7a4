// The settlement in time of a site project's points by the exact method: the
// column under each point built from its static results (each sublayer's
// strain and stress increase), the loads grouped by schedule, the water
// change at time 0, the soils' cv, drainage and secondary compression, the
// drains and the boundaries, and its history at the output times.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/exact_analysis.h"
#include "analysis/exact_profile.h"
#include "analysis/site_results.h"
#include "consolidation/column.h"
#include "consolidation/column_fault.h"
#include "loads/schedule.h"
#include "site/diagnostic.h"
#include "site/project.h"

namespace analysis {

// What every column of a project shares, worked out once: the loads of one
// schedule (start and ramp) act together as one increment, and each layer's
// tangent compressibility at its middle, the fallback of its secant.
struct TimeSetup {
  LoadGroups groups;
  std::vector<loads::Schedule> schedules;  // of each group
  std::vector<std::size_t> first_load;     // of each group: the load a fault names
  std::vector<double> tangent_mv;          // of each layer
  consolidation::Boundary top = consolidation::Boundary::kDrained;
  consolidation::Boundary bottom = consolidation::Boundary::kImpermeable;
  std::optional<consolidation::Drains> drains;
  std::vector<double> times;  // the output times

  // The groups for analyse_exact and analyse_place: none where all loads
  // share one schedule, whose increase is then the point's own.
  const LoadGroups* split() const { return groups.count > 1 ? &groups : nullptr; }
};

// REQUIRES: the project has a [consolidation] table and passed the checks.
TimeSetup prepare_time(const site::Project& project, const ExactProfile& profile);

// The column under `point`, whose increases by group are `increases` (empty
// where setup.split() gives no groups).
consolidation::Column point_column(const TimeSetup& setup, const ExactProfile& profile,
                                   const ResultPoint& point, const LoadIncreases& increases);

// A fault of the column under point `point` (from 0) as an error naming the
// project's key at fault.
site::Diagnostic fault_diagnostic(const site::Project& project, const ExactProfile& profile,
                                  const TimeSetup& setup, const consolidation::ColumnFault& fault,
                                  std::size_t point);

// Fills the `time` of every point of `results` (the static results of
// analyse_exact with setup.split(), whose increases are `increases`), the
// points spread over the cores; or the error of the first point whose column
// is at fault, leaving the results without time.
std::optional<site::Diagnostic> analyse_time(const site::Project& project,
                                             const ExactProfile& profile, const TimeSetup& setup,
                                             const std::vector<LoadIncreases>& increases,
                                             SiteResults& results);

}  // namespace analysis
