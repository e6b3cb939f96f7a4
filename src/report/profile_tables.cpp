// Tables 1 and 2: the control values of the problem and every sublayer with
// the properties it takes from its layer and its initial state.
#include "report/profile_tables.h"

#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/page.h"

namespace report {
namespace {

using layout::Value;

void write_table_1(layout::RecordWriter& report, const problem::ProblemData& problem) {
  static const layout::Layout kLayout = layout::parse_layout(
      "(6X,'TABLE 1 - PROBLEM CONTROL PARAMETERS',/,/,"
      "11X,'COMPUTATION UNITS                   =',I4,/,"
      "11X,'     1 = U.S. GRAVITATIONAL SYSTEM',/,"
      "11X,'     2 = S.I. ABSOLUTE SYSTEM',/,"
      "11X,'NUMBER OF SOIL LAYERS               =',I4,/,"
      "11X,'NUMBER OF SOIL COMPRESSIBILITIES    =',I4,/,"
      "11X,'NUMBER OF SETTLEMENT POINTS         =',I4,/,"
      "11X,'NUMBER OF LOADED AREAS              =',I4,/)");
  // Spread areas are not counted: `area_count` is the number of regular areas.
  layout::write_record(report, kLayout,
                       {Value::of(problem.unit_system), Value::of(problem.layer_count),
                        Value::of(problem.curve_count), Value::of(problem.point_count),
                        Value::of(problem.area_count)});
}

void write_table_2_heading(layout::RecordWriter& report, std::int32_t unit_system) {
  static const layout::Layout kTitle =
      layout::parse_layout("(/,/,/,6X,'TABLE 2 - SOIL AND LAYER INFORMATION',/)");
  static const layout::Layout kHeader = layout::parse_layout(
      "(6X,'SOIL  DEPTH TO   LAYER   LAYER',4X,A4,3X,'SOIL OVERBURDEN INIT VERTICAL',/,"
      "3X,'SUBLAYER  CENTER  THICKNESS',' THICK.',2X,A7,' COMP  PRESSURE   STRAIN (F0)',/,"
      "7X,'NO.',5X,A2,8X,A2,4X,'FACTOR ',A8,'  NO.',4X,A3,11X,'%',/)");
  layout::write_record(report, kTitle, {});
  layout::write_record(report, kHeader,
                       {Value::of(unit_label(LabelSet::kUnitWeightWord1, unit_system)),
                        Value::of(unit_label(LabelSet::kUnitWeightWord2, unit_system)),
                        Value::of(unit_label(LabelSet::kLength, unit_system)),
                        Value::of(unit_label(LabelSet::kLength, unit_system)),
                        Value::of(unit_label(LabelSet::kUnitWeightUnit, unit_system)),
                        Value::of(unit_label(LabelSet::kPressure, unit_system))});
}

void write_table_2_row(layout::RecordWriter& report, const problem::Sublayer& sublayer) {
  // 2P prints the strain, held as a fraction, in percent.
  static const layout::Layout kRow =
      layout::parse_layout("(6X,I3,2F10.2,F7.2,F10.2,I4,F10.3,4X,2P,F8.3)");
  layout::write_record(
      report, kRow,
      {Value::of(sublayer.sublayer_number), Value::of(sublayer.centre_depth),
       Value::of(sublayer.thickness), Value::of(sublayer.thickness_factor),
       Value::of(sublayer.unit_weight), Value::of(sublayer.curve_index),
       Value::of(sublayer.overburden_pressure), Value::of(sublayer.initial_strain)});
}

}  // namespace

void write_tables_1_and_2(layout::RecordWriter& report, const problem::ProblemData& problem) {
  start_page(report, Eject::kPlain, problem);
  write_table_1(report, problem);
  // Table 2 shares the page with Table 1 and is never split, however many
  // sublayers the profile has.
  write_table_2_heading(report, problem.unit_system);
  for (int k = 1; k <= problem.sublayer_count; ++k) {
    write_table_2_row(report, problem.sublayers[static_cast<std::size_t>(k)]);
  }
}

}  // namespace report
