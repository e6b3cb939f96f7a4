#include "problem/sublayer_division.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>

#include "problem/project_conversion.h"
#include "support/profile_builder.h"

namespace problem {
namespace {

using testing_support::LayerGiven;
using testing_support::make_profile;

TEST(SublayerDivision, CountsBeyondTheTableWithoutOverflow) {
  constexpr std::int64_t kSaturated = std::numeric_limits<std::int64_t>::max();
  const float kInf = std::numeric_limits<float>::infinity();
  const float kNaN = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(count_sublayers(*make_profile({{400.0f, 120.0f, 1}})), 800);
  EXPECT_EQ(count_sublayers(*make_profile({{1.0e6f, 120.0f, 1}})), 2000000);
  EXPECT_EQ(count_sublayers(*make_profile({{1.0e30f, 120.0f, 1}})), kSaturated);
  EXPECT_EQ(count_sublayers(*make_profile({{1.0e30f, 120.0f, 1}, {3.0e30f, 120.0f, 1}})),
            kSaturated);
  EXPECT_EQ(count_sublayers(*make_profile({{kInf, 120.0f, 1}})), kSaturated);
  EXPECT_EQ(count_sublayers(*make_profile({{kNaN, 120.0f, 1}})), 0);
  // inf - inf is not a thickness.
  EXPECT_EQ(count_sublayers(*make_profile({{kInf, 120.0f, 1}, {kInf, 120.0f, 1}})), kSaturated);
  EXPECT_EQ(count_sublayers(*make_profile({{-1.0e30f, 120.0f, 1}})), 0);
}

TEST(StartSublayer, IsTheFirstSublayerOfTheStartLayer) {
  const struct {
    int line;
    std::initializer_list<LayerGiven> layers;
    std::int32_t start_layer;
    std::int32_t expected;
  } kCases[] = {
      {__LINE__, {{2.0f, 120.0f, 1}, {4.5f, 120.0f, 1}, {6.0f, 120.0f, 1}}, 1, 1},
      {__LINE__, {{2.0f, 120.0f, 1}, {4.5f, 120.0f, 1}, {6.0f, 120.0f, 1}}, 2, 5},
      {__LINE__, {{2.0f, 120.0f, 1}, {4.5f, 120.0f, 1}, {6.0f, 120.0f, 1}}, 3, 10},
      {__LINE__, {{2.0f, 120.0f, 1}, {4.5f, 120.0f, 1}, {6.0f, 120.0f, 1}}, 0, 0},
      {__LINE__, {{2.0f, 120.0f, 1}, {4.5f, 120.0f, 1}, {6.0f, 120.0f, 1}}, 4, 0},
      {__LINE__, {{2.0f, 120.0f, 1}, {4.5f, 120.0f, 1}, {6.0f, 120.0f, 1}}, -1, 0},
      // A top at 3.25 is 6.5 half units down: halves round away from zero.
      {__LINE__, {{3.25f, 120.0f, 1}, {5.0f, 120.0f, 1}}, 2, 8},
      {__LINE__, {{1.2f, 120.0f, 1}, {5.0f, 120.0f, 1}}, 2, 3},
      {__LINE__, {}, 1, 0},
      {__LINE__,
       {{1.0e30f, 120.0f, 1}, {2.0e30f, 120.0f, 1}},
       2,
       std::numeric_limits<std::int32_t>::max()},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    auto problem = make_profile(c.layers);
    EXPECT_EQ(
        analysis::classic_start_sublayer(problem::to_project(*problem).project, c.start_layer),
        c.expected);
  }
}

}  // namespace
}  // namespace problem
