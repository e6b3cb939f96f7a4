#include "consolidation/column_check.h"

#include <gtest/gtest.h>

#include <vector>

#include "consolidation/linear_column.h"

namespace consolidation {
namespace {

using testing::linear_column;

Column good_column() {
  Column column = linear_column({{1.0, 4}, {1.0, 2, std::nullopt, 0.1, true}, {2.0, 4, 0.5}},
                                Boundary::kDrained, Boundary::kImpermeable, {{1.0, 0.0, 10.0}});
  Drains drains;
  drains.spacing = 1.5;
  drains.diameter = 0.066;
  drains.smear_ratio = 3.0;
  drains.kh_over_ks = 3.0;
  drains.discharge_capacity = 100.0;
  drains.bottom = 4.0;
  column.drains = drains;
  return column;
}

TEST(CheckColumn, AcceptsAGoodColumn) {
  const std::vector<double> times{0.0, 1.0, 7.0};
  EXPECT_FALSE(check_column(good_column(), times));
}

TEST(CheckColumn, NamesTheValueAtFault) {
  const std::vector<double> good_times{1.0, 2.0};
  const struct {
    int line;
    void (*spoil)(Column&);
    std::vector<double> times;
    ColumnFault expected;
  } kCases[] = {
      {__LINE__, [](Column& c) { c.layers[2].cv = 0.0; }, good_times, CvNotPositive{2, 0.0}},
      {__LINE__, [](Column& c) { c.layers[0].cv = -1.0; }, good_times, CvNotPositive{0, -1.0}},
      {__LINE__, [](Column& c) { c.layers[2].cv.reset(); }, good_times, CvMissing{2}},
      {__LINE__,
       [](Column& c) {
         for (Sublayer& s : c.layers[0].sublayers) s.strain = -s.strain;
         c.layers[0].tangent_mv = 0.0;
       },
       good_times, CompressibilityNotPositive{0, 0.0}},
      {__LINE__,
       [](Column& c) {
         c.layers[1].free_draining = false;
         c.layers[1].cv = 1.0;
         c.top = Boundary::kImpermeable;
       },
       good_times, NoDrainedBoundary{0, 2}},
      {__LINE__, [](Column&) {}, {1.0, -2.0}, TimeNegative{1, -2.0}},
      {__LINE__, [](Column&) {}, {1.0, 3.0, 3.0}, TimesNotIncreasing{2, 3.0, 3.0}},
      {__LINE__, [](Column&) {}, {2.0, 1.0}, TimesNotIncreasing{1, 1.0, 2.0}},
      {__LINE__, [](Column& c) { c.increments[0].ramp = -1.0; }, good_times, RampNegative{0, -1.0}},
      {__LINE__, [](Column& c) { c.increments[0].start = -5.0; }, good_times,
       StartNegative{0, -5.0}},
      {__LINE__, [](Column& c) { c.drains->bottom = 4.5; }, good_times,
       DrainsBelowColumn{4.5, 4.0}},
      {__LINE__, [](Column& c) { c.drains->spacing = 0.0; }, good_times,
       DrainValueOutOfRange{DrainValue::kSpacing, 0.0}},
      {__LINE__, [](Column& c) { c.drains->smear_ratio = 0.5; }, good_times,
       DrainValueOutOfRange{DrainValue::kSmearRatio, 0.5}},
      {__LINE__, [](Column& c) { c.drains->discharge_capacity = -1.0; }, good_times,
       DrainValueOutOfRange{DrainValue::kDischargeCapacity, -1.0}},
      {__LINE__, [](Column& c) { c.drains->installed = -1.0; }, good_times,
       DrainValueOutOfRange{DrainValue::kInstalled, -1.0}},
      {__LINE__, [](Column& c) { c.drains->smear_ratio = 30.0; }, good_times,
       SmearBeyondInfluence{30.0 * 0.066, 1.05 * 1.5}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    Column column = good_column();
    c.spoil(column);
    const std::optional<ColumnFault> fault = check_column(column, c.times);
    ASSERT_TRUE(fault);
    EXPECT_EQ(*fault, c.expected);
  }
}

}  // namespace
}  // namespace consolidation
