// The data-error report, the limit faults and the pressure error.
#include "report/input_faults.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/page.h"
#include "report/report_layouts.h"

namespace report {
namespace {

using layout::Value;

// One block of the data-error report: the heading of `layout`, then the
// identifiers of the listed areas, ten to a line.
void write_area_list(layout::RecordWriter& report, const layout::Layout& layout,
                     const std::vector<problem::ListedArea>& areas) {
  std::vector<Value> ids;
  ids.reserve(areas.size());
  for (const problem::ListedArea& area : areas) ids.push_back(Value::of(area.area_id.view()));
  layout::write_record(report, layout, ids);
}

// A count past 32 bits prints as asterisks all the same.
Value count_value(std::int64_t count) {
  return Value::of(static_cast<std::int32_t>(std::clamp<std::int64_t>(
      count, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())));
}

}  // namespace

void write_data_error_lists(layout::RecordWriter& out, const problem::DataErrors& errors) {
  static const layout::Layout kShapeErrors = layout::parse_layout(kShapeErrorsLayout);
  static const layout::Layout kBoundaryErrors = layout::parse_layout(kBoundaryErrorsLayout);
  if (!errors.wrong_shape.empty()) write_area_list(out, kShapeErrors, errors.wrong_shape);
  if (!errors.off_boundary.empty()) write_area_list(out, kBoundaryErrors, errors.off_boundary);
}

void write_data_error_report(layout::RecordWriter& report, const problem::DataErrors& errors) {
  write_data_error_lists(report, errors);
  write_digit_one(report);
}

void write_limit_fault(layout::RecordWriter& out, const problem::LimitFault& fault) {
  static const layout::Layout kLayers = layout::parse_layout(kLayerLimitLayout);
  static const layout::Layout kCurves = layout::parse_layout(kCurveLimitLayout);
  static const layout::Layout kPoints = layout::parse_layout(kPointLimitLayout);
  static const layout::Layout kAreas = layout::parse_layout(kAreaLimitLayout);
  static const layout::Layout kCurveIndex = layout::parse_layout(kCurveIndexLimitLayout);
  static const layout::Layout kSublayers = layout::parse_layout(kSublayerLimitLayout);
  static const layout::Layout kCurvePoints = layout::parse_layout(kCurvePointLimitLayout);
  static const layout::Layout kDepthReference = layout::parse_layout(kDepthReferenceLayout);
  const Value value = count_value(fault.value);
  const Value item = Value::of(fault.item);
  switch (fault.limit) {
    case problem::Limit::kLayers:
      return layout::write_record(out, kLayers, {value});
    case problem::Limit::kCurves:
      return layout::write_record(out, kCurves, {value});
    case problem::Limit::kPoints:
      return layout::write_record(out, kPoints, {value});
    case problem::Limit::kRegularAreas:
    case problem::Limit::kTotalAreas:
      return layout::write_record(out, kAreas, {value});
    case problem::Limit::kCurveIndex:
      return layout::write_record(out, kCurveIndex, {item, value});
    case problem::Limit::kSublayers:
      return layout::write_record(out, kSublayers, {value});
    case problem::Limit::kCurvePoints:
      return layout::write_record(out, kCurvePoints, {item, value});
    case problem::Limit::kDepthReference:
      return layout::write_record(out, kDepthReference, {value});
  }
}

void write_pressure_error(layout::RecordWriter& report) {
  static const layout::Layout kLayout = layout::parse_layout(kPressureErrorLayout);
  layout::write_record(report, kLayout, {});
}

}  // namespace report
