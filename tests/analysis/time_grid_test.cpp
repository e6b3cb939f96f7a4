// The time maps' nodes are settlement points: at a node where a point stands,
// its t90 and its settlement at an output time are the point's.
#include "analysis/time_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "run/project_analysis.h"

namespace {

constexpr const char* kProject = R"(schema_version = 1
units = "SI"

[soils.clay]
model = "index"
cc = 0.4
cr = 0.05
e0 = 1.1
ocr = 1.2
cv = 1.5
c_alpha = 0.01

[[layers]]
bottom = 8.0
soil = "clay"
unit_weight = 17.0

[[points]]
x = 2.0
y = -4.0

[[points]]
x = 40.0
y = -4.0

[[loads]]
kind = "rectangle"
x = 0.0
y = 0.0
x_length = 20.0
y_length = 12.0
pressure = 80.0
ramp = 10.0

[[loads]]
kind = "circle"
x = 6.0
y = 0.0
diameter = 8.0
pressure = 40.0
start = 50.0

[consolidation]
times = [5.0, 60.0, 400.0]
)";

TEST(TimeGrid, NodesOnThePointsGiveThePointsTimesAndSettlements) {
  const run::ProjectAnalysis outcome = run::analyse_project_text(kProject, project::Form::kToml);
  ASSERT_FALSE(outcome.stopped());
  const analysis::TimeSetup setup = analysis::prepare_time(outcome.project, *outcome.exact);
  // Three columns 19 apart along y = -4: x = 2 (the first point), 21, 40
  // (the second point, beyond the loads).
  analysis::PlanGrid grid;
  grid.x0 = 2.0;
  grid.y0 = -4.0;
  grid.spacing = 19.0;
  grid.columns = 3;
  grid.rows = 1;
  int rows_done = 0;
  const std::vector<float> t90 = analysis::time_to_share_on_grid(
      outcome.project, *outcome.exact, setup, grid, 1, 0.9, [&](int done, int all) {
        rows_done = done;
        EXPECT_EQ(all, 1);
      });
  EXPECT_EQ(rows_done, 1);
  const std::vector<float> at_60 =
      analysis::settlement_at_time_on_grid(outcome.project, *outcome.exact, setup, grid, 1, 60.0);
  ASSERT_EQ(t90.size(), 3u);
  ASSERT_EQ(at_60.size(), 3u);
  const consolidation::PointHistory& first = *outcome.results->points[0].time;
  const consolidation::PointHistory& far = *outcome.results->points[1].time;
  EXPECT_EQ(t90[0], static_cast<float>(first.t90.value()));
  EXPECT_EQ(at_60[0], static_cast<float>(first.states[1].total));
  EXPECT_EQ(at_60[2], static_cast<float>(far.states[1].total));
  if (far.t90) {
    EXPECT_EQ(t90[2], static_cast<float>(*far.t90));
  } else {
    EXPECT_TRUE(std::isnan(t90[2]));
  }
  EXPECT_GT(t90[1], 0.0f);
}

}  // namespace
