#include "problem/built_problem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "layout/fatal_error.h"
#include "problem/problem_reader.h"
#include "support/problem_differences.h"
#include "support/problem_reading.h"
#include "support/profile_builder.h"
#include "support/record_lines.h"
#include "support/run_in_folder.h"
#include "support/sample_problem.h"

namespace problem {
namespace {

namespace fs = std::filesystem;

// What the reader derives, set to values it never gives, for the entries the
// counts name (a problem built anew starts from a zeroed one).
void scramble_derived_fields(ProblemData& problem) {
  problem.gravity_factor = -1.0f;
  problem.settlement_factor = -1.0f;
  for (int i = 0; i <= problem.layer_count; ++i) problem.boundary_depths[i] = -7.0f;
  for (int m = 1; m <= problem.spread_area_count; ++m) {
    if (problem.area_count + m < 1) continue;
    LoadedArea& area = problem.areas[problem.area_count + m];
    area.shape = 9;
    area.depth_reference = 9;
    testing_support::set_text(area.area_id, "JUNK");
  }
}

// Every case that reads to its end, or to its data errors, built anew from
// its values alone: the derived fields and the checks agree with the reader.
TEST(BuiltProblem, AgreesWithTheReaderOnEveryExampleAndEndToEndCase) {
  int compared = 0;
  for (const fs::path& folder : testing_support::reviewed_case_folders(
           SETTLE_EXAMPLES, fs::path(SETTLE_TEST_DATA) / "e2e")) {
    SCOPED_TRACE(folder.filename().string());
    ReadResult read_back;
    try {
      read_back = testing_support::read_problem_text(
          testing_support::read_file(folder / testing_support::case_problem_file(folder)));
    } catch (const layout::FatalError&) {
      continue;
    }
    if (read_back.stop && std::holds_alternative<LimitFault>(*read_back.stop)) continue;
    ++compared;
    ProblemData built = *read_back.problem;
    scramble_derived_fields(built);
    derive_read_fields(built);
    // A reading stopped by data errors never reached the spread areas.
    if (read_back.stop) built.spread_area_count = 0;
    EXPECT_EQ(testing_support::differences(*read_back.problem, built), std::vector<std::string>());

    const std::optional<InputFault> fault = check_built_problem(built);
    ASSERT_EQ(fault.has_value(), read_back.stop.has_value());
    if (!fault) continue;
    const auto& expected = std::get<DataErrors>(*read_back.stop);
    const auto& got = std::get<DataErrors>(*fault);
    ASSERT_EQ(got.wrong_shape.size(), expected.wrong_shape.size());
    ASSERT_EQ(got.off_boundary.size(), expected.off_boundary.size());
    for (std::size_t n = 0; n < got.wrong_shape.size(); ++n) {
      EXPECT_EQ(got.wrong_shape[n].position, expected.wrong_shape[n].position);
      EXPECT_EQ(got.wrong_shape[n].line, 0);
    }
    for (std::size_t n = 0; n < got.off_boundary.size(); ++n) {
      EXPECT_EQ(got.off_boundary[n].position, expected.off_boundary[n].position);
    }
  }
  EXPECT_GE(compared, 15);
}

// The first fault in the reader's order, one change to the sample at a time.
TEST(BuiltProblem, ReportsTheFirstLimitFaultInTheReadersOrder) {
  struct Case {
    int line;
    void (*change)(ProblemData&);
    Limit limit;
    std::int64_t value;
    std::int32_t item;
  };
  const Case cases[] = {
      {__LINE__, [](ProblemData& p) { p.point_count = 151; }, Limit::kPoints, 151, 0},
      {__LINE__, [](ProblemData& p) { p.layers[2].curve_index = 51; }, Limit::kCurveIndex, 51, 2},
      // The curve position of a layer comes before the depth of the profile.
      {__LINE__,
       [](ProblemData& p) {
         p.layers[2].bottom_depth = 1000.0f;
         p.layers[1].curve_index = 0;
       },
       Limit::kCurveIndex, 0, 1},
      {__LINE__, [](ProblemData& p) { p.layers[2].bottom_depth = 1000.0f; }, Limit::kSublayers,
       2000, 0},
      {__LINE__, [](ProblemData& p) { p.curves[2].point_count = 49; }, Limit::kCurvePoints, 49, 2},
      {__LINE__, [](ProblemData& p) { p.spread_area_count = 150; }, Limit::kTotalAreas, 151, 0},
      {__LINE__, [](ProblemData& p) { p.spread_depth_reference = 4; }, Limit::kDepthReference, 4,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ProblemData problem =
        *testing_support::read_problem_text(testing_support::kSampleProblem).problem;
    c.change(problem);
    derive_read_fields(problem);
    const std::optional<InputFault> fault = check_built_problem(problem);
    ASSERT_TRUE(fault);
    const auto* limit = std::get_if<LimitFault>(&*fault);
    ASSERT_NE(limit, nullptr);
    EXPECT_EQ(limit->limit, c.limit);
    EXPECT_EQ(limit->value, c.value);
    EXPECT_EQ(limit->item, c.item);
    EXPECT_EQ(limit->line, 0);
  }
}

TEST(BuiltProblem, DataErrorsComeBeforeTheAreaTotal) {
  ProblemData problem =
      *testing_support::read_problem_text(testing_support::kSampleProblem).problem;
  problem.areas[1].elevation = 3.0f;
  problem.spread_area_count = 150;
  derive_read_fields(problem);
  const std::optional<InputFault> fault = check_built_problem(problem);
  ASSERT_TRUE(fault);
  const auto* errors = std::get_if<DataErrors>(&*fault);
  ASSERT_NE(errors, nullptr);
  ASSERT_EQ(errors->off_boundary.size(), 1u);
  EXPECT_EQ(errors->off_boundary[0].area_id.view(), "A1  ");
}

TEST(BuiltProblem, DerivedFieldsFollowTheValuesChanged) {
  ProblemData problem =
      *testing_support::read_problem_text(testing_support::kSampleProblem).problem;
  problem.unit_system = kSiAbsolute;
  problem.layers[1].bottom_depth = 2.0f;
  problem.points[1].start_layer = 2;
  derive_read_fields(problem);
  EXPECT_EQ(problem.gravity_factor, 9.80665f);
  EXPECT_EQ(problem.settlement_factor, 1000.0f);
  EXPECT_EQ(problem.boundary_depths[1], 2.0f);
  // below 2.0: four sublayers above
  EXPECT_EQ(testing_support::classic_profile_of(problem).points[1].start_sublayer, 5);
}

}  // namespace
}  // namespace problem
