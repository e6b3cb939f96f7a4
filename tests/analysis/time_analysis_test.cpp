// The settlement in time through the whole project path (the project file,
// the exact method's static analysis, the columns of the points) against
// Terzaghi's series and the secondary compression worked out by hand.
#include "analysis/time_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "run/project_analysis.h"

namespace {

// One clay layer H = 10 m thick, linear (mv), cv = 1 m²/day, drained at the
// surface only, under a square load 100 km wide: the stress increase is
// uniform with depth to far better than 1e-6, so H²/cv = 100 days and
// Tv = t / 100.
std::string one_clay(const std::string& clay_extra, const std::string& times) {
  return R"(schema_version = 1
units = "SI"

[soils.clay]
model = "modulus"
mv = 0.0005
cv = 1.0
)" + clay_extra +
         R"(
[[layers]]
bottom = 10.0
soil = "clay"
unit_weight = 18.0

[[points]]
name = "centre"
x = 0.0
y = 0.0

[[loads]]
kind = "rectangle"
x = 0.0
y = 0.0
x_length = 100000.0
y_length = 100000.0
pressure = 100.0

[consolidation]
times = )" +
         times +
         R"(
top = "drained"
bottom = "impermeable"
)";
}

const run::ProjectAnalysis& analysed(const run::ProjectAnalysis& outcome) {
  for (const site::Diagnostic& d : outcome.diagnostics)
    ADD_FAILURE() << d.path << ": " << d.message;
  return outcome;
}

// Terzaghi's degree of consolidation, summed until a term is below 1e-17.
double terzaghi_degree(double tv) {
  double sum = 0.0;
  for (int m = 0; m < 100000; ++m) {
    const double big_m = std::numbers::pi * (2 * m + 1) / 2.0;
    const double term = 2.0 / (big_m * big_m) * std::exp(-big_m * big_m * tv);
    sum += term;
    if (term < 1e-17) break;
  }
  return 1.0 - sum;
}

TEST(TimeAnalysis, OneClayUnderAWideLoadFollowsTerzaghisSeries) {
  const run::ProjectAnalysis outcome =
      analysed(run::analyse_project_text(one_clay("", "[20.0, 50.0]"), project::Form::kToml));
  ASSERT_FALSE(outcome.stopped());
  const analysis::ResultPoint& point = outcome.results->points.at(0);
  ASSERT_TRUE(point.time.has_value());
  const consolidation::PointHistory& history = *point.time;
  // The final primary is the static settlement: mv Δσ H = 0.0005 × 100 × 10 m.
  EXPECT_NEAR(history.final_primary, point.settlement, 1e-9);
  EXPECT_NEAR(history.final_primary, 500.0, 1e-3);
  const double tv[] = {0.2, 0.5};
  ASSERT_EQ(history.states.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    ASSERT_TRUE(history.states[i].degree.has_value());
    EXPECT_NEAR(*history.states[i].degree, terzaghi_degree(tv[i]), 1e-4) << "Tv " << tv[i];
    EXPECT_EQ(history.states[i].secondary, 0.0);
    EXPECT_EQ(history.states[i].excess_pore_pressure.size(), 20u);
  }
  ASSERT_TRUE(history.t90.has_value());
  EXPECT_NEAR(*history.t90, 0.848085 * 100.0, 1e-4 * 84.8085);
  ASSERT_TRUE(history.t50.has_value());
  EXPECT_NEAR(*history.t50, 0.196731 * 100.0, 1e-4 * 19.6731);
}

// Secondary compression, c_alpha / (1 + e0) × H × log10(t / t_p) from the
// time t_p the layer reaches 95 % of its primary, Tv95 = 1.1290074 (the
// series solved for 0.95): at 1000 days, 0.02 / 2.5 × 10 m × 1000 mm/m ×
// log10(1000 / 112.90074) = 80 × 0.9473 mm.
TEST(TimeAnalysis, SecondaryCompressionByHand) {
  const run::ProjectAnalysis outcome = analysed(run::analyse_project_text(
      one_clay("c_alpha = 0.02\ne0 = 1.5\n", "[50.0, 1000.0]"), project::Form::kToml));
  ASSERT_FALSE(outcome.stopped());
  const consolidation::PointHistory& history = *outcome.results->points.at(0).time;
  const double t95 = 1.1290074 * 100.0;
  const double by_hand = 0.02 / (1.0 + 1.5) * 10.0 * 1000.0 * std::log10(1000.0 / t95);
  EXPECT_EQ(history.states[0].secondary, 0.0);  // before t_p
  EXPECT_NEAR(history.states[1].secondary, by_hand, 1e-3);
  EXPECT_NEAR(history.states[1].total, history.states[1].primary + by_hand, 1e-3);
  ASSERT_TRUE(history.secondary_from.at(0).has_value());
  EXPECT_NEAR(*history.secondary_from[0], t95, 1e-4);
}

