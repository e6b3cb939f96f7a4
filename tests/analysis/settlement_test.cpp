#include "analysis/settlement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace analysis {
namespace {

constexpr std::int32_t kPointCurve = 1;       // 1 % at 1.0, 3 % at 10.0
constexpr std::int32_t kLogSlope = 2;         // 10 % per tenfold pressure
constexpr std::int32_t kArithmeticSlope = 3;  // 1 % per pressure unit
constexpr std::int32_t kCurveNotRead = 9;

// The side of each warning a settlement gives, in order.
using Sides = std::vector<CurveSide>;
constexpr CurveSide kBelow = CurveSide::kBelow;
constexpr CurveSide kAbove = CurveSide::kAbove;

struct SublayerGiven {
  std::int32_t curve_index;
  float overburden;      // P0
  float initial_strain;  // F0
  float thickness_factor = 1.0f;
};

constexpr std::int32_t kUs = 1;
constexpr std::int32_t kSi = 2;

// A profile with the three test curves and sublayers 0.5 thick as given.
std::unique_ptr<ClassicProfile> make_problem(std::int32_t units,
                                             std::initializer_list<SublayerGiven> sublayers) {
  auto problem = std::make_unique<ClassicProfile>();
  problem->settlement_factor = units == kSi ? 1000.0f : 12.0f;
  problem->curves.resize(3);
  ClassicCurve& points = problem->curves[kPointCurve];
  points.point_count = 2;
  points.strain.push_back(1.0f / 100.0f);
  points.pressure.push_back(1.0f);
  points.strain.push_back(3.0f / 100.0f);
  points.pressure.push_back(10.0f);
  problem->curves[kLogSlope].slope = 10.0f / 100.0f;
  problem->curves[kArithmeticSlope].slope = -1.0f / 100.0f;
  for (const SublayerGiven& given : sublayers) {
    problem->sublayers.push_back({});
    const int s = problem->sublayer_count();
    ClassicSublayer& sublayer = problem->sublayers[s];
    sublayer.sublayer_number = s;
    sublayer.curve_index = given.curve_index;
    sublayer.thickness = 0.5f;
    sublayer.thickness_factor = given.thickness_factor;
    sublayer.overburden_pressure = given.overburden;
    sublayer.initial_strain = given.initial_strain;
  }
  return problem;
}

// One settled point: its sublayer settlements, total and warnings.
struct Settled {
  SublayerRow sublayers;
  float total = 0.0f;
  std::vector<StrainWarning> warnings;

