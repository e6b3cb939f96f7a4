// A study's figures are the same bits however its samples are batched,
// ordered or spread over threads; its design's faults name their keys; and
// the settlement of a normally consolidated layer, proportional to its
// compression index, comes out lognormal when the index is.
#include "study/study_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "project/project_file.h"
#include "run/project_analysis.h"
#include "study/study_summary.h"
#include "study/study_threads.h"

namespace study {
namespace {

// One layer of normally consolidated clay under a circular tank; `extra`
// is appended (more points, time, the study's tables).
std::string clay_project(const std::string& study, const std::string& extra = "") {
  return R"(schema_version = 1
title = "Tank on soft clay"
units = "SI"

[soils.clay]
model = "index"
cc = 0.4
cr = 0.05
e0 = 1.2
ocr = 1.0
cv = 2.0

[[layers]]
bottom = 5.0
soil = "clay"
unit_weight = 18.0

[[points]]
name = "A"
x = 0.0
y = 0.0
)" + extra +
         R"(
[[loads]]
kind = "circle"
name = "T1"
x = 0.0
y = 0.0
diameter = 20.0
pressure = 100.0

)" + study;
}

project::ProjectReading read(const std::string& text) {
  return project::read_project_text(text, project::Form::kToml);
}

StudySetup setup_of(const std::string& text) {
  const project::ProjectReading reading = read(text);
  EXPECT_TRUE(reading.ok()) << (reading.diagnostics.empty() ? ""
                                                            : reading.diagnostics[0].path + ": " +
                                                                  reading.diagnostics[0].message);
  PreparedStudy prepared = prepare_study(reading.project);
  EXPECT_TRUE(prepared.setup.has_value());
  return std::move(*prepared.setup);
}

const std::string kMixedStudy = R"([consolidation]
times = [10.0, 100.0, 1000.0]

[study]
samples = 60
method = "monte_carlo"
seed = 20261209
settlement_limit = 120.0
distortion_limit = 0.002

[[study.parameters]]
target = "soils.clay.cc"
distribution = "lognormal"
cov = 0.3

[[study.parameters]]
target = "soils.clay.cv"
distribution = "uniform"
low = 1.0
high = 3.0

[[study.parameters]]
target = "loads[1].pressure"
distribution = "triangular"
low = 80.0
mode = 100.0
high = 130.0

[[study.parameters]]
target = "layers[1].bottom"
distribution = "normal"
sd = 0.2

[[study.correlations]]
a = "soils.clay.cc"
b = "soils.clay.cv"
rho = -0.5
)";

const std::string kMorePoints = R"(
[[points]]
name = "B"
x = 6.0
y = 0.0

[[points]]
name = "C"
x = 14.0
y = 0.0
)";

TEST(StudyRun, TheFiguresAreTheSameBitsWhateverTheBatchesTheirOrderAndTheThreads) {
  for (const char* method : {"monte_carlo", "lhs"}) {
    SCOPED_TRACE(method);
    std::string study = kMixedStudy;
    study.replace(study.find("monte_carlo"), 11, method);
    const StudySetup setup = setup_of(clay_project(study, kMorePoints));
    ASSERT_EQ(results_per_sample(setup), 6);

    StudyCollection serial = start_collection(setup);
    ASSERT_FALSE(collect(serial, run_batch(setup, 0, 60)));
    ASSERT_EQ(missing_samples(serial), "");
    const std::string expected = study_tree(setup, serial).dump();

    // Batches of 7 handed in backwards, one of them twice.
    StudyCollection batched = start_collection(setup);
    std::vector<Batch> batches;
    for (std::int64_t first = 0; first < 60; first += 7)
      batches.push_back(run_batch(setup, first, std::min<std::int64_t>(7, 60 - first)));
    std::reverse(batches.begin(), batches.end());
    batches.push_back(batches[3]);
    for (const Batch& batch : batches) ASSERT_FALSE(collect(batched, batch));
    EXPECT_EQ(study_tree(setup, batched).dump(), expected);

    EXPECT_EQ(study_tree(setup, run_on_threads(setup, 3)).dump(), expected);

    const site::Tree tree = study_tree(setup, serial);
    EXPECT_EQ(tree["seed"], 20261209u);
    EXPECT_EQ(tree["points"].size(), 3u);
    EXPECT_TRUE(tree["points"][0].contains("t90"));
    // A and B are each other's nearest, C's nearest is B.
    ASSERT_EQ(tree["pairs"].size(), 2u);
    EXPECT_EQ(tree["pairs"][0]["a"], "A");
    EXPECT_EQ(tree["pairs"][0]["b"], "B");
    EXPECT_EQ(tree["pairs"][1]["a"], "B");
    EXPECT_EQ(tree["pairs"][1]["b"], "C");
  }
}

