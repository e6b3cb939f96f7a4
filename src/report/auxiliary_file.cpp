// The auxiliary data file: "LDS" area records per Table 5 page, the point
// count, the point records per Table 7 block and the end mark.
#include "report/auxiliary_file.h"

#include "layout/free_form_output.h"
#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/report_layouts.h"

namespace report {
namespace {

using layout::Value;

}  // namespace

void write_area_header(layout::RecordWriter& aux, std::int32_t last_area) {
  static const layout::Layout kHeader = layout::parse_layout(kAreaHeaderLayout);
  layout::write_record(aux, kHeader, {});
  layout::write_free_form(aux, {Value::of(last_area)});
}

void write_area_records(layout::RecordWriter& aux, const problem::ProblemData& problem,
                        int position) {
  static const layout::Layout kIdentifier = layout::parse_layout(kAreaIdentifierLayout);
  static const layout::Layout kValues = layout::parse_layout(kAreaValuesLayout);
  const problem::LoadedArea& area = problem.areas[position];
  layout::write_record(aux, kIdentifier, {Value::of(area.area_id.view())});
  layout::write_record(
      aux, kValues,
      {Value::of(area.shape), Value::of(area.x), Value::of(area.y), Value::of(area.x_length),
       Value::of(area.y_length), Value::of(area.area_slope), Value::of(area.loading),
       Value::of(area.elevation)});
}

void write_point_count(layout::RecordWriter& aux, std::int32_t point_count) {
  layout::write_free_form(aux, {Value::of(point_count)});
}

void write_point_records(layout::RecordWriter& aux, const problem::ProblemData& problem,
                         const analysis::AnalysisResults& results, int first, int last) {
  static const layout::Layout kTag = layout::parse_layout(kPointTagLayout);
  for (int position = first; position <= last; ++position) {
    const problem::SettlementPoint& point = problem.points[position];
    // The tag carries the point's position in the table, not its number.
    layout::write_record(aux, kTag, {Value::of(std::string_view("#")), Value::of(position)});
    layout::write_free_form(aux, {Value::of(point.x), Value::of(point.y),
                                  Value::of(results.total_settlement[position])});
  }
}

void write_end_mark(layout::RecordWriter& aux) {
  static const layout::Layout kEnd = layout::parse_layout(kEndMarkLayout);
  layout::write_record(aux, kEnd, {});
}

}  // namespace report
