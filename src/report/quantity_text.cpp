// Fixed-decimal texts of the project report's quantities.
#include "report/quantity_text.h"

#include <charconv>
#include <cmath>

namespace report {
namespace {

// Drops the sign of a text that holds no digit but 0 ("-0.00" -> "0.00").
std::string without_negative_zero(std::string text) {
  if (!text.empty() && text.front() == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
    text.erase(0, 1);
  return text;
}

}  // namespace

std::string fixed_text(double value, int decimals) {
  if (!std::isfinite(value)) return "*";
  char text[400];  // a double's largest fixed text with a few decimals fits
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
  return without_negative_zero(std::string(text, end));
}

std::string scientific_text(double value, int decimals) {
  if (!std::isfinite(value)) return "*";
  if (value == 0.0) value = 0.0;  // no "-0.000E+00"
  char text[64];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, decimals).ptr;
  std::string shown(text, end);
  for (char& c : shown)
    if (c == 'e') c = 'E';
  return shown;
}

QuantityText::QuantityText(const site::Project& project) : us_(project.units == site::Units::kUs) {
  switch (project.time_unit) {
    case site::TimeUnit::kDay:
      time_unit_ = "DAY";
      break;
    case site::TimeUnit::kMonth:
      time_unit_ = "MONTH";
      break;
    case site::TimeUnit::kYear:
      time_unit_ = "YEAR";
      break;
  }
}

std::string QuantityText::cv_unit() const {
  return std::string(length_unit()) + "2/" + std::string(time_unit_);
}

std::string QuantityText::flow_unit() const {
  return std::string(length_unit()) + "3/" + std::string(time_unit_);
}

}  // namespace report
