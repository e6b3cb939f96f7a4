// The plausibility warnings in words.
#include "report/plausibility_texts.h"

#include "layout/decimal_text.h"
#include "problem/plausibility_warnings.h"
#include "problem/problem_data.h"

namespace report {
namespace {

using layout::shortest_text;
using problem::InputWarningKind;

std::string area_name(const problem::FixedText<4>& id) {
  std::string name(id.view());
  name.erase(name.find_last_not_of(' ') + 1);
  name.erase(0, name.find_first_not_of(' '));
  return name.empty() ? std::string("(no identifier)") : name;
}

// "its x of 123456.7 and y of 1e+06": the values of a record too wide to print.
std::string wide_values(const problem::InputWarning& w) {
  std::string text = "its ";
  for (std::size_t k = 0; k < w.wide.size(); ++k) {
    text += (k == 0                   ? ""
             : k + 1 == w.wide.size() ? " and "
                                      : ", ") +
            std::string(w.wide[k].first) + " of " + shortest_text(w.wide[k].second);
  }
  return text;
}

// Where the earlier record of a repeated name stands: its line, or in a
// problem of no lines its place in its list.
std::string earlier(const problem::InputWarning& w) {
  return w.first_line > 0 ? "on line " + std::to_string(w.first_line)
                          : "at place " + std::to_string(w.count) + " of the list";
}

std::string record_name(const problem::InputWarning& w) {
  switch (w.count) {
    case 2:
      return "layer " + std::to_string(w.number);
    case 3:
      return "soil compressibility " + std::to_string(w.number);
    case 4:
      return "point " + std::to_string(w.number);
    default:
      return "area " + area_name(w.area_id);
  }
}

}  // namespace

std::string plausibility_text(const problem::InputWarning& w, std::int32_t unit_system) {
  const bool si = unit_system == problem::kSiAbsolute;
  switch (w.kind) {
    case InputWarningKind::kUnitSystemNotKnown:
      return "the unit system is " + std::to_string(w.count) +
             ", neither 1 (U.S.) nor 2 (S.I.): the problem is computed in U.S. units (feet, ksf, "
             "inches)";
    case InputWarningKind::kUnitWeightImplausible:
      return "layer " + std::to_string(w.number) + " has a unit weight of " +
             shortest_text(w.value) + (si ? " kN/m3" : " lb/ft3") + ", outside the " +
             shortest_text(w.other) + " to " + shortest_text(w.lost) + (si ? " kN/m3" : " lb/ft3") +
             " that soils weigh" +
             (si ? " (a density in kg/m3 given for a unit weight?)"
                 : " (a unit weight in kN/m3 or kg/m3 given in a U.S. problem?)") +
             ": the overburden pressures, and so the settlements, follow it";
    case InputWarningKind::kLoadingFarBeyondCurves:
      return std::string(w.y_length ? "a spread area" : "area " + area_name(w.area_id)) +
             " loads " + shortest_text(w.value) + (si ? " kPa" : " ksf") + ", more than " +
             shortest_text(problem::kFarBeyondCurves) +
             " times the largest pressure of every point curve the profile uses (" +
             shortest_text(w.other) +
             "): its settlement rests on curves extended far past their data (a loading in the "
             "wrong unit?)";
    case InputWarningKind::kAreaIdRepeated:
      return "area " + area_name(w.area_id) + " has the identifier of the area " + earlier(w) +
             ": the report and the auxiliary data file cannot tell them apart";
    case InputWarningKind::kPointNumberRepeated:
      return "point " + std::to_string(w.number) + " has the number of the point " + earlier(w) +
             ": the report's tables cannot tell them apart";
    case InputWarningKind::kPrintsAsAsterisks:
      return record_name(w) + ": " + wide_values(w) + (w.wide.size() == 1 ? " prints" : " print") +
             " as asterisks in Table " + std::to_string(w.count) +
             ", whose columns are too narrow for " + (w.wide.size() == 1 ? "it" : "them") +
             "; the analysis uses the values as given";
    default:
      return {};
  }
}

}  // namespace report
