// Points grouped into structures by their numbers.
#include "plot/structures.h"

#include <algorithm>

namespace plot {

std::optional<std::string> check_structures(const problem::ProblemData& problem,
                                            const std::vector<StructureGroup>& groups) {
  const auto has_point = [&](std::int32_t number) {
    for (int j = 1; j <= problem.point_count; ++j) {
      if (problem.points[j].point_number == number) return true;
    }
    return false;
  };
  for (std::size_t g = 0; g < groups.size(); ++g) {
    for (const std::int32_t number : groups[g].point_numbers) {
      if (!has_point(number)) {
        return "--structures names point " + std::to_string(number) + " in '" + groups[g].name +
               "', but the problem has no point of that number";
      }
      for (std::size_t h = 0; h <= g; ++h) {
        const auto& numbers = groups[h].point_numbers;
        const auto count = std::count(numbers.begin(), numbers.end(), number);
        if (h < g ? count > 0 : count > 1) {
          return "--structures names point " + std::to_string(number) + " twice" +
                 (h < g ? ", in '" + groups[h].name + "' and in '" + groups[g].name + "'"
                        : " in '" + groups[g].name + "'");
        }
      }
    }
  }
  return std::nullopt;
}

std::vector<PagePoint> page_points(const problem::ProblemData& problem,
                                   const analysis::AnalysisResults& results,
                                   const std::vector<StructureGroup>& groups) {
  std::vector<PagePoint> points;
  for (int j = 1; j <= problem.point_count; ++j) {
    const auto& record = problem.points[j];
    PagePoint point;
    point.position = j;
    point.number = record.point_number;
    point.at = {static_cast<double>(record.x), static_cast<double>(record.y)};
    point.settlement = static_cast<double>(results.total_settlement[j]);
    // A start layer the profile lacks counts every layer, as the analysis does.
    point.start_layer = record.start_layer >= 1 && record.start_layer <= problem.layer_count
                            ? record.start_layer
                            : 1;
    if (groups.empty()) point.structure = kAllPoints;
    for (const StructureGroup& group : groups) {
      const auto& numbers = group.point_numbers;
      if (std::find(numbers.begin(), numbers.end(), record.point_number) != numbers.end())
        point.structure = group.name;
    }
    points.push_back(std::move(point));
  }
  return points;
}

}  // namespace plot
