// settle study PROJECT.toml end to end: the console line with the seed, the
// study file's keys and the same bits on every run, and a study whose data
// stop it naming the key and writing nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::read_file;
using testing_support::run_in_folder;
using testing_support::write_file;

std::string project_with(const std::string& study) {
  return R"(schema_version = 1
title = "Two tanks"
units = "SI"

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

[[loads]]
kind = "circle"
name = "T1"
x = 0.0
y = 0.0
diameter = 20.0
pressure = 100.0

)" + study;
}

const std::string kStudy = R"([study]
samples = 50
seed = 11
settlement_limit = 150.0
distortion_limit = 0.002

[[study.parameters]]
target = "soils.clay.cc"
distribution = "lognormal"
cov = 0.25

[[study.parameters]]
target = "soils.clay.ocr"
distribution = "normal"
sd = 0.1

[[study.correlations]]
a = "soils.clay.cc"
b = "soils.clay.ocr"
rho = -0.3
)";

TEST(StudyCommand, WritesTheStudyFileWithItsSeedTheSameBitsOnEveryRun) {
  const testing_support::TempFolder folder;
  write_file(folder.path() / "tanks.toml", project_with(kStudy));
  const auto first = run_in_folder(folder.path(), SETTLE_EXE, {"study", "tanks.toml"});
  ASSERT_EQ(first.exit_status, 0) << first.console;
  EXPECT_EQ(first.console, "settle: study of 50 samples, seed 11\n");
  const std::string text = read_file(folder.path() / "tanks.study.json");
  const nlohmann::ordered_json study = nlohmann::ordered_json::parse(text);
  EXPECT_EQ(study["schema_version"], 1);
  EXPECT_EQ(study["method"], "lhs");
  EXPECT_EQ(study["seed"], 11);
  EXPECT_EQ(study["samples"], 50);
  ASSERT_EQ(study["points"].size(), 2u);
  for (const char* key : {"name", "mean", "sd", "p05", "p50", "p95", "p_exceed"})
    EXPECT_TRUE(study["points"][0].contains(key)) << key;
  ASSERT_EQ(study["pairs"].size(), 1u);
  EXPECT_EQ(study["pairs"][0]["a"], "T1-centre");
  EXPECT_EQ(study["pairs"][0]["b"], "T1-edge");
  EXPECT_TRUE(study["pairs"][0].contains("p_exceed"));
  EXPECT_TRUE(study["variance_shares"].contains("soils.clay.cc"));
  EXPECT_FALSE(fs::exists(folder.path() / "tanks.results.json"));

  const auto again = run_in_folder(folder.path(), SETTLE_EXE, {"study", "tanks.toml"});
  ASSERT_EQ(again.exit_status, 0) << again.console;
  EXPECT_EQ(read_file(folder.path() / "tanks.study.json"), text);
}

TEST(StudyCommand, AStudyWhoseDataStopItNamesTheKeyAndWritesNothing) {
  const testing_support::TempFolder folder;
  std::string bad = kStudy;
  bad.replace(bad.find("sd = 0.1"), 8, "sd = -0.1");
  write_file(folder.path() / "tanks.toml", project_with(bad));
  const auto run = run_in_folder(folder.path(), SETTLE_EXE, {"study", "tanks.toml"});
  EXPECT_EQ(run.exit_status, 3);
  EXPECT_NE(run.console.find("tanks.toml, line 49: study.parameters[2].sd: -0.1 is below 0"),
            std::string::npos)
      << run.console;
  EXPECT_FALSE(fs::exists(folder.path() / "tanks.study.json"));

  write_file(folder.path() / "plain.toml", project_with(""));
  const auto plain = run_in_folder(folder.path(), SETTLE_EXE, {"study", "plain.toml"});
  EXPECT_EQ(plain.exit_status, 3);
  EXPECT_NE(plain.console.find("study: the project has no [study] table"), std::string::npos)
      << plain.console;
  EXPECT_EQ(run_in_folder(folder.path(), SETTLE_EXE, {"study"}).exit_status, 2);
}

}  // namespace
