// The real settle run on a project with a time-rate analysis: its results
// file carries, for every point, the settlement in time under the keys the
// results file fixes.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "support/run_in_folder.h"

namespace {

constexpr const char* kProject = R"(schema_version = 1
title = "Embankment on soft clay, with drains"
units = "SI"
time_unit = "day"

[groundwater]
water_table = 1.0

[soils.fill]
model = "modulus"
mv = 0.0001
free_draining = true

[soils.clay]
model = "index"
cc = 0.45
cr = 0.05
e0 = 1.2
ocr = 1.3
cv = 0.02
c_alpha = 0.012

[[layers]]
name = "Crust"
bottom = 1.0
soil = "fill"
unit_weight = 19.0

[[layers]]
name = "Soft clay"
bottom = 6.0
soil = "clay"
unit_weight = 17.0

[[points]]
name = "centre"
x = 0.0
y = 0.0

[[points]]
name = "edge"
x = 10.0
y = 0.0
start_layer = 2

[[loads]]
kind = "circle"
name = "T1"
x = 0.0
y = 0.0
diameter = 20.0
pressure = 60.0
ramp = 30.0

[consolidation]
times = [1, 7, 30, 90, 365, 1000, 3650]
bottom = "drained"

[drains]
pattern = "triangle"
spacing = 1.5
diameter = 0.066
smear_ratio = 3.0
kh_over_ks = 3.0
discharge_capacity = 100.0
bottom = 5.0
)";

TEST(ProjectTime, ResultsFileHoldsTheSettlementInTimeOfEveryPoint) {
  const testing_support::TempFolder folder;
  testing_support::write_file(folder.path() / "site.toml", kProject);
  const testing_support::RunResult run =
      testing_support::run_in_folder(folder.path(), SETTLE_EXE, {"site.toml"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const nlohmann::json results =
      nlohmann::json::parse(testing_support::read_file(folder.path() / "site.results.json"));
  EXPECT_EQ(results.at("time_unit"), "day");
  const std::vector<double> times{1, 7, 30, 90, 365, 1000, 3650};
  ASSERT_EQ(results.at("points").size(), 2u);
  for (const nlohmann::json& point : results.at("points")) {
    SCOPED_TRACE(point.at("name").get<std::string>());
    const nlohmann::json& time = point.at("time");
    for (const char* key : {"times", "settlement", "primary", "secondary", "degree", "t50", "t90",
                            "t95", "excess_pore_pressure"})
      EXPECT_TRUE(time.contains(key)) << key;
    EXPECT_EQ(time.at("times").get<std::vector<double>>(), times);
    const std::size_t sublayers = point.at("sublayers").size();
    ASSERT_EQ(time.at("excess_pore_pressure").size(), times.size());
    for (const nlohmann::json& row : time.at("excess_pore_pressure"))
      EXPECT_EQ(row.size(), sublayers);
    for (const char* key : {"settlement", "primary", "secondary", "degree"})
      EXPECT_EQ(time.at(key).size(), times.size()) << key;
    // The settlement adds its primary and secondary parts, rises with time,
    // and its primary tends to the static settlement.
    double before = 0.0;
    for (std::size_t t = 0; t < times.size(); ++t) {
      const double total = time.at("settlement")[t].get<double>();
      EXPECT_NEAR(total,
                  time.at("primary")[t].get<double>() + time.at("secondary")[t].get<double>(),
                  1e-9 * (1.0 + total));
      EXPECT_GE(total, before);
      before = total;
    }
    const double settlement = point.at("settlement").get<double>();
    EXPECT_GT(settlement, 0.0);
    EXPECT_NEAR(time.at("primary").back().get<double>(), settlement, 1e-3 * settlement);
    EXPECT_GT(time.at("secondary").back().get<double>(), 0.0);
    const double t50 = time.at("t50").get<double>();
    const double t90 = time.at("t90").get<double>();
    const double t95 = time.at("t95").get<double>();
    EXPECT_LT(t50, t90);
    EXPECT_LT(t90, t95);
  }
}

TEST(ProjectTime, BadTimeValueStopsTheRunNamingItsKey) {
  std::string text = kProject;
  text.replace(text.find("cv = 0.02"), 9, "cv = 0.0");
  const testing_support::TempFolder folder;
  testing_support::write_file(folder.path() / "site.toml", text);
  const testing_support::RunResult run =
      testing_support::run_in_folder(folder.path(), SETTLE_EXE, {"site.toml"});
  EXPECT_NE(run.exit_status, 0);
  EXPECT_NE(run.console.find("soils.clay.cv"), std::string::npos) << run.console;
}

}  // namespace
