// Report pages: the page eject, the boxed banner with the problem title, the
// unit labels and the continuation label of the table headings.
#pragma once

#include <cstdint>
#include <string_view>

#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace report {

enum class Eject {
  kPlain,    // a form-feed record
  kDoubled,  // a form-feed record, then a record "1"
};

enum class LabelSet {
  kPressure,         // "KSF" / "KPA"
  kLength,           // "FT" / "M "
  kUnitWeightWord1,  // "UNIT" / "MASS"
  kUnitWeightWord2,  // "WEIGHT " / "DENSITY"
  kUnitWeightUnit,   // "LB/FT**3" / " KG/M**3"
  kSettlementTotal,  // "TOTAL(In.)" / "TOTAL(mm) "
  kSettlementUnit,   // "INCHES     " / "MILLIMETRES"
};

// The record holding the single form-feed character.
void write_form_feed(layout::RecordWriter& report);
// The record holding the single character "1".
void write_digit_one(layout::RecordWriter& report);

// The top of every table page: the page eject, then the eleven banner
// records with the two title lines.
void start_page(layout::RecordWriter& report, Eject eject, const problem::ProblemData& problem);

// The fixed-width label of `set` for `unit_system`; every value but 2 is U.S.
std::string_view unit_label(LabelSet set, std::int32_t unit_system);
// Six blanks on a table's first page (page 0), "(CONT)" on every later page.
std::string_view continuation_label(int page_index);

}  // namespace report
