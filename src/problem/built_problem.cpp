// The reader's derivations and checks for a problem that was not read.
#include "problem/built_problem.h"

#include <algorithm>

#include "problem/input_checks.h"
#include "problem/sublayer_division.h"

namespace problem {

void derive_read_fields(ProblemData& problem) {
  set_unit_system(problem, problem.unit_system);
  problem.boundary_depths[0] = 0.0f;
  const int layers = std::min(problem.layer_count, kMaxLayers);
  for (int i = 1; i <= layers; ++i) problem.boundary_depths[i] = problem.layers[i].bottom_depth;
  for (int m = 1; m <= problem.spread_area_count; ++m) {
    const long long a = static_cast<long long>(problem.area_count) + m;
    if (a > kMaxAreas) break;
    if (a < 1) continue;  // before the table: a file's record read and dropped
    LoadedArea& area = problem.areas[static_cast<int>(a)];
    area.shape = kSpreadArea;
    area.depth_reference = problem.spread_depth_reference;
    area.area_id = FixedText<4>();
  }
}

std::optional<InputFault> check_built_problem(const ProblemData& problem) {
  constexpr int kNoLine = 0;
  if (auto fault = check_counts(problem, kNoLine)) return *fault;
  for (int i = 1; i <= problem.layer_count; ++i) {
    if (auto fault = check_curve_index(problem.layers[i], kNoLine)) return *fault;
  }
  if (auto fault = check_sublayer_count(problem, kNoLine)) return *fault;
  for (int k = 1; k <= problem.curve_count; ++k) {
    if (auto fault = check_curve_points(problem.curves[k], kNoLine)) return *fault;
  }
  DataErrors errors;
  for (int a = 1; a <= problem.area_count; ++a) check_area(problem, a, kNoLine, errors);
  if (has_data_errors(errors)) return errors;
  if (auto fault = check_total_areas(problem, kNoLine)) return *fault;
  if (auto fault = check_depth_reference(problem, kNoLine)) return *fault;
  return std::nullopt;
}

}  // namespace problem
