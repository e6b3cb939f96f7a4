// Texts the page shows: numbers as the report prints them, unit names and
// the title lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "problem/problem_data.h"

namespace plot {

// `value` with `decimals` decimals, rounded as the report's Fw.d fields round
// it, without the field's leading blanks (and, with no decimals, without
// the field's trailing point).
std::string decimal(float value, int decimals);

// A settlement as Table 7 prints it (3 decimals).
inline std::string settlement_text(float value) { return decimal(value, 3); }

// A count and its noun, the noun as `one` or `many` says it ("1 soil layer",
// "3 soil layers").
std::string plural(int count, std::string_view one, std::string_view many);

// A pure ratio as one over a number of three significant figures ("1/163",
// "1/45600"); "0" for 0, "infinite" for an infinite ratio.
std::string one_over_text(double ratio);

// A pure ratio as a decimal of three significant figures ("0.00613"); "0" for
// 0, "infinite" for an infinite ratio.
std::string ratio_decimal_text(double ratio);

struct UnitNames {
  std::string_view length;      // "ft" or "m"
  std::string_view pressure;    // "ksf" or "kPa"
  std::string_view settlement;  // "in." or "mm"
  std::string_view force;       // "kips" or "kN": the total load of a spread area
  std::string_view system;      // the unit system's name
};

// Every value but 2 is the U.S. system, as in the analysis.
UnitNames unit_names(std::int32_t unit_system);

// A fixed-length text without its trailing blanks.
std::string_view trimmed(std::string_view text);

// The label of a loaded area: its identifier, or "S" and its number among the
// spread areas, which have none.
std::string area_label(const problem::ProblemData& problem, int area);

}  // namespace plot
