// Values almost certainly typed wrong, and values too wide for the report.
#include "problem/plausibility_warnings.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "layout/render.h"
#include "problem/sublayer_division.h"

namespace problem {
namespace {

// Whether the report's Fw.d field prints `value` as asterisks.
bool prints_as_asterisks(float value, int width, int decimals) {
  return layout::format_fixed(value, width, decimals).find('*') != std::string::npos;
}

// The fields of one record and the warning of those that print as asterisks.
class WideValues {
 public:
  explicit WideValues(InputWarning warning) : warning_(std::move(warning)) {}
  void field(std::string_view name, float value, int width, int decimals) {
    if (prints_as_asterisks(value, width, decimals)) warning_.wide.emplace_back(name, value);
  }
  void integer(std::string_view name, std::int32_t value, int width) {
    if (layout::format_integer(value, width).find('*') != std::string::npos) {
      warning_.wide.emplace_back(name, static_cast<float>(value));
    }
  }
  void add_to(std::vector<InputWarning>& out) const {
    if (!warning_.wide.empty()) out.push_back(warning_);
  }

 private:
  InputWarning warning_;
};

InputWarning wide_warning(int line, int position, int table) {
  InputWarning w = input_warning(InputWarningKind::kPrintsAsAsterisks, line, position);
  w.count = table;
  return w;
}

void check_unit_system(const ProblemData& problem, const SourceLines& lines,
                       std::vector<InputWarning>& out) {
  if (problem.unit_system == kUsGravitational || problem.unit_system == kSiAbsolute) return;
  InputWarning w = input_warning(InputWarningKind::kUnitSystemNotKnown, lines.unit_system);
  w.count = problem.unit_system;
  out.push_back(w);
}

void check_layers(const ProblemData& problem, const SourceLines& lines,
                  std::vector<InputWarning>& out) {
  const bool si = problem.unit_system == kSiAbsolute;
  const float least = si ? kLeastSiUnitWeight : kLeastUsUnitWeight;
  const float most = si ? kMostSiUnitWeight : kMostUsUnitWeight;
  for (int i = 1; i <= std::min(problem.layer_count, kMaxLayers); ++i) {
    const SoilLayer& layer = problem.layers[i];
    // As the user wrote it: S.I. weights are kept as mass densities.
    const float weight = si ? layer.unit_weight / kMassDensityPerUnitWeight : layer.unit_weight;
    if (weight > 0.0f && (weight < least || weight > most)) {
      InputWarning w = input_warning(InputWarningKind::kUnitWeightImplausible, lines.layers[i], i,
                                     layer.layer_number);
      w.value = weight;
      w.other = least;
      w.lost = most;
      out.push_back(w);
    }
    // Table 2 prints the layer's values in every row of its sublayers.
    InputWarning base = wide_warning(lines.layers[i], i, 2);
    base.number = layer.layer_number;
    WideValues wide(base);
    wide.field("thickness factor", layer.thickness_factor, 7, 2);
    wide.field(si ? "mass density" : "unit weight", layer.unit_weight, 10, 2);
    wide.integer("curve position", layer.curve_index, 4);
    wide.add_to(out);
  }
}

void check_curves(const ProblemData& problem, const SourceLines& lines,
                  std::vector<InputWarning>& out) {
  for (int k = 1; k <= std::min(problem.curve_count, kMaxCurves); ++k) {
    const CompressibilityCurve& curve = problem.curves[k];
    InputWarning base = wide_warning(lines.curves[k], k, 3);
    base.number = curve.curve_number;
    WideValues wide(base);
    wide.integer("number", curve.curve_number, 3);
    if (is_slope_line(curve)) {
      wide.field("slope (%)", std::fabs(curve.slope * kPercent), 6, 3);
    } else {
      for (int j = 1; j <= std::min(curve.point_count, kMaxCurvePoints); ++j) {
        wide.field("strain (%)", curve.strain[j] * kPercent, 10, 3);
        wide.field("pressure", curve.pressure[j], 10, 3);
      }
    }
    wide.add_to(out);
  }
}

void check_points(const ProblemData& problem, const SourceLines& lines,
                  std::vector<InputWarning>& out) {
  for (int p = 1; p <= std::min(problem.point_count, kMaxPoints); ++p) {
    const SettlementPoint& point = problem.points[p];
    for (int q = 1; q < p; ++q) {
      if (problem.points[q].point_number != point.point_number) continue;
      InputWarning w = input_warning(InputWarningKind::kPointNumberRepeated, lines.points[p], p,
                                     point.point_number);
      w.count = q;
      w.first_line = lines.points[q];
      out.push_back(w);
      break;
    }
    InputWarning base = wide_warning(lines.points[p], p, 4);
    base.number = point.point_number;
    WideValues wide(base);
    wide.integer("number", point.point_number, 3);
    wide.field("x", point.x, 8, 2);
    wide.field("y", point.y, 8, 2);
    wide.integer("start layer", point.start_layer, 2);
    wide.add_to(out);
  }
}

// The largest pressure of the point curves that layers with sublayers use;
// 0 when the profile uses none.
float largest_curve_pressure(const ProblemData& problem) {
  float largest = 0.0f;
  for (int i = 1; i <= std::min(problem.layer_count, kMaxLayers); ++i) {
    const std::int32_t c = problem.layers[i].curve_index;
    if (sublayers_in(layer_thickness(problem, i)) < 1 || c < 1 || c > problem.curve_count ||
        c > kMaxCurves) {
      continue;
    }
    const CompressibilityCurve& curve = problem.curves[c];
    if (is_slope_line(curve)) continue;
    for (int j = 1; j <= std::min(curve.point_count, kMaxCurvePoints); ++j) {
      largest = std::max(largest, curve.pressure[j]);
    }
  }
  return largest;
}

void check_areas(const ProblemData& problem, const SourceLines& lines,
                 std::vector<InputWarning>& out) {
  const float largest = largest_curve_pressure(problem);
  const int total = std::clamp(problem.total_area_count(), 0, kMaxAreas);
  const int regular = std::clamp(problem.area_count, 0, kMaxAreas);
  for (int a = 1; a <= total; ++a) {
    const LoadedArea& area = problem.areas[a];
    // A spread area's loading is its total load, over its plan area at the top.
    const bool spread = a > regular;
    const float plan = area.x_length * area.y_length;
    const float pressure =
        spread ? (plan > 0.0f ? std::fabs(area.loading) / plan : 0.0f) : std::fabs(area.loading);
    if (largest > 0.0f && pressure > kFarBeyondCurves * largest) {
      InputWarning w = input_warning(InputWarningKind::kLoadingFarBeyondCurves, lines.areas[a], a);
      w.area_id = area.area_id;
      w.value = pressure;
      w.other = largest;
      w.y_length = spread;
      out.push_back(w);
    }
    if (spread) continue;
    const bool blank = area.area_id.view().find_first_not_of(' ') == std::string_view::npos;
    for (int b = 1; b < a && !blank; ++b) {
      if (problem.areas[b].area_id.view() != area.area_id.view()) continue;
      InputWarning w = input_warning(InputWarningKind::kAreaIdRepeated, lines.areas[a], a);
      w.area_id = area.area_id;
      w.count = b;
      w.first_line = lines.areas[b];
      out.push_back(w);
      break;
    }
    InputWarning base = wide_warning(lines.areas[a], a, 5);
    base.area_id = area.area_id;
    WideValues wide(base);
    wide.integer("shape", area.shape, 3);
    wide.field("x", area.x, 9, 2);
    wide.field("y", area.y, 9, 2);
    wide.field("X length", area.x_length, 7, 2);
    wide.field("Y length", area.y_length, 8, 2);
    wide.field("slope", area.area_slope, 7, 3);
    wide.field("loading", area.loading, 7, 3);
    wide.field("elevation", area.elevation, 8, 2);
    wide.add_to(out);
  }
}

}  // namespace

void find_plausibility_warnings(const ProblemData& problem, const SourceLines& lines,
                                std::vector<InputWarning>& out) {
  check_unit_system(problem, lines, out);
  check_layers(problem, lines, out);
  check_curves(problem, lines, out);
  check_points(problem, lines, out);
  check_areas(problem, lines, out);
}

}  // namespace problem
