// Tables 3 to 5: the compressibility curves (up to a curve pressure that is
// not positive, when there is one), the settlement points and the regular
// loaded areas.
#include "report/input_tables.h"

#include <algorithm>
#include <array>

#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/auxiliary_file.h"
#include "report/input_faults.h"
#include "report/page.h"
#include "report/report_layouts.h"

namespace report {
namespace {

using layout::Value;

constexpr int kCurvesPerPage = 7;
constexpr int kAreasPerPage = 136;
constexpr std::size_t kSourceGroups = 30;
constexpr std::size_t kSourceGroupWidth = 2;

int page_count(int entries, int per_page) {
  return entries <= 0 ? 0 : (entries + per_page - 1) / per_page;
}

void write_curve_heading(layout::RecordWriter& report, const problem::CompressibilityCurve& curve) {
  static const layout::Layout kLayout = layout::parse_layout(kCurveHeadingLayout);
  // The curve number, then the source text as the 30 two-character groups it
  // is printed in.
  std::array<Value, 1 + kSourceGroups> values{};
  values[0] = Value::of(curve.curve_number);
  const std::string_view source = curve.source_text.view();
  for (std::size_t g = 0; g < kSourceGroups; ++g) {
    values[1 + g] = Value::of(source.substr(g * kSourceGroupWidth, kSourceGroupWidth));
  }
  layout::write_record(report, kLayout, values);
}

// The point rows of a point curve, up to row `last`.
void write_curve_points(layout::RecordWriter& report, const problem::CompressibilityCurve& curve,
                        std::int32_t unit_system, int last) {
  static const layout::Layout kHeading = layout::parse_layout(kCurvePointHeadingLayout);
  static const layout::Layout kRow = layout::parse_layout(kCurvePointLayout);
  layout::write_record(report, kHeading, {Value::of(unit_label(LabelSet::kPressure, unit_system))});
  for (int j = 1; j <= last; ++j) {
    // Strains are held as fractions and shown in percent.
    layout::write_record(
        report, kRow,
        {Value::of(curve.strain[j] * problem::kPercent), Value::of(curve.pressure[j])});
  }
}

void write_slope_sentence(layout::RecordWriter& report,
                          const problem::CompressibilityCurve& curve) {
  static const layout::Layout kLinear = layout::parse_layout(kLinearSlopeLayout);
  static const layout::Layout kSemiLog = layout::parse_layout(kSemiLogSlopeLayout);
  // A negative slope stands for a line in strain against pressure and is
  // printed by its magnitude; zero counts as a semi-log line.
  const float v = curve.slope * problem::kPercent;
  if (v < 0.0f) {
    layout::write_record(report, kLinear, {Value::of(-v)});
  } else {
    layout::write_record(report, kSemiLog, {Value::of(v)});
  }
}

void write_table_5_header(layout::RecordWriter& report, std::int32_t unit_system) {
  static const layout::Layout kLayout = layout::parse_layout(kTable5HeaderLayout);
  const Value length = Value::of(unit_label(LabelSet::kLength, unit_system));
  const Value pressure = Value::of(unit_label(LabelSet::kPressure, unit_system));
  layout::write_record(report, kLayout, {length, length, length, length, pressure, length});
}

void write_table_5_row(layout::RecordWriter& report, const problem::LoadedArea& area) {
  static const layout::Layout kLayout = layout::parse_layout(kTable5RowLayout);
  layout::write_record(
      report, kLayout,
      {Value::of(area.area_id.view()), Value::of(area.shape), Value::of(area.x), Value::of(area.y),
       Value::of(area.x_length), Value::of(area.y_length), Value::of(area.area_slope),
       Value::of(area.loading), Value::of(area.elevation)});
}

}  // namespace

void write_table_3(layout::RecordWriter& report, const problem::ProblemData& problem,
                   const std::optional<problem::PressureFault>& fault) {
  static const layout::Layout kHeading = layout::parse_layout(kTable3HeadingLayout);
  const int pages = page_count(problem.curve_count, kCurvesPerPage);
  for (int page = 0; page < pages; ++page) {
    start_page(report, Eject::kPlain, problem);
    layout::write_record(report, kHeading, {Value::of(continuation_label(page))});
    const int first = page * kCurvesPerPage + 1;
    const int last = std::min(first + kCurvesPerPage - 1, problem.curve_count);
    for (int c = first; c <= last; ++c) {
      const problem::CompressibilityCurve& curve = problem.curves[c];
      write_curve_heading(report, curve);
      if (problem::is_slope_line(curve)) {
        write_slope_sentence(report, curve);
        continue;
      }
      // The table stops at a pressure that is not positive: its row is
      // printed, then the error block.
      if (fault && fault->curve == c) {
        write_curve_points(report, curve, problem.unit_system, fault->row);
        write_pressure_error(report);
        return;
      }
      write_curve_points(report, curve, problem.unit_system, curve.point_count);
    }
  }
}

void write_table_4(layout::RecordWriter& report, layout::RecordWriter& aux,
                   const problem::ProblemData& problem) {
  static const layout::Layout kHeading = layout::parse_layout(kTable4HeadingLayout);
  static const layout::Layout kHeader = layout::parse_layout(kTable4HeaderLayout);
  static const layout::Layout kRow = layout::parse_layout(kTable4RowLayout);
  static const layout::Layout kFootnote = layout::parse_layout(kTable4FootnoteLayout);
  start_page(report, Eject::kPlain, problem);
  layout::write_record(report, kHeading, {});
  const Value length = Value::of(unit_label(LabelSet::kLength, problem.unit_system));
  layout::write_record(report, kHeader, {length, length});
  for (int i = 1; i <= problem.point_count; ++i) {
    const problem::SettlementPoint& point = problem.points[i];
    layout::write_record(report, kRow,
                         {Value::of(point.point_number), Value::of(point.x), Value::of(point.y),
                          Value::of(point.start_layer)});
  }
  layout::write_record(report, kFootnote, {});
  // Without regular areas Table 5 has no page to carry the area header, so
  // the auxiliary file says here that it lists no area. A negative count
  // (read as given) writes neither this header nor a Table 5 page.
  if (problem.area_count == 0) write_area_header(aux, 0);
}

void write_table_5(layout::RecordWriter& report, layout::RecordWriter& aux,
                   const problem::ProblemData& problem) {
  static const layout::Layout kHeading = layout::parse_layout(kTable5HeadingLayout);
  const int pages = page_count(problem.area_count, kAreasPerPage);
  for (int page = 0; page < pages; ++page) {
    start_page(report, Eject::kDoubled, problem);
    layout::write_record(report, kHeading, {Value::of(continuation_label(page))});
    write_table_5_header(report, problem.unit_system);
    const int first = page * kAreasPerPage + 1;
    const int last = std::min(first + kAreasPerPage - 1, problem.area_count);
    write_area_header(aux, last);
    for (int i = first; i <= last; ++i) {
      write_table_5_row(report, problem.areas[i]);
      write_area_records(aux, problem, i);
    }
  }
}

}  // namespace report