  Sides sides() const {
    Sides result;
    for (const StrainWarning& w : warnings) result.push_back(w.side);
    return result;
  }
};

// Settles a point starting at `start_sublayer` under these average stress increases.
std::unique_ptr<Settled> settle(const ClassicProfile& problem, std::int32_t start_sublayer,
                                std::initializer_list<float> increases, int point = 1) {
  SublayerRow average;
  for (const float increase : increases) average.push_back(increase);
  auto settled = std::make_unique<Settled>();
  settled->sublayers.resize(problem.sublayer_count());
  settled->sublayers[1] = 5.0f;  // stale values in the row must not survive
  settled->total = settle_point(problem, average, start_sublayer,
                                {&settled->sublayers, &settled->warnings, point});
  return settled;
}

TEST(Settlement, OneSublayerUnderEachKindOfCurve) {
  const float kRootTen = 3.16227766f;
  const struct {
    int line;
    std::int32_t units;
    SublayerGiven sublayer;
    float increase;
    double expected;  // inches or millimetres
    Sides warnings;
  } kCases[] = {
      // Pf = 10 is the second curve point: 0.5 x 0.02 / 0.99 x 12.
      {__LINE__, kUs, {kPointCurve, 1.0f, 0.01f}, 9.0f, 0.121212, {}},
      // Pf = sqrt(10) is halfway up the decade: Ff = 0.02.
      {__LINE__, kUs, {kPointCurve, 1.0f, 0.01f}, kRootTen - 1.0f, 0.060606, {}},
      {__LINE__, kUs, {kPointCurve, 1.0f, 0.01f, 0.8f}, 9.0f, 0.096970, {}},
      // Below the curve from below it: no strain change, yet a warning.
      {__LINE__, kUs, {kPointCurve, 0.5f, 0.01f}, 0.2f, 0.0, {kBelow}},
      {__LINE__, kUs, {kPointCurve, 1.0f, 0.01f}, -0.6f, 0.0, {kBelow}},
      // Two decades up the extended last segment: Ff = 0.05.
      {__LINE__, kUs, {kPointCurve, 1.0f, 0.01f}, 99.0f, 0.242424, {kAbove}},
      // Heave: 0.5 x -0.02 / 0.97 x 12.
      {__LINE__, kUs, {kPointCurve, 10.0f, 0.03f}, -9.0f, -0.123711, {}},
      // 0.1 per decade x 0.5 x 12; F0 plays no part.
      {__LINE__, kUs, {kLogSlope, 1.0f, 0.0f}, 9.0f, 0.6, {}},
      {__LINE__, kUs, {kLogSlope, 1.0f, 0.5f}, 9.0f, 0.6, {}},
      {__LINE__, kUs, {kLogSlope, 10.0f, 0.0f}, -9.0f, -0.6, {}},
      // 0.01 x 0.5 x 2 x 1000 millimetres.
      {__LINE__, kSi, {kArithmeticSlope, 1.0f, 0.0f}, 2.0f, 10.0, {}},
      {__LINE__, kSi, {kArithmeticSlope, 5.0f, 0.0f}, -2.0f, -10.0, {}},
      // A curve position not read is a flat slope line.
      {__LINE__, kUs, {kCurveNotRead, 1.0f, 0.0f}, 9.0f, 0.0, {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    auto problem = make_problem(c.units, {c.sublayer});
    const auto settled = settle(*problem, 1, {c.increase});
    EXPECT_EQ(settled->sides(), c.warnings);
    EXPECT_NEAR(settled->sublayers[1], c.expected, 2e-6 * (1.0 + std::fabs(c.expected)));
    EXPECT_EQ(settled->total, settled->sublayers[1]);
    // Without a place for them, the same settlement keeps no sublayers and no warnings.
    SublayerRow average(1);
    average[1] = c.increase;
    EXPECT_EQ(settle_point(*problem, average, 1, {}), settled->total);
  }
}

TEST(Settlement, TotalIsTheSumOverTheSublayersFromTheStartSublayer) {
  auto problem = make_problem(
      kUs, {{kLogSlope, 1.0f, 0.0f}, {kLogSlope, 1.0f, 0.0f}, {kLogSlope, 1.0f, 0.0f}});
  const auto every = settle(*problem, 0, {9.0f, 9.0f, 9.0f});  // 0 includes every sublayer
  EXPECT_NEAR(every->total, 1.8, 1e-5);
  const auto from_two = settle(*problem, 2, {9.0f, 9.0f, 9.0f});
  EXPECT_NEAR(from_two->total, 1.2, 1e-5);
  EXPECT_EQ(from_two->sublayers[1], 0.0f);
  EXPECT_NEAR(from_two->sublayers[2], 0.6, 1e-6);
  for (const std::int32_t start : {4, 99}) {  // below the last sublayer
    SCOPED_TRACE(start);
    const auto none = settle(*problem, start, {9.0f, 9.0f, 9.0f});
    EXPECT_EQ(none->total, 0.0f);
    for (int m = 1; m <= 3; ++m) EXPECT_EQ(none->sublayers[m], 0.0f);
  }
}

TEST(Settlement, WarningsNameThePointSublayerCurveAndPressures) {
  // Three point-curve sublayers at P0 = 1; each increase lands below, above
  // or inside the curve.
  auto problem = make_problem(
      kUs, {{kPointCurve, 1.0f, 0.01f}, {kPointCurve, 1.0f, 0.01f}, {kPointCurve, 1.0f, 0.01f}});
  const auto settled = settle(*problem, 1, {-0.5f, 20.0f, 2.0f}, 7);
  ASSERT_EQ(settled->warnings.size(), 2u);
  const StrainWarning& below = settled->warnings[0];
  EXPECT_EQ(below.point, 7);
  EXPECT_EQ(below.sublayer, 1);
  EXPECT_EQ(below.curve, kPointCurve);
  EXPECT_EQ(below.side, kBelow);
  EXPECT_EQ(below.initial_pressure, 1.0f);
  EXPECT_EQ(below.final_pressure, 0.5f);
  EXPECT_EQ(below.curve_pressure, 1.0f);  // the first pressure of the curve
  const StrainWarning& above = settled->warnings[1];
  EXPECT_EQ(above.sublayer, 2);
  EXPECT_EQ(above.side, kAbove);
  EXPECT_EQ(above.final_pressure, 21.0f);
  EXPECT_EQ(above.curve_pressure, 10.0f);  // the last pressure of the curve

  // A sublayer above the point's start sublayer is not settled and warns of nothing.
  EXPECT_EQ(settle(*problem, 2, {-0.5f, 2.0f, 2.0f})->sides(), Sides{});
  EXPECT_EQ(settle(*problem, 1, {20.0f, 2.0f, -0.5f})->sides(), (Sides{kAbove, kBelow}));
}

}  // namespace
}  // namespace analysis
