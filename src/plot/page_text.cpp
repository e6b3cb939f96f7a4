// Numbers, units and labels of the page.
#include "plot/page_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "layout/render.h"

namespace plot {

std::string decimal(float value, int decimals) {
  // A wide field: the digits are those of the report's narrower field
  // whenever that field holds the value at all.
  std::string field = layout::format_fixed(value, 24, decimals);
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  field.erase(0, first);
  // With no decimals the field still ends in a point ("10."): not on a page.
  if (decimals == 0 && field.back() == '.') field.pop_back();
  return field;
}

std::string plural(int count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string one_over_text(double ratio) {
  if (std::isinf(ratio)) return "infinite";
  if (!(ratio > 0.0)) return "0";
  const double n = 1.0 / ratio;
  // Three significant figures: more would claim a precision the ratio of two
  // rounded settlements does not have.
  const double unit = std::pow(10.0, std::max(0.0, std::floor(std::log10(n)) - 2.0));
  char text[40];
  std::snprintf(text, sizeof text, "1/%.0f", std::round(n / unit) * unit);
  return text;
}

std::string ratio_decimal_text(double ratio) {
  if (std::isinf(ratio)) return "infinite";
  if (!(ratio > 0.0)) return "0";
  const int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(ratio))));
  char text[40];
  std::snprintf(text, sizeof text, "%.*f", decimals, ratio);
  return text;
}

UnitNames unit_names(std::int32_t unit_system) {
  if (unit_system == problem::kSiAbsolute) {
    return {"m", "kPa", "mm", "kN", "S.I. (metres, kilopascals, millimetres)"};
  }
  return {"ft", "ksf", "in.", "kips", "U.S. (feet, kips per square foot, inches)"};
}

std::string_view trimmed(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  if (last == std::string_view::npos) return {};
  const std::size_t first = text.find_first_not_of(' ');
  return text.substr(first, last + 1 - first);
}

std::string area_label(const problem::ProblemData& problem, int area) {
  const auto& record = problem.areas[area];
  if (record.shape == problem::kSpreadArea) return "S" + std::to_string(area - problem.area_count);
  const std::string_view id = trimmed(record.area_id.view());
  return id.empty() ? "#" + std::to_string(area) : std::string(id);
}

}  // namespace plot
