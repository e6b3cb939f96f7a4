// The input checks of the problem reader and the reports of their faults.
#include "problem/input_checks.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "analysis/soil_profile.h"
#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/page.h"

namespace problem {
namespace {

void append(std::int32_t& count, std::int32_t* list, int capacity, std::int32_t a) {
  assert(count < capacity);
  (void)capacity;
  ++count;
  list[count] = a;
}

bool at_layer_boundary(const ProblemData& problem, float elevation) {
  // Only an exact match counts: a load between boundaries has no place in the
  // sublayer scheme, however close it lies.
  for (int i = 0; i <= problem.layer_count && i <= kMaxLayers; ++i) {
    if (elevation == problem.boundary_depths[i]) return true;
  }
  return false;
}

// One block of the data-error report: the heading of `layout`, then the
// identifiers of the listed areas, ten to a line.
void write_area_list(layout::RecordWriter& report, const layout::Layout& layout,
                     const ProblemData& problem, std::int32_t count, const std::int32_t* list) {
  std::array<layout::Value, kMaxAreas> ids{};
  for (int n = 1; n <= count; ++n) {
    ids[static_cast<std::size_t>(n - 1)] = layout::Value::of(problem.areas[list[n]].area_id.view());
  }
  layout::write_record(report, layout,
                       std::span<const layout::Value>(ids.data(), static_cast<std::size_t>(count)));
}

// A limit fault goes to the report, which then ends like every data-error
// report, and to the console, where the user follows the echo.
bool report_fault(layout::RecordWriter& report, layout::RecordWriter& console,
                  const layout::Layout& layout, std::initializer_list<layout::Value> values) {
  layout::write_record(report, layout, values);
  report::write_digit_one(report);
  layout::write_record(console, layout, values);
  return false;
}

}  // namespace

void check_area(ProblemData& problem, std::int32_t a) {
  assert(a >= 1 && a <= kMaxAreas);
  const LoadedArea& area = problem.areas[static_cast<std::size_t>(a)];
  if (area.shape != kRectangle && area.shape != kCircle) {
    append(problem.shape_error_count, problem.shape_error_list.data(), kMaxShapeErrors, a);
  }
  if (!at_layer_boundary(problem, area.elevation)) {
    append(problem.boundary_error_count, problem.boundary_error_list.data(), kMaxBoundaryErrors,
           a);
  }
}

bool has_data_errors(const ProblemData& problem) {
  return problem.shape_error_count > 0 || problem.boundary_error_count > 0;
}

void write_data_error_report(layout::RecordWriter& report, const ProblemData& problem) {
  static const layout::Layout kShapeErrors = layout::parse_layout(
      "(/,/,/,/,12X,'THE SHAPE IS INCORRECT FOR THESE LOADED AREAS:',/,/,10X,10(A4,2X))");
  static const layout::Layout kBoundaryErrors = layout::parse_layout(
      "(/,/,/,/,12X,'THE FOLLOWING LOADED AREAS ARE NOT AT A LAYER 'BOUNDARY;',/,/,10X,"
      "10(A4,2X))");
  if (problem.shape_error_count > 0) {
    write_area_list(report, kShapeErrors, problem, problem.shape_error_count,
                    problem.shape_error_list.data());
  }
  if (problem.boundary_error_count > 0) {
    write_area_list(report, kBoundaryErrors, problem, problem.boundary_error_count,
                    problem.boundary_error_list.data());
  }
  report::write_digit_one(report);
}

bool counts_within_limits(const ProblemData& problem, layout::RecordWriter& report,
                          layout::RecordWriter& console) {
  static const layout::Layout kLayers = layout::parse_layout(
      "(/,/,/,/,12X,'THE NUMBER OF SOIL LAYERS',I6,' EXCEEDS THE LIMIT OF 25')");
  static const layout::Layout kCurves = layout::parse_layout(
      "(/,/,/,/,12X,'THE NUMBER OF SOIL COMPRESSIBILITIES',I6,' EXCEEDS THE LIMIT OF 50')");
  static const layout::Layout kPoints = layout::parse_layout(
      "(/,/,/,/,12X,'THE NUMBER OF SETTLEMENT POINTS',I6,' EXCEEDS THE LIMIT OF 150')");
  static const layout::Layout kAreas = layout::parse_layout(
      "(/,/,/,/,12X,'THE NUMBER OF LOADED AREAS',I6,' EXCEEDS THE LIMIT OF 150')");
  using layout::Value;
  if (problem.layer_count > kMaxLayers) {
    return report_fault(report, console, kLayers, {Value::of(problem.layer_count)});
  }
  if (problem.curve_count > kMaxCurves) {
    return report_fault(report, console, kCurves, {Value::of(problem.curve_count)});
  }
  if (problem.point_count > kMaxPoints) {
    return report_fault(report, console, kPoints, {Value::of(problem.point_count)});
  }
  if (problem.area_count > kMaxAreas) {
    return report_fault(report, console, kAreas, {Value::of(problem.area_count)});
  }
  return true;
}

bool curve_index_within_limits(const SoilLayer& layer, layout::RecordWriter& report,
                               layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout(
      "(/,/,/,/,12X,'SOIL LAYER NO.',I3,' REFERS TO SOIL COMPRESSIBILITY',I6,"
      "'; IT MUST BE 1 TO 50')");
  if (layer.curve_index >= 1 && layer.curve_index <= kMaxCurves) return true;
  return report_fault(report, console, kLayout,
                      {layout::Value::of(layer.layer_number), layout::Value::of(layer.curve_index)});
}

bool sublayers_within_limit(const ProblemData& problem, layout::RecordWriter& report,
                            layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout(
      "(/,/,/,/,12X,'THE NUMBER OF SUBLAYERS',I6,' EXCEEDS THE LIMIT OF 775')");
  const std::int64_t count = analysis::count_sublayers(problem);
  if (count <= kMaxSublayers) return true;
  // A count past 32 bits prints as asterisks all the same.
  const auto shown = static_cast<std::int32_t>(
      std::min<std::int64_t>(count, std::numeric_limits<std::int32_t>::max()));
  return report_fault(report, console, kLayout, {layout::Value::of(shown)});
}

bool curve_points_within_limit(const CompressibilityCurve& curve, layout::RecordWriter& report,
                               layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout(
      "(/,/,/,/,12X,'SOIL COMPRESSIBILITY NO.',I3,' HAS',I6,' POINTS; THE LIMIT IS 48')");
  if (curve.point_count <= kMaxCurvePoints) return true;
  return report_fault(report, console, kLayout,
                      {layout::Value::of(curve.curve_number), layout::Value::of(curve.point_count)});
}

bool total_areas_within_limit(const ProblemData& problem, layout::RecordWriter& report,
                              layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout(
      "(/,/,/,/,12X,'THE NUMBER OF LOADED AREAS',I6,' EXCEEDS THE LIMIT OF 150')");
  // Widened: two counts near the 32-bit limit must not wrap into a small total.
  const std::int64_t total =
      std::int64_t{problem.area_count} + std::int64_t{problem.spread_area_count};
  if (total <= kMaxAreas) return true;
  const auto shown = static_cast<std::int32_t>(
      std::min<std::int64_t>(total, std::numeric_limits<std::int32_t>::max()));
  return report_fault(report, console, kLayout, {layout::Value::of(shown)});
}

bool depth_reference_valid(const ProblemData& problem, layout::RecordWriter& report,
                           layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout(
      "(/,/,/,/,12X,'THE DEPTH REFERENCE OPTION OF THE SPREAD AREAS IS',I6,"
      "'; IT MUST BE 1, 2 OR 3')");
  // Files without spread areas often leave the option at 0; it is never used then.
  if (problem.spread_area_count <= 0) return true;
  const std::int32_t option = problem.spread_depth_reference;
  if (option >= 1 && option <= 3) return true;
  return report_fault(report, console, kLayout, {layout::Value::of(option)});
}

}  // namespace problem
