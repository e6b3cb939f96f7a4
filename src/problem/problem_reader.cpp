// The problem data file, read record by record into ProblemData, with the
// console echo that lets the user follow where a bad file went wrong.
#include "problem/problem_reader.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <variant>
#include <vector>

#include "layout/fixed_input.h"
#include "layout/free_form_input.h"
#include "layout/free_form_output.h"
#include "layout/layout.h"
#include "layout/render.h"
#include "layout/target.h"
#include "layout/value.h"
#include "problem/input_checks.h"
#include "problem/input_layouts.h"
#include "problem/input_warning.h"
#include "problem/sublayer_division.h"

namespace problem {
namespace {

using layout::Target;
using layout::Value;

// The reading's state: the input, where the echo goes (nowhere when null),
// and what has been read so far.
struct Reading {
  layout::RecordReader& input;
  layout::RecordWriter* echo;
  ProblemData& problem;
  SourceLines& lines;
  std::vector<InputWarning>& warnings;
};

// One free-form record. Values left over on its last line are ignored, and
// a warning says so: a decimal comma splits one value into two.
void read_values(Reading& r, std::initializer_list<Target> targets) {
  const int left_over = layout::read_free_form(r.input, targets);
  if (left_over == 0) return;
  InputWarning warning = input_warning(InputWarningKind::kValuesLeftOver, r.input.line_number());
  warning.count = left_over;
  warning.position = static_cast<int>(targets.size());
  r.warnings.push_back(warning);
}

const layout::Layout& source_text_layout() {
  static const layout::Layout kLayout = layout::parse_layout(kSourceTextLayout);
  return kLayout;
}

// The targets that read `text` as consecutive fields of `width` characters.
template <std::size_t kFields>
std::array<Target, kFields> field_targets(std::span<char> text, std::size_t width) {
  assert(text.size() == kFields * width);
  std::array<Target, kFields> targets{};
  for (std::size_t f = 0; f < kFields; ++f) targets[f] = Target::of(text.subspan(f * width, width));
  return targets;
}

// The same cut of `text` as values to write.
template <std::size_t kFields>
std::array<Value, kFields> field_values(std::string_view text, std::size_t width) {
  assert(text.size() == kFields * width);
  std::array<Value, kFields> values{};
  for (std::size_t f = 0; f < kFields; ++f) values[f] = Value::of(text.substr(f * width, width));
  return values;
}

void read_title(layout::RecordReader& input, ProblemData& problem) {
  static const layout::Layout kLayout = layout::parse_layout(kTitleLayout);
  std::array<Target, 34> targets{};
  const auto first = field_targets<17>(problem.title[0].chars, 4);
  const auto second = field_targets<17>(problem.title[1].chars, 4);
  for (std::size_t w = 0; w < 17; ++w) {
    targets[w] = first[w];
    targets[17 + w] = second[w];
  }
  layout::read_fixed(input, kLayout, targets);
}

// Every boundary depth (those of layers still to come are 0.0), then the layer.
// The echo of one record, when the reading has one.
void echo(Reading& r, std::span<const Value> values) {
  if (r.echo != nullptr) layout::write_free_form(*r.echo, values);
}
void echo(Reading& r, std::initializer_list<Value> values) {
  echo(r, std::span<const Value>(values.begin(), values.size()));
}

void echo_layer(Reading& r, const ProblemData& problem, const SoilLayer& layer) {
  std::array<Value, kMaxLayers + 1 + 4> values{};
  std::size_t n = 0;
  for (int i = 0; i <= problem.layer_count; ++i)
    values[n++] = Value::of(problem.boundary_depths[i]);
  values[n++] = Value::of(layer.layer_number);
  values[n++] = Value::of(layer.unit_weight);
  values[n++] = Value::of(layer.curve_index);
  values[n++] = Value::of(layer.thickness_factor);
  echo(r, std::span<const Value>(values.data(), n));
}

std::optional<LimitFault> read_layers(Reading& r) {
  ProblemData& problem = r.problem;
  for (int i = 1; i <= problem.layer_count; ++i) {
    SoilLayer& layer = problem.layers[i];
    read_values(r, {Target::of(layer.layer_number), Target::of(layer.bottom_depth),
                    Target::of(layer.unit_weight), Target::of(layer.curve_index),
                    Target::of(layer.thickness_factor)});
    r.lines.layers[i] = r.input.line_number();
    // S.I. profiles give unit weights; the program keeps mass densities.
    if (problem.unit_system == kSiAbsolute) {
      layer.unit_weight = layer.unit_weight * kMassDensityPerUnitWeight;
    }
    problem.boundary_depths[0] = 0.0f;
    problem.boundary_depths[i] = layer.bottom_depth;
    echo_layer(r, problem, layer);
    if (auto fault = check_curve_index(layer, r.lines.layers[i])) return fault;
  }
  return check_sublayer_count(
      problem, problem.layer_count > 0 ? r.lines.layers[problem.layer_count] : r.lines.counts);
}

// A slope line has one value; a point curve one (F, P) record per point.
void read_curve_values(Reading& r, int k) {
  CompressibilityCurve& curve = r.problem.curves[k];
  if (is_slope_line(curve)) {
    read_values(r, {Target::of(curve.slope)});
    curve.slope = curve.slope / kPercent;
    return;
  }
  for (int j = 1; j <= curve.point_count; ++j) {
    read_values(r, {Target::of(curve.strain[j]), Target::of(curve.pressure[j])});
    r.lines.curve_points[k][j] = r.input.line_number();
  }
  for (int j = 1; j <= curve.point_count; ++j) curve.strain[j] = curve.strain[j] / kPercent;
}

std::optional<LimitFault> read_curves(Reading& r) {
  for (int k = 1; k <= r.problem.curve_count; ++k) {
    CompressibilityCurve& curve = r.problem.curves[k];
    read_values(r, {Target::of(curve.curve_number), Target::of(curve.point_count)});
    r.lines.curves[k] = r.input.line_number();
    layout::read_fixed(r.input, source_text_layout(),
                       field_targets<30>(curve.source_text.chars, 2));
    if (r.echo != nullptr) {
      layout::write_record(*r.echo, source_text_layout(),
                           field_values<30>(curve.source_text.view(), 2));
    }
    if (auto fault = check_curve_points(curve, r.lines.curves[k])) return fault;
    read_curve_values(r, k);
  }
  return std::nullopt;
}

void read_points(Reading& r) {
  for (int p = 1; p <= r.problem.point_count; ++p) {
    SettlementPoint& point = r.problem.points[p];
    read_values(r, {Target::of(point.point_number), Target::of(point.x), Target::of(point.y),
                    Target::of(point.start_layer)});
    r.lines.points[p] = r.input.line_number();
    echo(r, {Value::of(point.point_number), Value::of(point.x), Value::of(point.y),
             Value::of(point.start_layer)});
  }
}

DataErrors read_regular_areas(Reading& r) {
  static const layout::Layout kAreaId = layout::parse_layout(kAreaIdLayout);
  DataErrors errors;
  for (int a = 1; a <= r.problem.area_count; ++a) {
    LoadedArea& area = r.problem.areas[a];
    layout::read_fixed(r.input, kAreaId, {Target::of(area.area_id.chars)});
    read_values(r,
                {Target::of(area.shape), Target::of(area.x), Target::of(area.y),
                 Target::of(area.x_length), Target::of(area.y_length), Target::of(area.area_slope),
                 Target::of(area.loading), Target::of(area.elevation)});
    r.lines.areas[a] = r.input.line_number();
    echo(r, {Value::of(area.area_id.view()), Value::of(area.shape), Value::of(area.x),
             Value::of(area.y), Value::of(area.x_length), Value::of(area.y_length),
             Value::of(area.area_slope), Value::of(area.loading), Value::of(area.elevation)});
    check_area(r.problem, a, r.lines.areas[a], errors);
  }
  return errors;
}

// Records 8 and 9: how many spread areas follow and where their loads act.
std::optional<LimitFault> read_spread_control(Reading& r) {
  ProblemData& problem = r.problem;
  read_values(r, {Target::of(problem.spread_area_count)});
  const int count_line = r.input.line_number();
  read_values(r, {Target::of(problem.spread_depth_reference)});
  r.lines.spread_control = r.input.line_number();
  echo(r, {Value::of(problem.spread_area_count), Value::of(problem.spread_depth_reference),
           Value::of(problem.area_count)});
  if (auto fault = check_total_areas(problem, count_line)) return fault;
  return check_depth_reference(problem, r.lines.spread_control);
}

void read_spread_areas(Reading& r) {
  ProblemData& problem = r.problem;
  // With a negative regular-area count the first spread positions fall before
  // the table; those records are read and dropped.
  LoadedArea dropped;
  for (int m = 1; m <= problem.spread_area_count; ++m) {
    const int a = problem.area_count + m;
    LoadedArea& area = a >= 1 ? problem.areas[a] : dropped;
    area.depth_reference = problem.spread_depth_reference;
    area.shape = kSpreadArea;
    std::int32_t area_number = 0;  // the file numbers them; the program does not
    read_values(
        r, {Target::of(area_number), Target::of(area.x), Target::of(area.y),
            Target::of(area.x_length), Target::of(area.y_length), Target::of(area.elevation),
            Target::of(area.upper_depth), Target::of(area.lower_depth), Target::of(area.loading)});
    if (a >= 1) r.lines.areas[a] = r.input.line_number();
  }
}

// Reads every record in order; returns what stopped the reading, if anything.
std::optional<InputFault> read_records(Reading& r) {
  ProblemData& problem = r.problem;
  read_title(r.input, problem);

  std::int32_t unit_system = 0;
  read_values(r, {Target::of(unit_system)});
  r.lines.unit_system = r.input.line_number();
  set_unit_system(problem, unit_system);

  read_values(r, {Target::of(problem.layer_count), Target::of(problem.curve_count),
                  Target::of(problem.point_count), Target::of(problem.area_count)});
  r.lines.counts = r.input.line_number();
  if (auto fault = check_counts(problem, r.lines.counts)) return *fault;

  if (auto fault = read_layers(r)) return *fault;
  if (auto fault = read_curves(r)) return *fault;
  read_points(r);
  DataErrors errors = read_regular_areas(r);
  if (has_data_errors(errors)) return errors;

  if (auto fault = read_spread_control(r)) return *fault;
  read_spread_areas(r);
  return std::nullopt;
}

}  // namespace

ReadResult read_problem(layout::RecordReader& input, layout::RecordWriter* echo) {
  ReadResult result{std::make_unique<ProblemData>(), {}, std::nullopt, {}};
  Reading reading{input, echo, *result.problem, result.lines, result.warnings};
  result.stop = read_records(reading);
  // Past a limit the tables are not what the counts say: only what was read
  // as it was read is looked at then.
  if (!result.stop || std::holds_alternative<DataErrors>(*result.stop)) {
    const std::vector<InputWarning> found = find_input_warnings(*result.problem, result.lines);
    result.warnings.insert(result.warnings.end(), found.begin(), found.end());
    // In the order of the file, those of one line in the order found.
    std::stable_sort(result.warnings.begin(), result.warnings.end(),
                     [](const InputWarning& a, const InputWarning& b) { return a.line < b.line; });
  }
  return result;
}

}  // namespace problem
