// The project report's numbers: each kind of quantity in its unit label and
// with the fixed decimals that suit it in the project's unit system.
#pragma once

#include <string>
#include <string_view>

#include "site/project.h"

namespace report {

// `value` with `decimals` digits after the point, as std::to_chars writes it;
// a value that rounds to zero loses its minus sign, and a value that is not
// finite is shown as "*" (no "nan" or "inf" reaches a report).
std::string fixed_text(double value, int decimals);

// `value` as d.ddddE-nn with `decimals` digits after the point, for a
// quantity whose magnitude spans decades (mv); zero unsigned, "*" when
// not finite.
std::string scientific_text(double value, int decimals);

// The labels and number texts of one project's quantities.
class QuantityText {
 public:
  explicit QuantityText(const site::Project& project);

  std::string_view length_unit() const { return us_ ? "FT" : "M"; }
  std::string_view pressure_unit() const { return us_ ? "KSF" : "KPA"; }
  std::string_view unit_weight_unit() const { return us_ ? "PCF" : "KN/M3"; }
  std::string_view settlement_unit() const { return us_ ? "IN" : "MM"; }
  std::string_view force_unit() const { return us_ ? "KIPS" : "KN"; }
  std::string_view time_unit() const { return time_unit_; }  // "DAY", "MONTH", "YEAR"
  std::string compressibility_unit() const { return "1/" + std::string(pressure_unit()); }
  std::string cv_unit() const;    // "M2/DAY"
  std::string flow_unit() const;  // "M3/DAY"

  std::string length(double value) const { return fixed_text(value, 3); }
  std::string pressure(double value) const { return fixed_text(value, us_ ? 3 : 2); }
  std::string unit_weight(double value) const { return fixed_text(value, us_ ? 1 : 2); }
  std::string settlement(double value) const { return fixed_text(value, us_ ? 3 : 2); }
  std::string force(double value) const { return fixed_text(value, us_ ? 2 : 1); }
  std::string time(double value) const { return fixed_text(value, 2); }
  std::string angle(double degrees) const { return fixed_text(degrees, 2); }
  // A strain or a degree of consolidation given as a fraction, in percent.
  std::string percent_of(double fraction) const { return fixed_text(100.0 * fraction, 3); }
  std::string degree_percent(double fraction) const { return fixed_text(100.0 * fraction, 1); }

 private:
  bool us_;
  std::string_view time_unit_;
};

}  // namespace report
