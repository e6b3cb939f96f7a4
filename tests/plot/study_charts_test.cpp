// settle-plot on a project with a [study] table, run as the real executable
// in a temporary folder beside settle study on the same project: every
// point's histogram and exceedance curve, the curve's chance at the limit
// equal to the study file's p_exceed, and the map of that chance over the
// grid from the samples asked for.
#include "plot/study_charts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "plot/xml_tree.h"
#include "support/run_in_folder.h"

namespace {

using testing_support::read_file;
using testing_support::run_in_folder;
using testing_support::TempFolder;
using testing_support::write_file;

constexpr const char* kProject = R"(schema_version = 1
title = ["Two tanks", "a study of the clay"]
units = "SI"

[analysis]
method = "exact"

[soils.clay]
model = "index"
cc = 0.4
cr = 0.05
e0 = 1.2
ocr = 1.2

[[layers]]
bottom = 6.0
soil = "clay"
unit_weight = 18.0

[[points]]
name = "T1-centre"
x = 0.0
y = 0.0

[[points]]
name = "T1-edge"
x = 10.0
y = 0.0

[[points]]
name = "Between"
x = 20.0
y = 0.0

[[loads]]
kind = "circle"
name = "T1"
x = 0.0
y = 0.0
diameter = 20.0
pressure = 100.0

[[loads]]
kind = "circle"
name = "T2"
x = 32.0
y = 0.0
diameter = 16.0
pressure = 80.0

[study]
samples = 20
seed = 7
settlement_limit = @LIMIT@

[[study.parameters]]
target = "soils.clay.cc"
distribution = "lognormal"
cov = 0.3

[[study.parameters]]
target = "loads[1].pressure"
distribution = "triangular"
low = 80.0
mode = 100.0
high = 120.0
)";

// Within the samples of the tank's centre and edge.
constexpr const char* kLimit = "400.0";

std::string project_with_limit(const std::string& limit) {
  std::string text = kProject;
  text.replace(text.find("@LIMIT@"), 7, limit);
  return text;
}

std::vector<const plot_test::XmlElement*> of_class(const plot_test::XmlElement& root,
                                                   std::string_view css_class) {
  std::vector<const plot_test::XmlElement*> found;
  root.collect([&](const plot_test::XmlElement& e) { return e.has_class(css_class); }, found);
  return found;
}

TEST(StudyCharts, EachPointsCurveMeetsTheStudyFilesChanceAndTheMapCountsItsSamples) {
  TempFolder folder;
  write_file(folder.path() / "tanks.toml", project_with_limit(kLimit));
  const auto study = run_in_folder(folder.path(), SETTLE_EXE, {"study", "tanks.toml"});
  ASSERT_EQ(study.exit_status, 0) << study.console;
  const auto json = nlohmann::json::parse(read_file(folder.path() / "tanks.study.json"));
  const auto run =
      run_in_folder(folder.path(), SETTLE_PLOT_EXE,
                    {"tanks.toml", "--grid-spacing", "4", "--study-grid-samples", "8"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const auto page = plot_test::XmlParser(read_file(folder.path() / "tanks.html")).parse();

  const auto histograms = of_class(*page, "study-histogram");
  const auto curves = of_class(*page, "study-exceedance");
  ASSERT_EQ(histograms.size(), 3u);
  ASSERT_EQ(curves.size(), 3u);
  bool some_between = false;
  for (std::size_t j = 0; j < 3; ++j) {
    const auto& point = json["points"][j];
    SCOPED_TRACE(point["name"].get<std::string>());
    EXPECT_EQ(histograms[j]->attribute("data-point"), point["name"].get<std::string>());
    EXPECT_EQ(curves[j]->attribute("data-point"), point["name"].get<std::string>());
    // Every sample in one bar, the curve from all samples above to none.
    int counted = 0;
    for (const auto& bar : of_class(*histograms[j], "bars").front()->children)
      counted += std::stoi(bar->attribute("data-count"));
    EXPECT_EQ(counted, 20);
    EXPECT_EQ(std::stod(curves[j]->attribute("data-first")), 1.0);
    EXPECT_EQ(std::stod(curves[j]->attribute("data-last")), 0.0);
    const double p = std::stod(curves[j]->attribute("data-p-exceed"));
    EXPECT_DOUBLE_EQ(p, point["p_exceed"].get<double>());
    some_between = some_between || (p > 0.0 && p < 1.0);
  }
  EXPECT_TRUE(some_between) << "the limit should fall within some point's samples";

  const auto maps = of_class(*page, "exceedance-map");
  ASSERT_EQ(maps.size(), 1u);
  EXPECT_EQ(maps.front()->attribute("data-samples"), "8");
  EXPECT_FALSE(of_class(*maps.front(), "cells").front()->children.empty());
  const std::string note = of_class(*page, "study-map-note").front()->all_text();
  EXPECT_NE(note.find("first 8 of the study's 20 samples"), std::string::npos) << note;
}

TEST(StudyCharts, TheMapsSampleCountIsRefusedForAProjectWithoutAStudy) {
  TempFolder folder;
  std::string text = project_with_limit("1.0");
  text.erase(text.find("[study]"));
  write_file(folder.path() / "tanks.toml", text);
  const auto run =
      run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"tanks.toml", "--study-grid-samples", "8"});
  EXPECT_EQ(run.exit_status, 2) << run.console;
  EXPECT_NE(run.console.find("--study-grid-samples is for a project with a [study] table"),
            std::string::npos)
      << run.console;
}

}  // namespace
