// Tables 3 to 5: the compressibility curves (with the check that every curve
// pressure is positive), the settlement points and the regular loaded areas.
#include "report/input_tables.h"

#include <algorithm>
#include <array>

#include "analysis/compressibility.h"
#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/auxiliary_file.h"
#include "report/page.h"

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
  static const layout::Layout kLayout =
      layout::parse_layout("(/,6X,'SOIL COMPRESSIBILITY NO.',I3,/,16X,30A2,/)");
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

void write_pressure_error(layout::RecordWriter& report) {
  static const layout::Layout kLayout = layout::parse_layout(
      "(/,/,'************ERROR**************',/,"
      "'THE VERTICAL PRESSURE SHOULD BE GREATER THAN 0.0',/,/)");
  layout::write_record(report, kLayout, {});
}

// The point rows of a point curve; false when a pressure fails the check,
// after the error block has followed the offending row.
bool write_curve_points(layout::RecordWriter& report, const problem::CompressibilityCurve& curve,
                        std::int32_t unit_system) {
  static const layout::Layout kHeading =
      layout::parse_layout("(/,/,6X,'     F              P',/,6X,'    (%)          ',A3)");
  static const layout::Layout kRow = layout::parse_layout("(6X,F10.3,4X,F10.3)");
  layout::write_record(report, kHeading, {Value::of(unit_label(LabelSet::kPressure, unit_system))});
  for (int j = 1; j <= curve.point_count; ++j) {
    const auto index = static_cast<std::size_t>(j);
    const float pressure = curve.pressure[index];
    // Strains are held as fractions and shown in percent.
    layout::write_record(report, kRow,
                         {Value::of(curve.strain[index] * 100.0f), Value::of(pressure)});
    if (!analysis::pressure_is_acceptable(pressure)) {
      write_pressure_error(report);
      return false;
    }
  }
  return true;
}

void write_slope_sentence(layout::RecordWriter& report, const problem::CompressibilityCurve& curve) {
  static const layout::Layout kLinear =
      layout::parse_layout("(13X,'THE SLOPE OF THE F(%)-P CURVE IS ',F6.3,/)");
  static const layout::Layout kSemiLog =
      layout::parse_layout("(13X,'THE SLOPE OF THE F(%)-LOG P CURVE IS ',F6.3,/)");
  // A negative slope stands for a line in strain against pressure and is
  // printed by its magnitude; zero counts as a semi-log line.
  const float v = curve.slope * 100.0f;
  if (v < 0.0f) {
    layout::write_record(report, kLinear, {Value::of(-v)});
  } else {
    layout::write_record(report, kSemiLog, {Value::of(v)});
  }
}

void write_table_5_header(layout::RecordWriter& report, std::int32_t unit_system) {
  static const layout::Layout kLayout = layout::parse_layout(
      "(6X,'AREA AREA  LOADED AREA CENTER   AREA DIMEN.   AREA',3X,'SUSTAINED   AREA',/,"
      "7X,'ID  SHAPE  X-COORD  Y-COORD   ','XLEN    YLEN  SLOPE    LOADING    ELEV',/,"
      "21X,A2,7X,A2,6X,A2,6X,A2,14X,A3,7X,A2,/)");
  const Value length = Value::of(unit_label(LabelSet::kLength, unit_system));
  const Value pressure = Value::of(unit_label(LabelSet::kPressure, unit_system));
  layout::write_record(report, kLayout, {length, length, length, length, pressure, length});
}

void write_table_5_row(layout::RecordWriter& report, const problem::LoadedArea& area) {
  static const layout::Layout kLayout =
      layout::parse_layout("(6X,A4,1X,I3,2X,2(F9.2),F7.2,F8.2,F7.3,4X,F7.3,F8.2)");
  layout::write_record(report, kLayout,
                       {Value::of(area.area_id.view()), Value::of(area.shape), Value::of(area.x),
                        Value::of(area.y), Value::of(area.x_length), Value::of(area.y_length),
                        Value::of(area.area_slope), Value::of(area.loading),
                        Value::of(area.elevation)});
}

}  // namespace

Table3Outcome write_table_3(layout::RecordWriter& report, const problem::ProblemData& problem) {
  static const layout::Layout kHeading =
      layout::parse_layout("(6X,'TABLE 3 - SOIL COMPRESSIBILITY SOURCE AND DATA',A6,/)");
  const int pages = page_count(problem.curve_count, kCurvesPerPage);
  for (int page = 0; page < pages; ++page) {
    start_page(report, Eject::kPlain, problem);
    layout::write_record(report, kHeading, {Value::of(continuation_label(page))});
    const int first = page * kCurvesPerPage + 1;
    const int last = std::min(first + kCurvesPerPage - 1, problem.curve_count);
    for (int c = first; c <= last; ++c) {
      const problem::CompressibilityCurve& curve = problem.curves[static_cast<std::size_t>(c)];
      write_curve_heading(report, curve);
      if (analysis::is_slope_line(curve)) {
        write_slope_sentence(report, curve);
      } else if (!write_curve_points(report, curve, problem.unit_system)) {
        return Table3Outcome::kPressureError;
      }
    }
  }
  return Table3Outcome::kComplete;
}

void write_table_4(layout::RecordWriter& report, layout::RecordWriter& aux,
                   const problem::ProblemData& problem) {
  static const layout::Layout kHeading =
      layout::parse_layout("(6X,'TABLE 4 - SETTLEMENT POINT DATA',/)");
  static const layout::Layout kHeader = layout::parse_layout(
      "(6X,'POINT   POINT COORDINATES   LAYER',/,"
      "6X,' NO,       X          Y      NO.*',/,17X,A2,9X,A2,/)");
  static const layout::Layout kRow = layout::parse_layout("(7X,I2,3X,F8.2,2X,F8.2,5X,I2)");
  static const layout::Layout kFootnote = layout::parse_layout(
      "(/,6X,'* NUMBER OF SOIL LAYER AT WHICH SETTLEMENT ','COMPUTATION BEGINS')");
  start_page(report, Eject::kPlain, problem);
  layout::write_record(report, kHeading, {});
  const Value length = Value::of(unit_label(LabelSet::kLength, problem.unit_system));
  layout::write_record(report, kHeader, {length, length});
  for (int i = 1; i <= problem.point_count; ++i) {
    const problem::SettlementPoint& point = problem.points[static_cast<std::size_t>(i)];
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
  static const layout::Layout kHeading =
      layout::parse_layout("(6X,'TABLE 5 - LOADED AREA INFORMATION',1X,A6,/)");
  const int pages = page_count(problem.area_count, kAreasPerPage);
  for (int page = 0; page < pages; ++page) {
    start_page(report, Eject::kDoubled, problem);
    layout::write_record(report, kHeading, {Value::of(continuation_label(page))});
    write_table_5_header(report, problem.unit_system);
    const int first = page * kAreasPerPage + 1;
    const int last = std::min(first + kAreasPerPage - 1, problem.area_count);
    write_area_header(aux, last);
    for (int i = first; i <= last; ++i) {
      write_table_5_row(report, problem.areas[static_cast<std::size_t>(i)]);
      write_area_records(aux, problem, i);
    }
  }
}

}  // namespace report
