// Tables 6 and 7: the average stress increase and the settlement of every
// sublayer below every point, 7 points across and 18 sublayers down a page.
#include "report/result_tables.h"

#include <algorithm>
#include <array>
#include <span>

#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/auxiliary_file.h"
#include "report/page.h"
#include "report/report_layouts.h"

namespace report {
namespace {

using layout::Value;

using SublayerTable = analysis::IndexedVector<analysis::SublayerRow>;

constexpr int kPointsPerBlock = 7;
constexpr int kSublayersPerPage = 18;

// A range of table positions, first..last inclusive.
struct Span {
  int first;
  int last;
};

int group_count(int entries, int per_group) {
  return entries <= 0 ? 0 : (entries + per_group - 1) / per_group;
}

Span group(int index, int per_group, int entries) {
  const int first = index * per_group + 1;
  return {first, std::min(first + per_group - 1, entries)};
}

// The values of one grid row: a leading value (a depth or a label) and one
// per point of the block. The layouts end after the last point given.
class GridRow {
 public:
  explicit GridRow(Value lead) : count_(1) { values_[0] = lead; }
  void add(Value value) { values_[count_++] = value; }
  std::span<const Value> values() const { return {values_.data(), count_}; }

 private:
  std::array<Value, 1 + kPointsPerBlock> values_{};
  std::size_t count_;
};

void write_point_numbers(layout::RecordWriter& report, const problem::ProblemData& problem,
                         Span points) {
  static const layout::Layout kLayout = layout::parse_layout(kPointNumbersLayout);
  std::array<Value, kPointsPerBlock> numbers{};
  std::size_t count = 0;
  for (int j = points.first; j <= points.last; ++j) {
    numbers[count++] = Value::of(problem.points[j].point_number);
  }
  layout::write_record(report, kLayout, std::span<const Value>(numbers.data(), count));
}

// One row per sublayer of the page: the centre depth, then `table`(j, m) for
// each point j of the block.
void write_grid_rows(layout::RecordWriter& report, const layout::Layout& row_layout,
                     const analysis::ClassicProfile& profile, const SublayerTable& table,
                     Span points, Span sublayers) {
  for (int m = sublayers.first; m <= sublayers.last; ++m) {
    GridRow row(Value::of(profile.stress_depths[2 * m]));
    for (int j = points.first; j <= points.last; ++j) row.add(Value::of(table[j][m]));
    layout::write_record(report, row_layout, row.values());
  }
}

void write_table_6_page(layout::RecordWriter& report, const problem::ProblemData& problem,
                        const analysis::ClassicProfile& profile,
                        const analysis::AnalysisResults& results, Span points, Span sublayers,
                        int page_index) {
  static const layout::Layout kHeading = layout::parse_layout(kTable6HeadingLayout);
  static const layout::Layout kUnits = layout::parse_layout(kTable6UnitsLayout);
  static const layout::Layout kRow = layout::parse_layout(kTable6RowLayout);
  start_page(report, Eject::kDoubled, problem);
  layout::write_record(report, kHeading, {Value::of(continuation_label(page_index))});
  write_point_numbers(report, problem, points);
  layout::write_record(report, kUnits,
                       {Value::of(unit_label(LabelSet::kLength, problem.unit_system)),
                        Value::of(unit_label(LabelSet::kPressure, problem.unit_system))});
  write_grid_rows(report, kRow, profile, results.average_stress_increase, points, sublayers);
}

void write_table_7_page(layout::RecordWriter& report, const problem::ProblemData& problem,
                        const analysis::ClassicProfile& profile,
                        const analysis::AnalysisResults& results, Span points, Span sublayers,
                        int page_index) {
  static const layout::Layout kHeading = layout::parse_layout(kTable7HeadingLayout);
  static const layout::Layout kUnits = layout::parse_layout(kTable7UnitsLayout);
  static const layout::Layout kRow = layout::parse_layout(kTable7RowLayout);
  start_page(report, Eject::kPlain, problem);
  layout::write_record(report, kHeading,
                       {Value::of(unit_label(LabelSet::kSettlementUnit, problem.unit_system)),
                        Value::of(continuation_label(page_index))});
  write_point_numbers(report, problem, points);
  layout::write_record(report, kUnits,
                       {Value::of(unit_label(LabelSet::kLength, problem.unit_system))});
  write_grid_rows(report, kRow, profile, results.sublayer_settlement, points, sublayers);
}

void write_total_row(layout::RecordWriter& report, const problem::ProblemData& problem,
                     const analysis::AnalysisResults& results, Span points) {
  static const layout::Layout kLayout = layout::parse_layout(kTotalRowLayout);
  GridRow row(Value::of(unit_label(LabelSet::kSettlementTotal, problem.unit_system)));
  for (int j = points.first; j <= points.last; ++j) {
    row.add(Value::of(results.total_settlement[j]));
  }
  layout::write_record(report, kLayout, row.values());
}

}  // namespace

void write_table_6(layout::RecordWriter& report, const problem::ProblemData& problem,
                   const analysis::ClassicProfile& profile,
                   const analysis::AnalysisResults& results) {
  const int blocks = group_count(problem.point_count, kPointsPerBlock);
  const int pages = group_count(profile.sublayer_count(), kSublayersPerPage);
  // The continuation label counts pages through the whole table, across blocks.
  int page_index = 0;
  for (int b = 0; b < blocks; ++b) {
    const Span points = group(b, kPointsPerBlock, problem.point_count);
    for (int p = 0; p < pages; ++p) {
      write_table_6_page(report, problem, profile, results, points,
                         group(p, kSublayersPerPage, profile.sublayer_count()), page_index++);
    }
  }
}

void write_strain_warnings(layout::RecordWriter& report, const analysis::AnalysisResults& results) {
  static const layout::Layout kBelowCurve = layout::parse_layout(kBelowCurveWarningLayout);
  static const layout::Layout kAboveCurve = layout::parse_layout(kAboveCurveWarningLayout);
  // The blocks name neither the point nor the sublayer: each stands for one
  // sublayer of one point.
  for (const analysis::StrainWarning& warning : results.strain_warnings) {
    const bool below = warning.side == analysis::CurveSide::kBelow;
    layout::write_record(report, below ? kBelowCurve : kAboveCurve, {});
  }
}

void write_table_7(layout::RecordWriter& report, layout::RecordWriter& aux,
                   const problem::ProblemData& problem, const analysis::ClassicProfile& profile,
                   const analysis::AnalysisResults& results) {
  const int blocks = group_count(problem.point_count, kPointsPerBlock);
  const int pages = group_count(profile.sublayer_count(), kSublayersPerPage);
  int page_index = 0;
  for (int b = 0; b < blocks; ++b) {
    const Span points = group(b, kPointsPerBlock, problem.point_count);
    for (int p = 0; p < pages; ++p) {
      write_table_7_page(report, problem, profile, results, points,
                         group(p, kSublayersPerPage, profile.sublayer_count()), page_index++);
    }
    // A block ends with its totals even when it had no sublayer page.
    write_total_row(report, problem, results, points);
    write_point_records(aux, problem, results, points.first, points.last);
  }
}

}  // namespace report
