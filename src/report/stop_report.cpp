// The report and console texts of a run stopped on the problem's data.
#include "report/stop_report.h"

#include <variant>

#include "report/input_faults.h"
#include "report/input_tables.h"
#include "report/page.h"
#include "report/profile_tables.h"
#include "report/value_faults.h"

namespace report {

void write_stop_report(layout::RecordWriter& report, layout::RecordWriter& console,
                       const problem::ProblemData& problem, const analysis::ClassicProfile* profile,
                       const problem::InputFault& stop) {
  if (const auto* errors = std::get_if<problem::DataErrors>(&stop)) {
    write_data_error_report(report, *errors);
  } else if (const auto* limit = std::get_if<problem::LimitFault>(&stop)) {
    // The report ends like every data-error report; the console shows the
    // fault where the user follows the echo.
    write_limit_fault(report, *limit);
    write_digit_one(report);
    write_limit_fault(console, *limit);
  } else if (const auto* pressure = std::get_if<problem::PressureFault>(&stop)) {
    write_tables_1_and_2(report, problem, *profile);
    write_table_3(report, problem, *pressure);
  } else if (const auto* value = std::get_if<problem::ValueFault>(&stop)) {
    // As a limit fault: the report's record, and the console's after the echo.
    write_value_fault(report, *value);
    write_digit_one(report);
    write_value_fault(console, *value);
  }
}

void write_stop_explanation(layout::RecordWriter& out, const problem::InputFault& stop) {
  if (const auto* errors = std::get_if<problem::DataErrors>(&stop)) {
    write_data_error_lists(out, *errors);
  } else if (const auto* limit = std::get_if<problem::LimitFault>(&stop)) {
    write_limit_fault(out, *limit);
  } else if (std::holds_alternative<problem::PressureFault>(stop)) {
    write_pressure_error(out);
  } else if (const auto* value = std::get_if<problem::ValueFault>(&stop)) {
    write_value_fault(out, *value);
  }
}

}  // namespace report