TEST(StudyRun, ABatchThatDoesNotFitIsRefusedAndAMissingSampleIsNamed) {
  const StudySetup setup = setup_of(clay_project(kMixedStudy));
  StudyCollection collection = start_collection(setup);
  Batch batch = run_batch(setup, 50, 10);
  Batch other = batch;
  other.values[0] += 1.0;
  ASSERT_FALSE(collect(collection, batch));
  EXPECT_NE(collect(collection, other), std::nullopt);
  batch.indices.back() = 60;
  EXPECT_NE(collect(collection, batch), std::nullopt);
  EXPECT_EQ(missing_samples(collection),
            "50 of the study's 60 samples are missing, sample 0 the first");
}

TEST(StudyRun, ASampleTheChecksRefuseStopsTheStudyAtTheEarliestSuch) {
  // A layer's bottom with a large sd is drawn above the ground in some samples.
  const StudySetup setup = setup_of(clay_project(R"([study]
samples = 200
seed = 3
method = "monte_carlo"

[[study.parameters]]
target = "layers[1].bottom"
distribution = "normal"
sd = 3.0
)"));
  StudyCollection serial = start_collection(setup);
  collect(serial, run_batch(setup, 0, 200));
  ASSERT_TRUE(serial.fault.has_value());
  EXPECT_NE(serial.fault->diagnostic.message.find("layers[1].bottom = -"), std::string::npos)
      << serial.fault->diagnostic.message;
  const StudyCollection threaded = run_on_threads(setup, 2);
  ASSERT_TRUE(threaded.fault.has_value());
  EXPECT_EQ(threaded.fault->index, serial.fault->index);
}

TEST(StudyRun, TargetsNameTheProjectsNumbers) {
  const project::ProjectReading reading = read(clay_project(""));
  ASSERT_TRUE(reading.ok());
  site::Project project = reading.project;
  struct Case {
    std::string target;
    bool found;
  };
  const std::vector<Case> cases = {
      {"soils.clay.cc", true},
      {"soils.clay.e0", true},
      {"soils.clay.ocr", true},
      {"layers[1].bottom", true},
      {"layers[1].thickness_factor", true},
      {"loads[1].pressure", true},
      {"loads[1].start", true},
      {"soils.clay.sigma_p", false},
      {"soils.clay.model", false},
      {"soils.sand.cc", false},
      {"layers[2].bottom", false},
      {"layers[0].bottom", false},
      {"loads[1].kind", false},
      {"loads.T1.pressure", false},
      {"groundwater.water_table", false},
      {"points[1].x", false},
      {"cc", false},
      {"layers[1].soil", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const TargetLookup lookup = find_target(project, c.target);
    EXPECT_EQ(lookup.place.has_value(), c.found) << lookup.problem;
    if (lookup.place) {
      number_at(project, *lookup.place) = 123.0;
      EXPECT_EQ(number_at(project, *lookup.place), 123.0);
    }
  }
  EXPECT_EQ(std::get<soils::IndexSoil>(project.soils[0].model).cc, 123.0);
  EXPECT_EQ(project.layers[0].bottom, 123.0);
}

TEST(StudyRun, TheFaultsOfAStudyNameTheirKeys) {
  struct Case {
    std::string study;
    std::string path;
  };
  const std::string head = "[study]\nsamples = 100\nseed = 1\n";
  const std::string cc = "[[study.parameters]]\ntarget = \"soils.clay.cc\"\n";
  const std::string cr = "[[study.parameters]]\ntarget = \"soils.clay.cr\"\n";
  const std::vector<Case> cases = {
      {head +
           "[[study.parameters]]\ntarget = \"soils.clay.c\"\ndistribution = \"normal\"\nsd = 1.0\n",
       "study.parameters[1].target"},
      {head + cc + "distribution = \"normal\"\nsd = -0.1\n", "study.parameters[1].sd"},
      {head + cc + "distribution = \"normal\"\n", "study.parameters[1].sd"},
      {head + cc + "distribution = \"normal\"\nsd = 0.1\ncov = 0.2\n", "study.parameters[1].cov"},
      {head + cc + "distribution = \"lognormal\"\nmean = -0.4\ncov = 0.2\n",
       "study.parameters[1].mean"},
      {head + cc + "distribution = \"lognormal\"\ncov = -0.2\n", "study.parameters[1].cov"},
      {head + cc + "distribution = \"uniform\"\nlow = 0.5\nhigh = 0.3\n",
       "study.parameters[1].low"},
      {head + cc + "distribution = \"triangular\"\nlow = 0.3\nmode = 0.9\nhigh = 0.5\n",
       "study.parameters[1].mode"},
      {head + cc + "distribution = \"normal\"\nsd = 0.1\n" + cc +
           "distribution = \"normal\"\nsd = 0.1\n",
       "study.parameters[2].target"},
      {head + cc + "distribution = \"normal\"\nsd = 0.1\n" + cr +
           "distribution = \"normal\"\nsd = 0.01\n[[study.correlations]]\na = \"soils.clay.cc\"\nb "
           "= "
           "\"soils.clay.cr\"\nrho = 1.5\n",
       "study.correlations[1].rho"},
      {head + cc +
           "distribution = \"normal\"\nsd = 0.1\n[[study.correlations]]\na = \"soils.clay.cc\"\nb "
           "= "
           "\"soils.clay.cr\"\nrho = 0.5\n",
       "study.correlations[1]"},
      {"[study]\nsamples = 0\nseed = 1\n" + cc + "distribution = \"normal\"\nsd = 0.1\n",
       "study.samples"},
      {"[study]\nsamples = 1000001\nseed = 1\n" + cc + "distribution = \"normal\"\nsd = 0.1\n",
       "study.samples"},
      {head, "study.parameters"},
      {head + "distortion_limit = -1.0\n" + cc + "distribution = \"normal\"\nsd = 0.1\n",
       "study.distortion_limit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.study);
    const project::ProjectReading reading = read(clay_project(c.study));
    ASSERT_FALSE(reading.ok());
    const auto error = std::find_if(
        reading.diagnostics.begin(), reading.diagnostics.end(),
        [](const site::Diagnostic& d) { return d.severity == site::Severity::kError; });
    EXPECT_EQ(error->path, c.path) << error->message;
    EXPECT_GT(error->line, 0) << error->path;
  }
}

// The settlement of a normally consolidated layer is cc times a number of its
// stresses, so with cc lognormal (mean m, cov v) it is lognormal with mean
// S(m) and the same cov; the study's figures come within three standard
// errors of that closed form (docs/verification.md).
TEST(StudyRun, ANormallyConsolidatedLayerSettlesLognormallyWhenItsIndexIsLognormal) {
  const double v = 0.3;
  for (const char* method : {"lhs", "monte_carlo"}) {
    for (const int n : {100, 2000}) {
      SCOPED_TRACE(std::string(method) + " " + std::to_string(n));
      const std::string study = "[study]\nsamples = " + std::to_string(n) +
                                "\nseed = 20261209\nmethod = \"" + method +
                                "\"\n[[study.parameters]]\ntarget = \"soils.clay.cc\"\n"
                                "distribution = \"lognormal\"\ncov = 0.3\n";
      const std::string text = clay_project(study);
      const run::ProjectAnalysis at_mean = run::analyse_project(read(text));
      ASSERT_FALSE(at_mean.stopped());
      const double mean = at_mean.results->points[0].settlement;  // S(m) = k m

      const StudySetup setup = setup_of(text);
      const site::Tree point = study_tree(setup, run_on_threads(setup, 2))["points"][0];
      const double sigma = std::sqrt(std::log(1.0 + v * v));
      const double mu = std::log(mean) - sigma * sigma / 2.0;
      const double sd = mean * v;
      const auto quantile_error = [&](double p, double z) {
        const double x = std::exp(mu + z * sigma);
        const double density =
            std::exp(-z * z / 2.0) / (x * sigma * std::sqrt(2.0 * 3.141592653589793));
        return std::sqrt(p * (1.0 - p) / n) / density;
      };
      EXPECT_NEAR(point["mean"].get<double>(), mean, 3.0 * sd / std::sqrt(n));
      const double kurtosis = std::exp(4 * sigma * sigma) + 2 * std::exp(3 * sigma * sigma) +
                              3 * std::exp(2 * sigma * sigma) - 3;
      EXPECT_NEAR(point["sd"].get<double>(), sd, 3.0 * sd * std::sqrt((kurtosis - 1) / (4.0 * n)));
      EXPECT_NEAR(point["p05"].get<double>(), std::exp(mu - 1.6448536269514722 * sigma),
                  3.0 * quantile_error(0.05, -1.6448536269514722));
      EXPECT_NEAR(point["p50"].get<double>(), std::exp(mu), 3.0 * quantile_error(0.5, 0.0));
      EXPECT_NEAR(point["p95"].get<double>(), std::exp(mu + 1.6448536269514722 * sigma),
                  3.0 * quantile_error(0.95, 1.6448536269514722));
      // One uncertain value owns the variance of a result proportional to it.
      EXPECT_GT(point["variance_shares"]["soils.clay.cc"].get<double>(), 0.9);
    }
  }
}

}  // namespace
}  // namespace study
