// The page's part for a project's study: each point's settlement over the
// study's samples as a histogram and as its exceedance curve (the share of
// samples whose settlement is above s, against s), and the map of the
// chance of exceeding the study's settlement limit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plot/exceedance_map.h"
#include "plot/xml_writer.h"
#include "site/project.h"

namespace plot {

struct StudyPageInput {
  std::string method;  // "lhs" or "monte_carlo"
  std::uint64_t seed = 0;
  std::int64_t samples = 0;
  std::optional<double> settlement_limit;        // settlement unit
  std::vector<std::vector<double>> settlements;  // by point, in sample order
  std::optional<ExceedanceMap> map;              // with a settlement limit
};

// The exceedance curve of `values` as steps: at each distinct value v, in
// increasing order, the share of values above v. REQUIRES: values not empty.
struct ExceedanceStep {
  double value = 0.0;
  double share_above = 0.0;
};
std::vector<ExceedanceStep> exceedance_steps(std::vector<double> values);

// The histogram of a point's settlements (`point` from 0) and its
// exceedance curve, side by side, the limit drawn on both when there is one.
void write_point_study_charts(XmlWriter& out, const site::Project& project, std::size_t point,
                              const StudyPageInput& figures);

// The part's style rules: each point's two charts side by side.
std::string_view study_style();

// The whole part: its heading and words, every point's charts, the map.
void write_study_part(XmlWriter& out, const site::Project& project, const StudyPageInput& figures);

}  // namespace plot