// Each bad value of the time-rate analysis refused with an error naming its
// key.
TEST(TimeAnalysis, BadInputIsAnErrorNamingTheKey) {
  struct Case {
    const char* what;
    std::string text;
    const char* path;
  };
  const std::string base = one_clay("", "[10.0, 100.0]");
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = base;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  const Case cases[] = {
      {"cv zero", replaced("cv = 1.0", "cv = 0.0"), "soils.clay.cv"},
      {"cv negative", replaced("cv = 1.0", "cv = -0.5"), "soils.clay.cv"},
      {"cv missing", replaced("cv = 1.0\n", ""), "soils.clay.cv"},
      {"a time negative", replaced("[10.0, 100.0]", "[-1.0, 100.0]"), "consolidation.times[1]"},
      {"times not increasing", replaced("[10.0, 100.0]", "[10.0, 10.0]"), "consolidation.times[2]"},
      {"times decreasing", replaced("[10.0, 100.0]", "[100.0, 10.0]"), "consolidation.times[2]"},
      {"drains below the profile",
       base + "\n[drains]\nspacing = 1.5\ndiameter = 0.066\nbottom = 12.0\n", "drains.bottom"},
      {"ramp negative", replaced("pressure = 100.0", "pressure = 100.0\nramp = -5.0"),
       "loads[1].ramp"},
      {"never drains", replaced("top = \"drained\"", "top = \"impermeable\""),
       "consolidation.bottom"},
  };
  for (const Case& c : cases) {
    const run::ProjectAnalysis outcome = run::analyse_project_text(c.text, project::Form::kToml);
    EXPECT_TRUE(outcome.stopped()) << c.what;
    bool named = false;
    for (const site::Diagnostic& d : outcome.diagnostics)
      named |= d.severity == site::Severity::kError && d.path == c.path && !d.message.empty();
    EXPECT_TRUE(named) << c.what << ": no error names " << c.path;
    for (const site::Diagnostic& d : outcome.diagnostics)
      EXPECT_TRUE(d.path == c.path) << c.what << ": also " << d.path << ": " << d.message;
  }
}

// A free-draining layer needs no cv and settles at once; staged loads and a
// water change give a column of one increment per schedule and one for the
// water, whose stresses add up to each sublayer's.
TEST(TimeAnalysis, ColumnHoldsOneIncrementPerScheduleAndTheWaterChange) {
  const std::string text = R"(schema_version = 1
units = "SI"

[groundwater]
water_table = 1.0
final_water_table = 3.0

[soils.sand]
model = "modulus"
mv = 0.0001
free_draining = true

[soils.clay]
model = "index"
cc = 0.4
cr = 0.05
e0 = 1.1
ocr = 1.0
cv = 2.0

[[layers]]
bottom = 2.0
soil = "sand"
unit_weight = 19.0

[[layers]]
bottom = 8.0
soil = "clay"
unit_weight = 17.0

[[points]]
x = 0.0
y = 0.0

[[loads]]
kind = "circle"
x = 0.0
y = 0.0
diameter = 20.0
pressure = 50.0
ramp = 30.0

[[loads]]
kind = "circle"
x = 5.0
y = 0.0
diameter = 10.0
pressure = 40.0
start = 100.0

[[loads]]
kind = "circle"
x = -5.0
y = 0.0
diameter = 10.0
pressure = 30.0
ramp = 30.0

[consolidation]
times = [10.0, 100.0, 1000.0, 10000.0]
)";
  project::ProjectReading reading = project::read_project_text(text, project::Form::kToml);
  ASSERT_TRUE(reading.ok());
  const site::Project& project = reading.project;
  const analysis::ExactProfile profile = analysis::prepare_exact(project).profile;
  const analysis::TimeSetup setup = analysis::prepare_time(project, profile);
  ASSERT_EQ(setup.groups.count, 2u);
  EXPECT_EQ(setup.groups.of_load, (std::vector<std::size_t>{0, 1, 0}));
  const analysis::ExactAnalysis analysed = analysis::analyse_exact(project, profile, setup.split());
  ASSERT_FALSE(analysed.stop);
  const analysis::ResultPoint& point = analysed.results.points[0];
  const consolidation::Column column =
      analysis::point_column(setup, profile, point, analysed.increases[0]);
  ASSERT_EQ(column.increments.size(), 3u);  // two schedules and the water
  EXPECT_EQ(column.increments[0].ramp, 30.0);
  EXPECT_EQ(column.increments[1].start, 100.0);
  ASSERT_EQ(column.layers.size(), 2u);
  EXPECT_TRUE(column.layers[0].free_draining);
  std::size_t s = 0;
  for (const consolidation::Layer& layer : column.layers) {
    for (const consolidation::Sublayer& sublayer : layer.sublayers) {
      double sum = 0.0;
      for (const consolidation::Increment& increment : column.increments)
        sum += increment.stress_increase[s];
      EXPECT_NEAR(sum, sublayer.stress_increase, 1e-12 * std::fabs(sublayer.stress_increase));
      EXPECT_EQ(sublayer.settlement, point.settlement_of[s]);
      ++s;
    }
  }
  // The run gives the same history as the column alone, and it ends at the
  // static settlement.
  const run::ProjectAnalysis outcome = run::analyse_project_text(text, project::Form::kToml);
  ASSERT_FALSE(outcome.stopped());
  const consolidation::PointHistory& history = *outcome.results->points[0].time;
  const consolidation::PointHistory alone = consolidation::point_history(column, setup.times);
  ASSERT_EQ(history.states.size(), 4u);
  for (std::size_t t = 0; t < 4; ++t) EXPECT_EQ(history.states[t].total, alone.states[t].total);
  EXPECT_NEAR(history.states.back().degree.value_or(0.0), 1.0, 1e-4);
  EXPECT_NEAR(history.final_primary, outcome.results->points[0].settlement, 1e-9);
  // The sand settles its part at once with the water change and the first
  // load's ramp: at 10 days, more than nothing; never more than the final.
  EXPECT_GT(history.states[0].primary, 0.0);
  for (const consolidation::TimeState& state : history.states)
    EXPECT_LE(state.primary, history.final_primary * (1.0 + 1e-9));
}

}  // namespace
