// The words of the warnings and of the faults that stop a run.
#include "report/message_texts.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <variant>

#include "layout/decimal_text.h"
#include "report/plausibility_texts.h"
#include "report/value_faults.h"

namespace report {
namespace {

using layout::shortest_text;
using problem::InputWarningKind;

std::string length_unit(std::int32_t unit_system) {
  return unit_system == problem::kSiAbsolute ? "m" : "ft";
}

// A length as a reader wants it: at most three decimals, no trailing zeros.
std::string length_text(float value) {
  std::string text = std::to_string(std::round(static_cast<double>(value) * 1000.0) / 1000.0);
  text.erase(text.find_last_not_of('0') + 1);
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

std::string area_name(const problem::FixedText<4>& id) {
  std::string name(id.view());
  name.erase(name.find_last_not_of(' ') + 1);
  name.erase(0, name.find_first_not_of(' '));
  return name.empty() ? std::string("(no identifier)") : name;
}

std::string plural(int count, const std::string& one, const std::string& many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string layer_text(const problem::InputWarning& w, const std::string& unit) {
  switch (w.kind) {
    case InputWarningKind::kLayerNotBelow:
      return "layer " + std::to_string(w.number) + " has its bottom at " + shortest_text(w.value) +
             " " + unit + ", not below the bottom of the layer above at " + shortest_text(w.other) +
             " " + unit + ": it gets no sublayer, its soil is not analysed, and the layer " +
             "below it is measured from " + shortest_text(w.value) + " " + unit;
    case InputWarningKind::kPartOfAHalfUnit:
      return "layer " + std::to_string(w.number) + " is " + shortest_text(w.value) + " " + unit +
             " thick, not a whole number of half units: its lowest " + length_text(w.lost) + " " +
             unit + " is not analysed and every sublayer below lies that much higher than its " +
             "layer; the sublayers end at " + shortest_text(w.profile_end) + " " + unit +
             ", the profile at " + shortest_text(w.other) + " " + unit;
    case InputWarningKind::kCurveNotGiven:
      return "layer " + std::to_string(w.number) + " refers to soil compressibility " +
             shortest_text(w.value) + ", but " +
             (w.other > 0.0f ? "only " + plural(static_cast<int>(w.other), "is", "are") + " given"
                             : std::string("none is given")) +
             ": its " + plural(w.count, "sublayer settles", "sublayers settle") + " nothing";
    default:
      return {};
  }
}

}  // namespace

std::string input_warning_text(const problem::InputWarning& w, std::int32_t unit_system) {
  const std::string unit = length_unit(unit_system);
  const bool si = unit_system == problem::kSiAbsolute;
  switch (w.kind) {
    case InputWarningKind::kValuesLeftOver:
      return plural(w.count, "value is", "values are") + " left over after the " +
             plural(w.position, "value", "values") +
             " this record takes, and ignored (a decimal comma, as in 2,5, is the usual cause)";
    case InputWarningKind::kLayerNotBelow:
    case InputWarningKind::kPartOfAHalfUnit:
    case InputWarningKind::kCurveNotGiven:
      return layer_text(w, unit);
    case InputWarningKind::kUnitWeightNotPositive:
      return "layer " + std::to_string(w.number) + " has a unit weight of " +
             shortest_text(w.value) + (si ? " kN/m3" : " lb/ft3") +
             ": its soil adds nothing (or less) to the overburden " +
             "pressure, and a settlement on a logarithmic slope line from a pressure of 0 is " +
             "infinite";
    case InputWarningKind::kPressureNotRising:
      return "soil compressibility " + std::to_string(w.number) + ": the pressure of point " +
             std::to_string(w.count) + ", " + shortest_text(w.value) +
             ", does not rise above that of " + "point " + std::to_string(w.count - 1) + ", " +
             shortest_text(w.other) + ": strains read off the curve there are wrong";
    case InputWarningKind::kStrainFalling:
      return "soil compressibility " + std::to_string(w.number) + ": the strain of point " +
             std::to_string(w.count) + ", " + shortest_text(w.value) +
             " %, falls below that of point " + std::to_string(w.count - 1) + ", " +
             shortest_text(w.other) +
             " %, as the pressure rises: more load gives less settlement there";
    case InputWarningKind::kStartLayerNotALayer:
      return "point " + std::to_string(w.number) + " starts at layer " + std::to_string(w.count) +
             ", which the profile does not have (" +
             (w.other > 1.0f   ? "layers 1 to " + shortest_text(w.other)
              : w.other > 0.0f ? std::string("layer 1")
                               : std::string("no layers")) +
             "): its settlement is summed over every sublayer from the surface";
    case InputWarningKind::kAreaWithoutSize:
      return "area " + area_name(w.area_id) + " has " +
             (w.y_length ? "a Y length" : "an X length") + " of " + shortest_text(w.value) + " " +
             unit + ": an area of no size loads nothing, and a negative one gives stresses of no " +
             "meaning";
    case InputWarningKind::kAreaWithoutLoading:
      return "area " + area_name(w.area_id) + " has a loading of 0: it adds no stress";
    case InputWarningKind::kUnitSystemNotKnown:
    case InputWarningKind::kUnitWeightImplausible:
    case InputWarningKind::kLoadingFarBeyondCurves:
    case InputWarningKind::kAreaIdRepeated:
    case InputWarningKind::kPointNumberRepeated:
    case InputWarningKind::kPrintsAsAsterisks:
      return plausibility_text(w, unit_system);
  }
  return {};
}

std::vector<PointWarningText> strain_warning_texts(const problem::ProblemData& problem,
                                                   const problem::SourceLines& lines,
                                                   const analysis::ClassicProfile& profile,
                                                   const analysis::AnalysisResults& results) {
  std::vector<PointWarningText> texts;
  const std::string unit = length_unit(problem.unit_system);
  const auto& warnings = results.strain_warnings;
  for (auto first = warnings.begin(); first != warnings.end();) {
    const int point = first->point;
    const auto last =
        std::find_if(first, warnings.end(),
                     [point](const analysis::StrainWarning& w) { return w.point != point; });
    std::string text = "point " + std::to_string(problem.points[point].point_number) + ":";
    bool after_first = false;
    for (const analysis::CurveSide side :
         {analysis::CurveSide::kBelow, analysis::CurveSide::kAbove}) {
      int count = 0;
      float top = 0.0f, bottom = 0.0f;
      std::set<std::int32_t> curves;
      for (auto w = first; w != last; ++w) {
        if (w->side != side) continue;
        const float depth = profile.stress_depths[2 * w->sublayer];
        if (count++ == 0) top = depth;
        bottom = depth;
        curves.insert(w->curve);
      }
      if (count == 0) continue;
      std::string curve_list;
      for (const std::int32_t curve : curves) {
        curve_list += (curve_list.empty() ? "" : ", ") + std::to_string(curve);
      }
      const bool below = side == analysis::CurveSide::kBelow;
      text += std::string(after_first ? ";" : "") + " " + plural(count, "sublayer", "sublayers") +
              (below ? " below" : " above") +
              (curves.size() > 1 ? " their curves, soil compressibilities "
               : count > 1       ? " their curve, soil compressibility "
                                 : " its curve, soil compressibility ") +
              curve_list +
              (count == 1 ? ", at depth " + shortest_text(top)
                          : ", at depths " + shortest_text(top) + " to " + shortest_text(bottom)) +
              " " + unit +
              (below ? ": the curve's first strain is used there"
                     : ": the curve's last segment is extended there");
      after_first = true;
    }
    texts.push_back({point, lines.points[point], text});
    first = last;
  }
  return texts;
}

std::vector<FaultText> input_fault_texts(const problem::ProblemData& problem,
                                         const problem::InputFault& fault) {
  const std::string unit = length_unit(problem.unit_system);
  std::vector<FaultText> texts;
  if (const auto* errors = std::get_if<problem::DataErrors>(&fault)) {
    std::string boundaries;
    for (int i = 0; i <= std::max(problem.layer_count, 0); ++i) {
      boundaries += (i == 0 ? "" : ", ") + shortest_text(problem.boundary_depths[i]);
    }
    for (const problem::ListedArea& area : errors->wrong_shape) {
      texts.push_back({area.line, "area " + area_name(area.area_id) + " has shape " +
                                      std::to_string(area.shape) +
                                      "; a regular area is a rectangle (1) or a circle (2)"});
    }
    for (const problem::ListedArea& area : errors->off_boundary) {
      texts.push_back({area.line, "area " + area_name(area.area_id) + " is loaded at " +
                                      shortest_text(area.elevation) + " " + unit +
                                      ", which is no layer boundary (" + boundaries + " " + unit +
                                      ")"});
    }
    std::stable_sort(texts.begin(), texts.end(),
                     [](const FaultText& a, const FaultText& b) { return a.line < b.line; });
  } else if (const auto* limit = std::get_if<problem::LimitFault>(&fault)) {
    const std::string value = std::to_string(limit->value);
    std::string text;
    switch (limit->limit) {
      case problem::Limit::kLayers:
        text = value + " soil layers; the limit is 25";
        break;
      case problem::Limit::kCurves:
        text = value + " soil compressibilities; the limit is 50";
        break;
      case problem::Limit::kPoints:
        text = value + " settlement points; the limit is 150";
        break;
      case problem::Limit::kRegularAreas:
        text = value + " loaded areas; the limit is 150";
        break;
      case problem::Limit::kTotalAreas:
        text = value + " loaded and spread areas together; the limit is 150";
        break;
      case problem::Limit::kCurveIndex:
        text = "layer " + std::to_string(limit->item) + " refers to soil compressibility " + value +
               "; it must be 1 to 50";
        break;
      case problem::Limit::kSublayers:
        text = "the layers give " + value + " sublayers of 0.5 " + unit + "; the limit is 775";
        break;
      case problem::Limit::kCurvePoints:
        text = "soil compressibility " + std::to_string(limit->item) + " has " + value +
               " points; the limit is 48";
        break;
      case problem::Limit::kDepthReference:
        text =
            "the depth reference option of the spread areas is " + value + "; it must be 1, 2 or 3";
        break;
    }
    texts.push_back({limit->line, text});
  } else if (const auto* pressure = std::get_if<problem::PressureFault>(&fault)) {
    texts.push_back(
        {pressure->line, "soil compressibility " +
                             std::to_string(problem.curves[pressure->curve].curve_number) +
                             ", point " + std::to_string(pressure->row) + ": the pressure " +
                             shortest_text(pressure->pressure) + " is not greater than 0"});
  } else if (const auto* value = std::get_if<problem::ValueFault>(&fault)) {
    texts.push_back({value->line, value_fault_text(problem, *value)});
  }
  return texts;
}

}  // namespace report
