#include "analysis/settlement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>

namespace analysis {
namespace {

constexpr std::int32_t kPointCurve = 1;       // 1 % at 1.0, 3 % at 10.0
constexpr std::int32_t kLogSlope = 2;         // 10 % per tenfold pressure
constexpr std::int32_t kArithmeticSlope = 3;  // 1 % per pressure unit
constexpr std::int32_t kCurveNotRead = 9;

const char kBelowWarning[] =
    "\n\n*********** WARNING *************\n"
    "THE CALCULATED STRESS IS LESS THAN THE SMALLEST PRESSURE\n"
    "ON THE SOIL COMPRESSIBILITY CURVE. ADD NEW PRESSURE DATA,\n\n";
const char kAboveWarning[] =
    "\n\n*********** WARNING *************\n"
    "THE CALCULATED STRESS IS GREATER THAN THE LARGEST PRESSURE\n"
    "ON THE SOIL COMPRESSIBILITY CURVE. ADD NEW PRESSURE DATA,\n\n";

struct SublayerSpec {
  std::int32_t curve_index;
  float overburden;      // P0
  float initial_strain;  // F0
  float thickness_factor = 1.0f;
};

// A problem with the three test curves and sublayers 0.5 thick as given.
std::unique_ptr<problem::ProblemData> make_problem(std::int32_t units,
                                                   std::initializer_list<SublayerSpec> sublayers) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem::set_unit_system(*problem, units);
  problem->curve_count = 3;
  problem::CompressibilityCurve& points = problem->curves[kPointCurve];
  points.point_count = 2;
  points.strain[1] = 1.0f / 100.0f;
  points.pressure[1] = 1.0f;
  points.strain[2] = 3.0f / 100.0f;
  points.pressure[2] = 10.0f;
  problem->curves[kLogSlope].slope = 10.0f / 100.0f;
  problem->curves[kArithmeticSlope].slope = -1.0f / 100.0f;
  for (const SublayerSpec& spec : sublayers) {
    const int s = ++problem->sublayer_count;
    problem::Sublayer& sublayer = problem->sublayers[static_cast<std::size_t>(s)];
    sublayer.sublayer_number = s;
    sublayer.curve_index = spec.curve_index;
    sublayer.thickness = 0.5f;
    sublayer.thickness_factor = spec.thickness_factor;
    sublayer.overburden_pressure = spec.overburden;
    sublayer.initial_strain = spec.initial_strain;
  }
  return problem;
}

// Adds a settlement point starting at `start_sublayer` with these average stress increases.
void add_point(problem::ProblemData& problem, AnalysisResults& results, std::int32_t start_sublayer,
               std::initializer_list<float> increases) {
  const int j = ++problem.point_count;
  problem.points[static_cast<std::size_t>(j)].point_number = j;
  problem.points[static_cast<std::size_t>(j)].start_sublayer = start_sublayer;
  std::size_t m = 0;
  for (const float increase : increases) {
    results.average_stress_increase[static_cast<std::size_t>(j)][++m] = increase;
  }
}

std::string settle(const problem::ProblemData& problem, AnalysisResults& results) {
  std::ostringstream text;
  layout::RecordWriter report(text, "\n", 6, "report.txt");
  compute_settlement(problem, results, report);
  return text.str();
}

TEST(Settlement, OneSublayerUnderEachKindOfCurve) {
  const float kRootTen = 3.16227766f;
  const struct {
    int line;
    std::int32_t units;
    SublayerSpec sublayer;
    float increase;
    double expected;  // inches or millimetres
    std::string warnings;
  } kCases[] = {
      // Pf = 10 is the second curve point: 0.5 x 0.02 / 0.99 x 12.
      {__LINE__, problem::kUsGravitational, {kPointCurve, 1.0f, 0.01f}, 9.0f, 0.121212, ""},
      // Pf = sqrt(10) is halfway up the decade: Ff = 0.02.
      {__LINE__, problem::kUsGravitational, {kPointCurve, 1.0f, 0.01f}, kRootTen - 1.0f, 0.060606, ""},
      {__LINE__, problem::kUsGravitational, {kPointCurve, 1.0f, 0.01f, 0.8f}, 9.0f, 0.096970, ""},
      // Below the curve from below it: no strain change, yet a warning.
      {__LINE__, problem::kUsGravitational, {kPointCurve, 0.5f, 0.01f}, 0.2f, 0.0, kBelowWarning},
      {__LINE__, problem::kUsGravitational, {kPointCurve, 1.0f, 0.01f}, -0.6f, 0.0, kBelowWarning},
      // Two decades up the extended last segment: Ff = 0.05.
      {__LINE__, problem::kUsGravitational, {kPointCurve, 1.0f, 0.01f}, 99.0f, 0.242424, kAboveWarning},
      // Heave: 0.5 x -0.02 / 0.97 x 12.
      {__LINE__, problem::kUsGravitational, {kPointCurve, 10.0f, 0.03f}, -9.0f, -0.123711, ""},
      // 0.1 per decade x 0.5 x 12; F0 plays no part.
      {__LINE__, problem::kUsGravitational, {kLogSlope, 1.0f, 0.0f}, 9.0f, 0.6, ""},
      {__LINE__, problem::kUsGravitational, {kLogSlope, 1.0f, 0.5f}, 9.0f, 0.6, ""},
      {__LINE__, problem::kUsGravitational, {kLogSlope, 10.0f, 0.0f}, -9.0f, -0.6, ""},
      // 0.01 x 0.5 x 2 x 1000 millimetres.
      {__LINE__, problem::kSiAbsolute, {kArithmeticSlope, 1.0f, 0.0f}, 2.0f, 10.0, ""},
      {__LINE__, problem::kSiAbsolute, {kArithmeticSlope, 5.0f, 0.0f}, -2.0f, -10.0, ""},
      // A curve position not read is a flat slope line.
      {__LINE__, problem::kUsGravitational, {kCurveNotRead, 1.0f, 0.0f}, 9.0f, 0.0, ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    auto problem = make_problem(c.units, {c.sublayer});
    auto results = std::make_unique<AnalysisResults>();
    add_point(*problem, *results, 1, {c.increase});
    EXPECT_EQ(settle(*problem, *results), c.warnings);
    EXPECT_NEAR(results->sublayer_settlement[1][1], c.expected, 2e-6 * (1.0 + std::fabs(c.expected)));
    EXPECT_EQ(results->total_settlement[1], results->sublayer_settlement[1][1]);
  }
}

TEST(Settlement, TotalIsTheSumOverTheSublayersFromTheStartSublayer) {
  auto problem = make_problem(problem::kUsGravitational, {{kLogSlope, 1.0f, 0.0f},
                                                          {kLogSlope, 1.0f, 0.0f},
                                                          {kLogSlope, 1.0f, 0.0f}});
  auto results = std::make_unique<AnalysisResults>();
  add_point(*problem, *results, 0, {9.0f, 9.0f, 9.0f});   // 0 includes every sublayer
  add_point(*problem, *results, 2, {9.0f, 9.0f, 9.0f});
  add_point(*problem, *results, 4, {9.0f, 9.0f, 9.0f});   // below the last sublayer
  add_point(*problem, *results, 99, {9.0f, 9.0f, 9.0f});
  // Stale values in the result rows must not survive.
  results->sublayer_settlement[3][1] = 5.0f;
  results->total_settlement[4] = 5.0f;
  EXPECT_EQ(settle(*problem, *results), "");

  EXPECT_NEAR(results->total_settlement[1], 1.8, 1e-5);
  EXPECT_NEAR(results->total_settlement[2], 1.2, 1e-5);
  EXPECT_EQ(results->sublayer_settlement[2][1], 0.0f);
  EXPECT_NEAR(results->sublayer_settlement[2][2], 0.6, 1e-6);
  for (std::size_t j : {3u, 4u}) {
    SCOPED_TRACE(j);
    EXPECT_EQ(results->total_settlement[j], 0.0f);
    for (std::size_t m = 1; m <= 3; ++m) EXPECT_EQ(results->sublayer_settlement[j][m], 0.0f);
  }
}

TEST(Settlement, WarningsComeInPointThenSublayerOrder) {
  // Three point-curve sublayers at P0 = 1; each increase lands below, above
  // or inside the curve.
  auto problem = make_problem(problem::kUsGravitational, {{kPointCurve, 1.0f, 0.01f},
                                                          {kPointCurve, 1.0f, 0.01f},
                                                          {kPointCurve, 1.0f, 0.01f}});
  auto results = std::make_unique<AnalysisResults>();
  add_point(*problem, *results, 1, {-0.5f, 20.0f, 2.0f});
  add_point(*problem, *results, 1, {20.0f, 2.0f, -0.5f});
  // Sublayer 1 lies above this point's start sublayer: it is not settled and warns of nothing.
  add_point(*problem, *results, 2, {-0.5f, 2.0f, 2.0f});
  const std::string expected = std::string(kBelowWarning) + kAboveWarning + kAboveWarning +
                               kBelowWarning;
  EXPECT_EQ(settle(*problem, *results), expected);
}

TEST(Settlement, PointSettlementRecordsItsWarningsInsteadOfWritingThem) {
  auto problem = make_problem(problem::kUsGravitational, {{kPointCurve, 1.0f, 0.01f},
                                                          {kPointCurve, 1.0f, 0.01f},
                                                          {kPointCurve, 1.0f, 0.01f}});
  auto results = std::make_unique<AnalysisResults>();
  add_point(*problem, *results, 1, {20.0f, 2.0f, -0.5f});
  PointWarnings warnings;
  warnings.count = 7;  // left over from another point
  compute_point_settlement(*problem, *results, 1, warnings);
  ASSERT_EQ(warnings.count, 2);
  EXPECT_EQ(warnings.warnings[0], StrainWarning::kAboveCurve);
  EXPECT_EQ(warnings.warnings[1], StrainWarning::kBelowCurve);

  std::ostringstream text;
  layout::RecordWriter report(text, "\n", 6, "report.txt");
  write_strain_warnings(report, warnings);
  EXPECT_EQ(text.str(), std::string(kAboveWarning) + kBelowWarning);
}

TEST(Settlement, NoPointsWriteNothing) {
  auto problem = make_problem(problem::kUsGravitational, {{kPointCurve, 0.5f, 0.01f}});
  auto results = std::make_unique<AnalysisResults>();
  EXPECT_EQ(settle(*problem, *results), "");
}

}  // namespace
}  // namespace analysis
