#include "consolidation/point_history.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "consolidation/column_check.h"
#include "consolidation/linear_column.h"

namespace consolidation {
namespace {

using testing::linear_column;
using testing::LoadGiven;
using testing::olson_degree;
using testing::SoilGiven;
using testing::terzaghi_degree;

constexpr Boundary kDrained = Boundary::kDrained;
constexpr Boundary kImpermeable = Boundary::kImpermeable;

// A clay 1 thick with cv 1 drained at the top: Tv = t.
Column terzaghi_column(std::vector<LoadGiven> loads = {{}}) {
  return linear_column({{1.0, 20}}, kDrained, kImpermeable, loads);
}

TEST(PointHistory, OneLayerFollowsTerzaghisSeries) {
  const std::vector<double> times{0.05, 0.1, 0.2, 0.3, 0.5, 0.7, 1.0};
  const PointHistory history = point_history(terzaghi_column(), times);
  ASSERT_EQ(history.states.size(), times.size());
  for (const TimeState& state : history.states) {
    SCOPED_TRACE(state.time);
    EXPECT_NEAR(*state.degree, terzaghi_degree(state.time), 1e-5);
    EXPECT_LE(state.error_bound, 1e-5);
    // The isochrone, u / u0 = Σ 2 / M sin(M z) exp(−M² Tv), at each centre.
    for (std::size_t j = 0; j < 20; ++j) {
      const double z = 0.025 + 0.05 * static_cast<double>(j);
      double isochrone = 0.0;
      for (int m = 0; m < 2000; ++m) {
        const double big_m = (2 * m + 1) * std::numbers::pi / 2.0;
        isochrone += 2.0 / big_m * std::sin(big_m * z) * std::exp(-big_m * big_m * state.time);
      }
      EXPECT_NEAR(state.excess_pore_pressure[j], isochrone, 1e-4);
    }
  }
  // Tv50 and Tv90 of the series, and Tv95 found from it by bisection.
  EXPECT_NEAR(*history.t50, 0.196731, 1e-6);
  EXPECT_NEAR(*history.t90, 0.848085, 1e-6);
  double low = 1.0, high = 1.2;
  for (int i = 0; i < 60; ++i) {
    const double middle = 0.5 * (low + high);
    (terzaghi_degree(middle) < 0.95 ? low : high) = middle;
  }
  EXPECT_NEAR(*history.t95, low, 1e-6);
}

TEST(PointHistory, HoldsTheWholeLoadAsExcessAtTheInstantOfAStep) {
  const PointHistory history = point_history(terzaghi_column({{2.0, 5.0}}), {{0.0, 5.0, 5.001}});
  EXPECT_EQ(history.states[0].primary, 0.0);
  EXPECT_EQ(history.states[0].excess_pore_pressure, std::vector<double>(20, 0.0));
  EXPECT_EQ(history.states[1].primary, 0.0);
  EXPECT_EQ(history.states[1].excess_pore_pressure, std::vector<double>(20, 2.0));
  // A thousandth of a time unit later, the first centre (0.025 down) has
  // drained as in a half-space: 2 erf(0.025 / (2 √0.001)).
  EXPECT_NEAR(history.states[2].excess_pore_pressure[0],
              2.0 * std::erf(0.025 / (2.0 * std::sqrt(0.001))), 1e-4);
  EXPECT_NEAR(*history.states[2].degree, terzaghi_degree(0.001), 1e-5);
}

TEST(PointHistory, SingleDrainageOfHEqualsDoubleDrainageOfTwiceH) {
  const std::vector<double> times{0.01, 0.1, 0.4, 1.0};
  const PointHistory single = point_history(terzaghi_column(), times);
  const PointHistory twice =
      point_history(linear_column({{2.0, 40}}, kDrained, kDrained, {{}}), times);
  for (std::size_t i = 0; i < times.size(); ++i) {
    SCOPED_TRACE(times[i]);
    EXPECT_NEAR(*single.states[i].degree, *twice.states[i].degree, 2e-5);
    // The upper half of the thick layer mirrors the lower half.
    for (std::size_t j = 0; j < 20; ++j) {
      EXPECT_NEAR(single.states[i].excess_pore_pressure[j], twice.states[i].excess_pore_pressure[j],
                  1e-4);
      EXPECT_NEAR(twice.states[i].excess_pore_pressure[39 - j],
                  twice.states[i].excess_pore_pressure[j], 1e-4);
    }
  }
  EXPECT_NEAR(*single.t90, *twice.t90, 1e-6);
}

TEST(PointHistory, RampFollowsOlsonsSolution) {
  for (const double tc : {0.1, 0.5, 2.0}) {
    const std::vector<double> times{0.02, 0.05, tc / 2.0, tc, 0.3, 0.8, tc + 0.5, 3.0};
    const PointHistory history = point_history(terzaghi_column({{1.0, 0.0, tc}}), times);
    for (const TimeState& state : history.states) {
      SCOPED_TRACE(::testing::Message() << "Tc " << tc << ", Tv " << state.time);
      EXPECT_NEAR(*state.degree, olson_degree(state.time, tc), 1e-5);
    }
  }
}

// Schiffman and Stein (1970): four layers 10, 20, 30 and 20 ft, drained at
// the top and the base, under a load of 100 applied at once; settlements in ft.
TEST(PointHistory, FourLayersEqualSchiffmanAndStein) {
  const Column column = linear_column({{10.0, 20, 0.0411, 3.07e-3},
                                       {20.0, 40, 0.1918, 1.95e-3},
                                       {30.0, 60, 0.0548, 9.74e-4},
                                       {20.0, 40, 0.0686, 1.95e-3}},
                                      kDrained, kDrained, {{100.0}});
  const PointHistory history = point_history(column, {{740.0, 2930.0, 7195.0, 31623.0}});
  const double published[] = {3.48058, 6.98645, 10.45107, 13.73046};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(history.states[i].time);
    EXPECT_NEAR(history.states[i].primary / published[i], 1.0, 1e-3);
    EXPECT_NEAR(history.states[i].primary, published[i], 2e-5);  // near their last digit
  }
}

TEST(PointHistory, FreeDrainingLayerSplitsAClayIntoTwoThatDrainApart) {
  // Clay 2, sand 1, clay 2, drained at the top, impermeable at the base: the
  // upper clay drains both ways (Tv = t / 1²), the lower one upwards only
  // (Tv = t / 2²).
  const std::vector<double> times{0.05, 0.2, 0.6, 2.0};
  const Column split = linear_column({{2.0, 20}, {1.0, 4, std::nullopt, 0.1, true}, {2.0, 20}},
                                     kDrained, kImpermeable, {{}});
  const PointHistory history = point_history(split, times);
  const PointHistory upper =
      point_history(linear_column({{2.0, 20}}, kDrained, kDrained, {{}}), times);
  const PointHistory lower =
      point_history(linear_column({{2.0, 20}}, kDrained, kImpermeable, {{}}), times);
  for (std::size_t i = 0; i < times.size(); ++i) {
    const double t = times[i];
    SCOPED_TRACE(t);
    const double expected = 2.0 * terzaghi_degree(t) + 0.1 + 2.0 * terzaghi_degree(t / 4.0);
    EXPECT_NEAR(history.states[i].primary, expected, 1e-4 * 4.1);
    EXPECT_NEAR(history.states[i].primary, upper.states[i].primary + 0.1 + lower.states[i].primary,
                1e-4 * 4.1);
    for (std::size_t j = 0; j < 20; ++j) {
      EXPECT_NEAR(history.states[i].excess_pore_pressure[j],
                  upper.states[i].excess_pore_pressure[j], 1e-4);
      EXPECT_NEAR(history.states[i].excess_pore_pressure[24 + j],
                  lower.states[i].excess_pore_pressure[j], 1e-4);
    }
    for (std::size_t j = 20; j < 24; ++j) EXPECT_EQ(history.states[i].excess_pore_pressure[j], 0.0);
  }
}

TEST(PointHistory, StagedLoadsAddUp) {
  const std::vector<LoadGiven> loads{{1.0, 0.0, 0.3}, {2.0, 0.5, 0.0}};
  const std::vector<SoilGiven> soils{{1.0, 10, 0.5, 2.0}, {2.0, 20, 2.0, 0.5}};
  const std::vector<double> times{0.1, 0.3, 0.5, 0.6, 1.0, 3.0};
  const PointHistory both =
      point_history(linear_column(soils, kDrained, kImpermeable, loads), times);
  const PointHistory first =
      point_history(linear_column(soils, kDrained, kImpermeable, {loads[0]}), times);
  const PointHistory second =
      point_history(linear_column(soils, kDrained, kImpermeable, {loads[1]}), times);
  EXPECT_NEAR(both.final_primary, first.final_primary + second.final_primary, 1e-12);
  for (std::size_t i = 0; i < times.size(); ++i) {
    SCOPED_TRACE(times[i]);
    EXPECT_NEAR(both.states[i].primary, first.states[i].primary + second.states[i].primary,
                2e-5 * both.final_primary);
    for (std::size_t j = 0; j < 30; ++j) {
      EXPECT_NEAR(
          both.states[i].excess_pore_pressure[j],
          first.states[i].excess_pore_pressure[j] + second.states[i].excess_pore_pressure[j], 1e-4);
    }
  }
}

TEST(PointHistory, SecondaryCompressionCountsFromNinetyFivePercent) {
  Column column = terzaghi_column();
  column.layers[0].secondary = Secondary{0.02, 1.5};
  const std::vector<double> times{0.5, 2.0, 100.0};
  const PointHistory history = point_history(column, times);
  ASSERT_TRUE(history.secondary_from[0]);
  EXPECT_NEAR(*history.secondary_from[0], *history.t95, 1e-9);
  EXPECT_EQ(history.states[0].secondary, 0.0);  // before t_p
  for (std::size_t i = 1; i < times.size(); ++i) {
    const TimeState& state = history.states[i];
    EXPECT_NEAR(state.secondary, 0.02 / 2.5 * 1.0 * std::log10(state.time / *history.t95), 1e-9);
    EXPECT_DOUBLE_EQ(state.total, state.primary + state.secondary);
  }
}

TEST(PointHistory, FreeDrainingLayerLoadedAtOnceHasNoSecondaryCompression) {
  // It reaches 95 % at time 0, where log10(t / t_p) means nothing; a clay
  // below it has its own t_p.
  Column column =
      linear_column({{1.0, 4, std::nullopt, 0.1, true}, {1.0, 10}}, kDrained, kImpermeable, {{}});
  column.layers[0].secondary = Secondary{0.01, 0.8};
  column.layers[1].secondary = Secondary{0.01, 0.8};
  const PointHistory history = point_history(column, {{10.0}});
  EXPECT_FALSE(history.secondary_from[0]);
  ASSERT_TRUE(history.secondary_from[1]);
  EXPECT_NEAR(history.states[0].secondary,
              0.01 / 1.8 * std::log10(10.0 / *history.secondary_from[1]), 1e-12);
}

TEST(PointHistory, SublayerWithoutFinalStressSettlesByTheLayersCompressibility) {
  // A load of 1 at 0 and an unloading of 1 at 0.5: nothing in the end, but
  // mv Δσ(t) less the excess on the way.
  Column column = terzaghi_column({{1.0, 0.0, 0.0}, {-1.0, 0.5, 0.0}});
  for (Sublayer& sublayer : column.layers[0].sublayers) {
    sublayer.stress_increase = sublayer.strain = sublayer.settlement = 0.0;
  }
  column.layers[0].tangent_mv = 0.5;
  ASSERT_FALSE(check_column(column, {}));
  const PointHistory history = point_history(column, {{0.2, 0.5, 10.0}});
  EXPECT_FALSE(history.states[0].degree);
  EXPECT_FALSE(history.t50);
  EXPECT_NEAR(history.states[0].primary, 0.5 * terzaghi_degree(0.2), 1e-5);
  EXPECT_NEAR(history.states[1].primary, 0.5 * terzaghi_degree(0.5), 1e-5);
  EXPECT_NEAR(history.states[2].primary, 0.0, 1e-9);
}

TEST(PointHistory, UncountedSublayersDrainButDoNotSettle) {
  Column column = linear_column({{1.0, 10}, {1.0, 10}}, kDrained, kImpermeable, {{}});
  for (Sublayer& sublayer : column.layers[0].sublayers) sublayer.counted = false;
  const PointHistory history = point_history(column, {{0.3}});
  const PointHistory whole =
      point_history(linear_column({{2.0, 20}}, kDrained, kImpermeable, {{}}), {{0.3}});
  EXPECT_DOUBLE_EQ(history.final_primary, 1.0);
  double lower = 0.0;  // the lower half of the whole column's settlement at 0.3
  for (std::size_t j = 10; j < 20; ++j) {
    // Mean excess about the centre value; the layer's mean is exact.
    lower += 0.1 * (1.0 - whole.states[0].excess_pore_pressure[j]);
  }
  EXPECT_NEAR(history.states[0].primary, lower, 2e-4);
  for (std::size_t j = 0; j < 20; ++j) {
    EXPECT_NEAR(history.states[0].excess_pore_pressure[j], whole.states[0].excess_pore_pressure[j],
                1e-4);
  }
}

}  // namespace
}  // namespace consolidation
