// The warnings of a problem: values that are legal but almost certainly wrong.
#include "problem/input_warning.h"

#include <algorithm>

#include "problem/plausibility_warnings.h"
#include "problem/sublayer_division.h"

namespace problem {
namespace {

// The layer warnings: the order of the bottoms, the half units, the curve and
// the weight.
void check_layers(const ProblemData& problem, const SourceLines& lines,
                  std::vector<InputWarning>& out) {
  const float profile_end =
      static_cast<float>(count_sublayers(problem)) * static_cast<float>(kSublayerThickness);
  const float last_bottom =
      problem.layer_count > 0 ? problem.boundary_depths[problem.layer_count] : 0.0f;
  for (int i = 1; i <= problem.layer_count; ++i) {
    const SoilLayer& layer = problem.layers[i];
    const InputWarning base =
        input_warning(InputWarningKind::kLayerNotBelow, lines.layers[i], i, layer.layer_number);
    const double thickness = layer_thickness(problem, i);
    const std::int64_t sublayers = sublayers_in(thickness);
    if (!(thickness > 0.0)) {
      InputWarning w = base;
      w.value = layer.bottom_depth;
      w.other = problem.boundary_depths[i - 1];
      out.push_back(w);
    } else if (const double lost = thickness - static_cast<double>(sublayers) * 0.5; lost > 0.0) {
      InputWarning w = base;
      w.kind = InputWarningKind::kPartOfAHalfUnit;
      w.value = static_cast<float>(thickness);
      w.lost = static_cast<float>(lost);
      w.other = last_bottom;
      w.profile_end = profile_end;
      out.push_back(w);
    }
    if (layer.curve_index > problem.curve_count && sublayers > 0) {
      InputWarning w = base;
      w.kind = InputWarningKind::kCurveNotGiven;
      w.count = static_cast<int>(sublayers);
      w.value = static_cast<float>(layer.curve_index);
      w.other = static_cast<float>(std::max(problem.curve_count, 0));
      out.push_back(w);
    }
    if (!(layer.unit_weight > 0.0f)) {
      InputWarning w = base;
      w.kind = InputWarningKind::kUnitWeightNotPositive;
      // As the user wrote it: S.I. weights are kept as mass densities.
      w.value = problem.unit_system == kSiAbsolute ? layer.unit_weight / kMassDensityPerUnitWeight
                                                   : layer.unit_weight;
      out.push_back(w);
    }
  }
}

// The first point of each curve where the pressure does not rise, and the
// first where the strain falls while the pressure rises.
void check_curves(const ProblemData& problem, const SourceLines& lines,
                  std::vector<InputWarning>& out) {
  for (int k = 1; k <= problem.curve_count; ++k) {
    const CompressibilityCurve& curve = problem.curves[k];
    if (is_slope_line(curve)) continue;
    bool pressure_warned = false;
    bool strain_warned = false;
    for (int j = 2; j <= std::min(curve.point_count, kMaxCurvePoints); ++j) {
      InputWarning w = input_warning(InputWarningKind::kPressureNotRising, lines.curve_points[k][j],
                                     k, curve.curve_number);
      w.count = j;
      if (!(curve.pressure[j] > curve.pressure[j - 1])) {
        // A pressure of 0 or less stops the run on its own.
        if (pressure_warned || !(curve.pressure[j] > 0.0f)) continue;
        pressure_warned = true;
        w.value = curve.pressure[j];
        w.other = curve.pressure[j - 1];
        out.push_back(w);
      } else if (curve.strain[j] < curve.strain[j - 1] && !strain_warned) {
        strain_warned = true;
        w.kind = InputWarningKind::kStrainFalling;
        w.value = curve.strain[j] * kPercent;
        w.other = curve.strain[j - 1] * kPercent;
        out.push_back(w);
      }
    }
  }
}

void check_points(const ProblemData& problem, const SourceLines& lines,
                  std::vector<InputWarning>& out) {
  for (int p = 1; p <= problem.point_count; ++p) {
    const SettlementPoint& point = problem.points[p];
    if (point.start_layer >= 1 && point.start_layer <= problem.layer_count) continue;
    InputWarning w = input_warning(InputWarningKind::kStartLayerNotALayer, lines.points[p], p,
                                   point.point_number);
    w.count = point.start_layer;
    w.other = static_cast<float>(std::max(problem.layer_count, 0));
    out.push_back(w);
  }
}

// Regular areas of a sound shape only: a wrong shape stops the run anyway.
void check_areas(const ProblemData& problem, const SourceLines& lines,
                 std::vector<InputWarning>& out) {
  for (int a = 1; a <= problem.area_count; ++a) {
    const LoadedArea& area = problem.areas[a];
    if (area.shape != kRectangle && area.shape != kCircle) continue;
    InputWarning w = input_warning(InputWarningKind::kAreaWithoutSize, lines.areas[a], a);
    w.area_id = area.area_id;
    if (!(area.x_length > 0.0f)) {
      w.value = area.x_length;
      out.push_back(w);
    }
    if (area.shape == kRectangle && !(area.y_length > 0.0f)) {
      w.value = area.y_length;
      w.y_length = true;
      out.push_back(w);
    }
    if (area.loading == 0.0f) {
      w.kind = InputWarningKind::kAreaWithoutLoading;
      w.value = 0.0f;
      w.y_length = false;
      out.push_back(w);
    }
  }
}

}  // namespace

std::vector<InputWarning> find_input_warnings(const ProblemData& problem,
                                              const SourceLines& lines) {
  std::vector<InputWarning> warnings;
  check_layers(problem, lines, warnings);
  check_curves(problem, lines, warnings);
  check_points(problem, lines, warnings);
  check_areas(problem, lines, warnings);
  find_plausibility_warnings(problem, lines, warnings);
  return warnings;
}

}  // namespace problem
