// settle-plot on site project files, run as the real executable in a
// temporary folder: the page of an exact and of a classic project, its
// drawings of every load kind, the groundwater and the stress profile, and
// the exact grid's nodes against the exact method's settlement there.
#include "plot/project_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/exact_analysis.h"
#include "analysis/exact_profile.h"
#include "analysis/settlement_grid.h"
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

// Every load kind, an index clay below a fill, a water table lowered during
// the works and a layer with its own heads.
constexpr const char* kExactProject = R"(schema_version = 1
title = ["Yard extension", "every load kind"]
units = "SI"

[analysis]
method = "exact"
max_sublayer = 1.0

[groundwater]
water_table = 1.5
final_water_table = 3.0

[soils.fill]
model = "modulus"
mv = 0.0001

[soils.clay]
model = "index"
cc = 0.45
cr = 0.05
e0 = 1.20
ocr = 1.3

[[layers]]
name = "Fill"
bottom = 2.0
soil = "fill"
unit_weight = 19.0
saturated_unit_weight = 20.0

[[layers]]
name = "Soft clay"
bottom = 10.0
soil = "clay"
unit_weight = 17.0
head_top = 1.0
head_bottom = 0.5

[[points]]
name = "C1"
x = 0.0
y = 0.0

[[points]]
name = "C2"
x = 12.0
y = 3.0

[[points]]
name = "E1"
x = -14.0
y = 10.0

[[loads]]
kind = "polygon"
name = "Pad"
vertices = [[-6.0, -4.0], [6.0, -4.0], [6.0, 4.0], [0.0, 7.0], [-6.0, 4.0]]
pressure = 40.0

[[loads]]
kind = "embankment"
name = "Bund"
x1 = -20.0
y1 = 10.0
x2 = -8.0
y2 = 10.0
crest_width = 2.0
height = 1.5
side_slope = 2.0
unit_weight = 19.0

[[loads]]
kind = "strip"
name = "Track"
x = 0.0
y = -14.0
angle = 10.0
width = 3.0
pressure = 15.0

[[loads]]
kind = "circle"
name = "Tank"
x = 14.0
y = 4.0
diameter = 6.0
pressure = 60.0

[[loads]]
kind = "rectangle"
name = "Shed"
x = 12.0
y = -8.0
x_length = 6.0
y_length = 3.0
angle = 30.0
pressure = 25.0

[[loads]]
kind = "spread"
name = "Mast"
x = -12.0
y = -6.0
x_length = 2.0
y_length = 2.0
load = 300.0
upper_depth = 0.0
lower_depth = 1.0
reference = "upper"
)";

// What the classic method takes: curve soils, a rectangle and a circle.
constexpr const char* kClassicProject = R"(schema_version = 1
title = "Two footings, classic"
units = "SI"

[analysis]
method = "classic"

[soils.sand]
model = "curve"
strain = [0.5, 1.0, 2.0]
pressure = [50.0, 200.0, 800.0]

[soils.clay]
model = "slope"
slope = 4.0

[[layers]]
bottom = 3.0
soil = "sand"
unit_weight = 18.0

[[layers]]
bottom = 9.0
soil = "clay"
unit_weight = 17.0

[[points]]
name = "F1"
x = 0.0
y = 0.0

[[points]]
name = "F2"
x = 8.0
y = 0.0

[[loads]]
kind = "rectangle"
name = "F1"
x = 0.0
y = 0.0
x_length = 3.0
y_length = 3.0
pressure = 100.0

[[loads]]
kind = "circle"
name = "F2"
x = 8.0
y = 0.0
diameter = 3.0
pressure = 100.0
)";

// The elements of `root` of `css_class`.
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

