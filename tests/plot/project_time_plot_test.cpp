// settle-plot on a site project in time, run as the real executable in a
// temporary folder: the settlement curves, the isochrones and the t90 map on
// the page, the map at a time against the grid in time computed here, and
// the options refused.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/exact_profile.h"
#include "analysis/settlement_grid.h"
#include "analysis/time_analysis.h"
#include "analysis/time_grid.h"
#include "plot/page_text.h"
#include "plot/xml_tree.h"
#include "project/project_file.h"
#include "support/record_lines.h"
#include "support/run_in_folder.h"

namespace {

using testing_support::read_file;
using testing_support::run_in_folder;
using testing_support::TempFolder;
using testing_support::write_file;

// A tank on fill over soft clay, loaded over 30 days, drained at the top.
constexpr const char* kStatic = R"(schema_version = 1
title = "Tank in time"
units = "SI"
time_unit = "day"

[analysis]
method = "exact"
max_sublayer = 1.0

[groundwater]
water_table = 1.5

[soils.fill]
model = "modulus"
mv = 0.0001
free_draining = true

[soils.clay]
model = "index"
cc = 0.45
cr = 0.05
e0 = 1.20
ocr = 1.3
cv = 0.02
c_alpha = 0.012

[[layers]]
bottom = 2.0
soil = "fill"
unit_weight = 19.0
saturated_unit_weight = 20.0

[[layers]]
bottom = 6.0
soil = "clay"
unit_weight = 17.0

[[points]]
name = "T1"
x = 0.0
y = 0.0

[[points]]
name = "E1"
x = 6.0
y = 0.0

[[loads]]
kind = "circle"
name = "T1"
x = 0.0
y = 0.0
diameter = 8.0
pressure = 80.0
ramp = 30.0
)";

constexpr const char* kConsolidation = R"(
[consolidation]
times = [10, 100, 1000]
)";

const std::vector<std::string> kSmallMap = {"--extent", "-10,-10,10,10", "--grid-spacing", "2"};

std::vector<const plot_test::XmlElement*> of_class(const plot_test::XmlElement& root,
                                                   const std::string& css_class) {
  std::vector<const plot_test::XmlElement*> found;
  root.collect([&](const plot_test::XmlElement& e) { return e.has_class(css_class); }, found);
  return found;
}

std::vector<std::string> split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
  return fields;
}

std::vector<std::string> with(std::vector<std::string> arguments,
                              const std::vector<std::string>& more) {
  arguments.insert(arguments.end(), more.begin(), more.end());
  return arguments;
}

