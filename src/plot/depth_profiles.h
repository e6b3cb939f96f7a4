// The depth profiles: for each settlement point, the stress increase and the
// overburden pressure against depth, and the settlement summed from the bottom up.
#pragma once

#include "analysis/analysis_results.h"
#include "analysis/classic_profile.h"
#include "plot/xml_writer.h"
#include "problem/problem_data.h"

namespace plot {

// Profiles are drawn for this many points at most.
constexpr int kMaxProfiles = 12;

// Every profile and the soil column beside them share one depth scale: the
// surface at kProfileTop pixels, `deepest` at kProfileBottom.
inline constexpr double kProfileHeight = 320.0;
inline constexpr double kProfileTop = 64.0, kProfileBottom = 304.0;
struct DepthAxis {
  double deepest = 1.0;           // a round depth at or below the deepest sublayer and layer
  double step = 1.0;              // between depth ticks
  double at(double depth) const;  // pixels down the chart
};
DepthAxis profile_depth_axis(const problem::ProblemData& problem,
                             const analysis::ClassicProfile& profile);

// Writes the key of the three lines as one <svg> element.
void write_profile_key(XmlWriter& out, std::int32_t unit_system);

// Writes the profile of the point at position `point` as one <svg> element.
// REQUIRES: 1 <= point <= problem.point_count.
void write_depth_profile(XmlWriter& out, const problem::ProblemData& problem,
                         const analysis::ClassicProfile& profile,
                         const analysis::AnalysisResults& results, int point);

}  // namespace plot