TEST(ProjectPlot, ExactPageDrawsEveryLoadTheWaterAndTheStressProfile) {
  TempFolder folder;
  write_file(folder.path() / "yard.toml", kExactProject);
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE,
                                 {"yard.toml", "yard.html", "--grid-csv", "grid.csv",
                                  "--profile-point", "C2", "--grid-spacing", "2"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const auto page = plot_test::XmlParser(read_file(folder.path() / "yard.html")).parse();

  // Each kind drawn from its outline, labelled by its name.
  for (const std::string kind :
       {"polygon", "embankment", "strip", "circle", "rectangle", "spread"}) {
    SCOPED_TRACE(kind);
    const auto loads = of_class(*page, kind);
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(of_class(*loads.front(), "outline").size(), 1u);
  }
  EXPECT_EQ(of_class(*of_class(*page, "embankment").front(), "crest").size(), 2u);
  std::string labels;
  for (const auto* label : of_class(*page, "load-label")) labels += label->all_text() + " ";
  for (const std::string name : {"Pad", "Bund", "Tank", "Shed"})
    EXPECT_NE(labels.find(name), std::string::npos) << labels;
  // The strip reaches across the map: its band is cut at the frame.
  const auto frames = of_class(*page, "frame");
  ASSERT_FALSE(frames.empty());

  // The water tables and the heads on the ground under the section.
  const auto ground = of_class(*page, "ground-section");
  ASSERT_EQ(ground.size(), 1u);
  ASSERT_EQ(of_class(*ground.front(), "water-table").size(), 1u);
  EXPECT_EQ(of_class(*ground.front(), "water-table").front()->attribute("data-depth"), "1.500");
  ASSERT_EQ(of_class(*ground.front(), "final-water-table").size(), 1u);
  EXPECT_EQ(of_class(*ground.front(), "head").size(), 2u);
  EXPECT_EQ(of_class(*ground.front(), "layer").size(), 2u);

  // The stress profile of the point asked for, its three lines.
  const auto profiles = of_class(*page, "stress-profile");
  ASSERT_EQ(profiles.size(), 1u);
  EXPECT_EQ(profiles.front()->attribute("data-point"), "C2");
  for (const std::string line : {"sigma-eff0", "sigma-eff-final", "sigma-p"})
    EXPECT_EQ(of_class(*profiles.front(), line).size(), 1u) << line;

  // Every node of the grid is the exact method's settlement at that node.
  const project::ProjectReading reading =
      project::read_project_text(kExactProject, project::Form::kToml);
  ASSERT_TRUE(reading.ok());
  const analysis::ExactPreparation prepared = analysis::prepare_exact(reading.project);
  const std::size_t first = analysis::first_counted_sublayer(prepared.profile, 1);
  const std::vector<std::string> lines =
      testing_support::lines_of(read_file(folder.path() / "grid.csv"));
  ASSERT_GT(lines.size(), 100u);
  EXPECT_EQ(lines.front(), "x,y,settlement\r");
  for (std::size_t k = 1; k < lines.size(); ++k) {
    const std::vector<std::string> fields = split(lines[k], ',');
    ASSERT_EQ(fields.size(), 3u) << lines[k];
    const float x = std::stof(fields[0]), y = std::stof(fields[1]);
    const double expected = analysis::exact_settlement_at(prepared.profile, static_cast<double>(x),
                                                          static_cast<double>(y), first);
    ASSERT_EQ(fields[2].substr(0, fields[2].size() - 1),
              plot::settlement_text(static_cast<float>(expected)))
        << lines[k];
  }
}

TEST(ProjectPlot, ClassicPageGridsByTheClassicMethod) {
  TempFolder folder;
  write_file(folder.path() / "footings.toml", kClassicProject);
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE,
                                 {"footings.toml", "footings.html", "--plan-svg", "plan.svg"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const auto page = plot_test::XmlParser(read_file(folder.path() / "footings.html")).parse();
  EXPECT_EQ(of_class(*page, "rectangle").size(), 1u);
  EXPECT_EQ(of_class(*page, "circle").size(), 1u);
  EXPECT_EQ(of_class(*page, "contour").empty(), false);
  EXPECT_TRUE(of_class(*page, "water-table").empty());  // dry ground: none drawn
  EXPECT_EQ(of_class(*page, "stress-profile").size(), 1u);
  const auto plan = plot_test::XmlParser(read_file(folder.path() / "plan.svg")).parse();
  EXPECT_TRUE(plan->has_class("plan"));
}

// The two forms of one project give one drawing, byte for byte.
TEST(ProjectPlot, AJsonProjectIsDrawnAsItsToml) {
  TempFolder folder;
  const project::ProjectReading reading =
      project::read_project_text(kExactProject, project::Form::kToml);
  ASSERT_TRUE(reading.ok());
  write_file(folder.path() / "yard.toml", kExactProject);
  write_file(folder.path() / "yard.json",
             project::write_project_text(reading.project, project::Form::kJson));
  for (const std::string form : {"toml", "json"}) {
    const auto run = run_in_folder(
        folder.path(), SETTLE_PLOT_EXE,
        {"yard." + form, "yard-" + form + ".html", "--plan-svg", "plan-" + form + ".svg"});
    ASSERT_EQ(run.exit_status, 0) << run.console;
  }
  EXPECT_EQ(read_file(folder.path() / "plan-json.svg"), read_file(folder.path() / "plan-toml.svg"));
}

TEST(ProjectPlot, ProjectErrorsStopWithEveryDiagnosticAndNoPage) {
  TempFolder folder;
  std::string text = kExactProject;
  text.replace(text.find("bottom = 10.0"), 13, "bottom = 1.0");  // above the layer's top
  write_file(folder.path() / "bad.toml", text);
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"bad.toml", "bad.html"});
  EXPECT_EQ(run.exit_status, 3) << run.console;
  EXPECT_NE(run.console.find("settle-plot: error: bad.toml, line "), std::string::npos)
      << run.console;
  EXPECT_NE(run.console.find("layers[2].bottom: "), std::string::npos) << run.console;
  EXPECT_NE(run.console.find("settle-plot: the project's data stopped the run"), std::string::npos)
      << run.console;
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "bad.html"));
}

TEST(ProjectPlot, RefusesAProfilePointTheProjectLacks) {
  TempFolder folder;
  write_file(folder.path() / "footings.toml", kClassicProject);
  const auto run =
      run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"footings.toml", "--profile-point", "F9"});
  EXPECT_EQ(run.exit_status, 2) << run.console;
  EXPECT_NE(run.console.find("F9"), std::string::npos) << run.console;
}

}  // namespace
