// The trace file.
#include "report/trace_file.h"

#include <algorithm>

#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/report_layouts.h"

namespace report {

void write_trace(layout::RecordWriter& trace, const problem::ProblemData& problem) {
  static const layout::Layout kTraceLine = layout::parse_layout(kTraceLineLayout);
  const int area_count = std::max(problem.total_area_count(), 0);
  for (int i = 1; i <= area_count; ++i) {
    for (int j = 1; j <= problem.point_count; ++j) {
      layout::write_record(trace, kTraceLine, {layout::Value::of(i), layout::Value::of(j)});
    }
  }
}

}  // namespace report