TEST(ProjectTimePlot, PageDrawsCurvesIsochronesAndT90AndTheMapAtATime) {
  TempFolder folder;
  const std::string text = std::string(kStatic) + kConsolidation;
  write_file(folder.path() / "tank.toml", text);
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE,
                                 with({"tank.toml", "tank.html", "--grid-csv", "grid.csv", "--time",
                                       "1000", "--time-point", "E1"},
                                      kSmallMap));
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const auto page = plot_test::XmlParser(read_file(folder.path() / "tank.html")).parse();

  // One curve and one legend entry per point, each through the output times.
  const auto charts = of_class(*page, "time-curves");
  ASSERT_EQ(charts.size(), 1u);
  const auto curves = of_class(*charts.front(), "time-curve");
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[0]->attribute("data-point"), "T1");
  EXPECT_EQ(curves[1]->attribute("data-point"), "E1");
  EXPECT_EQ(split(curves[0]->attribute("points"), ' ').size(), 3u);
  EXPECT_EQ(of_class(*charts.front(), "time-legend-entry").size(), 2u);
  std::string titles;
  for (const auto* title : of_class(*charts.front(), "axis-title")) titles += title->all_text();
  EXPECT_NE(titles.find("days"), std::string::npos) << titles;
  EXPECT_NE(titles.find("mm"), std::string::npos) << titles;

  // The isochrones of the point asked for, one per output time.
  const auto isochrones = of_class(*page, "isochrones");
  ASSERT_EQ(isochrones.size(), 1u);
  EXPECT_EQ(isochrones.front()->attribute("data-point"), "E1");
  const auto lines = of_class(*isochrones.front(), "isochrone");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2]->attribute("data-time"), "1000");

  // The t90 map: a cell for nodes that reach 90 %, a legend of bands.
  const auto t90 = of_class(*page, "time-map");
  ASSERT_EQ(t90.size(), 1u);
  EXPECT_GT(of_class(*t90.front(), "time-cell").size(), 0u);
  EXPECT_LE(of_class(*t90.front(), "time-cell").size(), 121u);
  EXPECT_GT(of_class(*t90.front(), "time-band").size(), 1u);
  EXPECT_EQ(of_class(*page, "map-time").size(), 1u);

  // The map's nodes at --time are the grid in time at that time.
  const project::ProjectReading reading = project::read_project_text(text, project::Form::kToml);
  ASSERT_TRUE(reading.ok());
  const analysis::ExactPreparation prepared = analysis::prepare_exact(reading.project);
  const analysis::TimeSetup setup = analysis::prepare_time(reading.project, prepared.profile);
  const std::vector<std::string> rows =
      testing_support::lines_of(read_file(folder.path() / "grid.csv"));
  ASSERT_EQ(rows.size(), 122u);
  std::set<std::string> xs;
  for (std::size_t k = 1; k < rows.size(); ++k) xs.insert(split(rows[k], ',')[0]);
  ASSERT_EQ(xs.size(), 11u);
  const analysis::PlanGrid grid{-10.0, -10.0, 2.0, 11, 11};
  const std::vector<float> expected =
      analysis::settlement_at_time_on_grid(reading.project, prepared.profile, setup, grid,
                                           analysis::default_start_layer(reading.project), 1000.0);
  for (std::size_t k = 1; k < rows.size(); ++k) {
    const std::vector<std::string> fields = split(rows[k], ',');
    ASSERT_EQ(fields.size(), 3u) << rows[k];
    EXPECT_EQ(std::stod(fields[0]), grid.x(static_cast<int>((k - 1) % 11))) << rows[k];
    EXPECT_EQ(std::stod(fields[1]), grid.y(static_cast<int>((k - 1) / 11))) << rows[k];
    EXPECT_EQ(fields[2].substr(0, fields[2].size() - 1), plot::settlement_text(expected[k - 1]))
        << rows[k];
  }
}

TEST(ProjectTimePlot, RefusesTimeOptionsThatMeanNothing) {
  struct Case {
    const char* what;
    bool in_time;
    std::vector<std::string> options;
    const char* named;
  };
  const std::vector<Case> cases = {
      {"a time before 0", true, {"--time", "-1"}, "--time"},
      {"a time without [consolidation]", false, {"--time", "10"}, "[consolidation]"},
      {"isochrones without [consolidation]", false, {"--time-point", "T1"}, "[consolidation]"},
      {"a point the project lacks", true, {"--time-point", "Z9"}, "Z9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    write_file(folder.path() / "tank.toml",
               std::string(kStatic) + (c.in_time ? kConsolidation : ""));
    const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, with({"tank.toml"}, c.options));
    EXPECT_EQ(run.exit_status, 2) << run.console;
    EXPECT_NE(run.console.find(c.named), std::string::npos) << run.console;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "tank.html"));
  }
}

// A project without [consolidation] gets no part in time.
TEST(ProjectTimePlot, AStaticProjectHasNoPartInTime) {
  TempFolder folder;
  write_file(folder.path() / "tank.toml", kStatic);
  const auto run =
      run_in_folder(folder.path(), SETTLE_PLOT_EXE, with({"tank.toml", "tank.html"}, kSmallMap));
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const auto page = plot_test::XmlParser(read_file(folder.path() / "tank.html")).parse();
  EXPECT_TRUE(of_class(*page, "time-curves").empty());
  EXPECT_TRUE(of_class(*page, "time-map").empty());
  EXPECT_EQ(of_class(*page, "map-final").size(), 1u);
}

}  // namespace
