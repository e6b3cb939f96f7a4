// The auxiliary data file: "LDS" area records per Table 5 page, the point
// count, the point records per Table 7 block and the end mark.
#include "report/auxiliary_file.h"

#include "layout/free_form_output.h"
#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"

namespace report {
namespace {

using layout::Value;

}  // namespace

void write_area_header(layout::RecordWriter& aux, std::int32_t last_area) {
  static const layout::Layout kHeader = layout::parse_layout("('LDS')");
  layout::write_record(aux, kHeader, {});
  layout::write_free_form(aux, {Value::of(last_area)});
}

void write_area_records(layout::RecordWriter& aux, const problem::ProblemData& problem,
                        int position) {
  static const layout::Layout kIdentifier = layout::parse_layout("(A4)");
  // The fields of the area's Table 5 row from the shape on, with a single
  // blank where the row has its indent and identifier.
  static const layout::Layout kValues =
      layout::parse_layout("(1X,I3,2X,2(F9.2),F7.2,F8.2,F7.3,4X,F7.3,F8.2)");
  const problem::LoadedArea& area = problem.areas[static_cast<std::size_t>(position)];
  layout::write_record(aux, kIdentifier, {Value::of(area.area_id.view())});
  layout::write_record(aux, kValues,
                       {Value::of(area.shape), Value::of(area.x), Value::of(area.y),
                        Value::of(area.x_length), Value::of(area.y_length),
                        Value::of(area.area_slope), Value::of(area.loading),
                        Value::of(area.elevation)});
}

void write_point_count(layout::RecordWriter& aux, std::int32_t point_count) {
  layout::write_free_form(aux, {Value::of(point_count)});
}

void write_point_records(layout::RecordWriter& aux, const problem::ProblemData& problem,
                         const analysis::AnalysisResults& results, int first, int last) {
  static const layout::Layout kTag = layout::parse_layout("(A2,I2)");
  for (int position = first; position <= last; ++position) {
    const auto index = static_cast<std::size_t>(position);
    const problem::SettlementPoint& point = problem.points[index];
    // The tag carries the point's position in the table, not its number.
    layout::write_record(aux, kTag, {Value::of(std::string_view("# ")), Value::of(position)});
    layout::write_free_form(
        aux, {Value::of(point.x), Value::of(point.y), Value::of(results.total_settlement[index])});
  }
}

void write_end_mark(layout::RecordWriter& aux) {
  static const layout::Layout kEnd = layout::parse_layout("('END')");
  layout::write_record(aux, kEnd, {});
}

}  // namespace report
