// The depth profiles: for each settlement point, the stress increase and the
// overburden pressure against depth, and the settlement summed from the bottom up.
#pragma once

#include "analysis/analysis_results.h"
#include "plot/xml_writer.h"
#include "problem/problem_data.h"

namespace plot {

// Profiles are drawn for this many points at most.
constexpr int kMaxProfiles = 12;

// Writes the key of the three lines as one <svg> element.
void write_profile_key(XmlWriter& out, std::int32_t unit_system);

// Writes the profile of the point at position `point` as one <svg> element.
// REQUIRES: 1 <= point <= problem.point_count.
void write_depth_profile(XmlWriter& out, const problem::ProblemData& problem,
                         const analysis::AnalysisResults& results, int point);

}  // namespace plot
