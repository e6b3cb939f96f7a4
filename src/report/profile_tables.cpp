// Tables 1 and 2: the control values of the problem and every sublayer with
// the properties it takes from its layer and its initial state.
#include "report/profile_tables.h"

#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/page.h"
#include "report/report_layouts.h"

namespace report {
namespace {

using layout::Value;

void write_table_1(layout::RecordWriter& report, const problem::ProblemData& problem) {
  static const layout::Layout kLayout = layout::parse_layout(kTable1Layout);
  // Spread areas are not counted: `area_count` is the number of regular areas.
  layout::write_record(report, kLayout,
                       {Value::of(problem.unit_system), Value::of(problem.layer_count),
                        Value::of(problem.curve_count), Value::of(problem.point_count),
                        Value::of(problem.area_count)});
}

void write_table_2_heading(layout::RecordWriter& report, std::int32_t unit_system) {
  static const layout::Layout kTitle = layout::parse_layout(kTable2TitleLayout);
  static const layout::Layout kHeader = layout::parse_layout(kTable2HeaderLayout);
  layout::write_record(report, kTitle, {});
  layout::write_record(report, kHeader,
                       {Value::of(unit_label(LabelSet::kUnitWeightWord1, unit_system)),
                        Value::of(unit_label(LabelSet::kUnitWeightWord2, unit_system)),
                        Value::of(unit_label(LabelSet::kLength, unit_system)),
                        Value::of(unit_label(LabelSet::kLength, unit_system)),
                        Value::of(unit_label(LabelSet::kUnitWeightUnit, unit_system)),
                        Value::of(unit_label(LabelSet::kPressure, unit_system))});
}

void write_table_2_row(layout::RecordWriter& report, const analysis::ClassicSublayer& sublayer) {
  static const layout::Layout kRow = layout::parse_layout(kTable2RowLayout);
  layout::write_record(
      report, kRow,
      {Value::of(sublayer.sublayer_number), Value::of(sublayer.centre_depth),
       Value::of(sublayer.thickness), Value::of(sublayer.thickness_factor),
       Value::of(sublayer.unit_weight), Value::of(sublayer.curve_index),
       Value::of(sublayer.overburden_pressure), Value::of(sublayer.initial_strain)});
}

}  // namespace

void write_tables_1_and_2(layout::RecordWriter& report, const problem::ProblemData& problem,
                          const analysis::ClassicProfile& profile) {
  start_page(report, Eject::kPlain, problem);
  write_table_1(report, problem);
  // Table 2 shares the page with Table 1 and is never split, however many
  // sublayers the profile has.
  write_table_2_heading(report, problem.unit_system);
  for (const analysis::ClassicSublayer& sublayer : profile.sublayers)
    write_table_2_row(report, sublayer);
}

}  // namespace report
