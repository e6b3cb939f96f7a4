#include "problem/problem_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "layout/fatal_error.h"
#include "problem/problem_data.h"
#include "support/problem_reading.h"
#include "support/profile_builder.h"
#include "support/record_lines.h"
#include "support/sample_problem.h"

namespace problem {
namespace {

using testing_support::lines_of;

struct Reading {
  std::unique_ptr<ProblemData> problem;
  SourceLines lines;
  std::optional<InputFault> stop;
  std::vector<std::string> console;

  bool complete() const { return !stop.has_value(); }
};

Reading read(const std::string& file) {
  std::istringstream in(file);
  std::ostringstream console_out;
  ReadResult result = testing_support::read_problem_from(in, "/work/problem.dat", console_out);
  return {std::move(result.problem), result.lines, std::move(result.stop),
          lines_of(console_out.str())};
}

// The limit fault that stopped a reading; a test failure when there is none.
LimitFault limit_fault(const Reading& r) {
  const auto* fault = r.stop ? std::get_if<LimitFault>(&*r.stop) : nullptr;
  EXPECT_NE(fault, nullptr);
  return fault ? *fault : LimitFault{};
}

std::string padded(std::string text, std::size_t length) {
  text.resize(length, ' ');
  return text;
}

TEST(ProblemReader, ExampleFillsEveryField) {
  const Reading r = read(testing_support::kSampleProblem);
  ASSERT_TRUE(r.complete());
  const ProblemData& p = *r.problem;
  EXPECT_EQ(p.title[0].view(), padded("SAMPLE FOUNDATION", 68));
  EXPECT_EQ(p.title[1].view(), padded("TWO CLAY LAYERS", 68));
  EXPECT_EQ(p.unit_system, 1);
  EXPECT_EQ(p.gravity_factor, 1.0f);
  EXPECT_EQ(p.settlement_factor, 12.0f);
  EXPECT_EQ(p.layer_count, 2);
  EXPECT_EQ(p.curve_count, 2);
  EXPECT_EQ(p.point_count, 1);
  EXPECT_EQ(p.area_count, 1);
  EXPECT_EQ(p.spread_area_count, 1);
  EXPECT_EQ(p.spread_depth_reference, 2);

  EXPECT_EQ(p.layers[1].layer_number, 1);
  EXPECT_EQ(p.layers[1].bottom_depth, 4.0f);
  EXPECT_EQ(p.layers[1].unit_weight, 120.0f);
  EXPECT_EQ(p.layers[1].curve_index, 1);
  EXPECT_EQ(p.layers[1].thickness_factor, 1.0f);
  EXPECT_EQ(p.layers[2].layer_number, 2);
  EXPECT_EQ(p.layers[2].bottom_depth, 10.0f);
  EXPECT_EQ(p.layers[2].unit_weight, 115.0f);
  EXPECT_EQ(p.layers[2].curve_index, 2);
  EXPECT_EQ(p.layers[2].thickness_factor, 0.8f);
  EXPECT_EQ(p.boundary_depths[0], 0.0f);
  EXPECT_EQ(p.boundary_depths[1], 4.0f);
  EXPECT_EQ(p.boundary_depths[2], 10.0f);
  EXPECT_EQ(p.boundary_depths[3], 0.0f);

  const CompressibilityCurve& c1 = p.curves[1];
  EXPECT_EQ(c1.curve_number, 1);
  EXPECT_EQ(c1.point_count, 3);
  EXPECT_EQ(c1.source_text.view(), padded("LABORATORY TEST, BORING 1", 60));
  // Percent to fraction: the nearest single values of 0.01, 0.03 and 0.08.
  EXPECT_EQ(c1.strain[1], 0.01f);
  EXPECT_EQ(c1.strain[2], 0.03f);
  EXPECT_EQ(c1.strain[3], 0.08f);
  EXPECT_EQ(c1.strain[4], 0.0f);
  EXPECT_EQ(c1.pressure[1], 0.5f);
  EXPECT_EQ(c1.pressure[2], 2.0f);
  EXPECT_EQ(c1.pressure[3], 8.0f);
  EXPECT_EQ(c1.slope, 0.0f);
  const CompressibilityCurve& c2 = p.curves[2];
  EXPECT_EQ(c2.curve_number, 2);
  EXPECT_EQ(c2.point_count, 0);
  EXPECT_EQ(c2.source_text.view(), padded("ESTIMATED", 60));
  EXPECT_EQ(c2.slope, 0.025f);
  EXPECT_EQ(c2.strain[1], 0.0f);

  EXPECT_EQ(p.points[1].point_number, 1);
  EXPECT_EQ(p.points[1].x, 0.0f);
  EXPECT_EQ(p.points[1].y, 0.0f);
  EXPECT_EQ(p.points[1].start_layer, 1);

  const LoadedArea& a1 = p.areas[1];
  EXPECT_EQ(a1.area_id.view(), "A1  ");
  EXPECT_EQ(a1.shape, 1);
  EXPECT_EQ(a1.x, 0.0f);
  EXPECT_EQ(a1.y, 0.0f);
  EXPECT_EQ(a1.x_length, 10.0f);
  EXPECT_EQ(a1.y_length, 20.0f);
  EXPECT_EQ(a1.area_slope, 0.0f);
  EXPECT_EQ(a1.loading, 2.0f);
  EXPECT_EQ(a1.elevation, 0.0f);
  EXPECT_EQ(a1.depth_reference, 0);

  const LoadedArea& a2 = p.areas[2];
  EXPECT_EQ(a2.area_id.view(), "    ");
  EXPECT_EQ(a2.shape, 3);
  EXPECT_EQ(a2.depth_reference, 2);
  EXPECT_EQ(a2.x, 5.0f);
  EXPECT_EQ(a2.y, 5.0f);
  EXPECT_EQ(a2.x_length, 4.0f);
  EXPECT_EQ(a2.y_length, 4.0f);
  EXPECT_EQ(a2.elevation, 0.0f);
  EXPECT_EQ(a2.upper_depth, 0.0f);
  EXPECT_EQ(a2.lower_depth, 6.0f);
  EXPECT_EQ(a2.loading, 3.0f);
  EXPECT_EQ(a2.area_slope, 0.0f);

  // Where the records stood: the counts on line 4, the layers on 5 and 6,
  // curve 1 on 7 with its points on 9 to 11, the point on 15, the regular
  // area's values on 17, the spread control on 19 and the spread area on 20.
  EXPECT_EQ(r.lines.counts, 4);
  EXPECT_EQ(r.lines.layers[1], 5);
  EXPECT_EQ(r.lines.layers[2], 6);
  EXPECT_EQ(r.lines.curves[1], 7);
  EXPECT_EQ(r.lines.curve_points[1][1], 9);
  EXPECT_EQ(r.lines.curve_points[1][3], 11);
  EXPECT_EQ(r.lines.curves[2], 12);
  EXPECT_EQ(r.lines.points[1], 15);
  EXPECT_EQ(r.lines.areas[1], 17);
  EXPECT_EQ(r.lines.spread_control, 19);
  EXPECT_EQ(r.lines.areas[2], 20);
}

TEST(ProblemReader, ExampleEchoesLayersSourcesPointsAreasAndSpreadControl) {
  const Reading r = read(testing_support::kSampleProblem);
  // The echo's fields, one string each.
  // clang-format off
  const std::vector<std::string> expected = {
      "  0.0000000E+00" "   4.000000    " "  0.0000000E+00" "           1" "   120.0000    ",
      "           1" "   1.000000    ",
      "  0.0000000E+00" "   4.000000    " "   10.00000    " "           2" "   115.0000    ",
      "           2" "  0.8000000    ",
      padded("LABORATORY TEST, BORING 1", 60),
      padded("ESTIMATED", 60),
      "           1" "  0.0000000E+00" "  0.0000000E+00" "           1",
      " A1  " "           1" "  0.0000000E+00" "  0.0000000E+00" "   10.00000    " "   20.00000    ",
      "  0.0000000E+00" "   2.000000    " "  0.0000000E+00",
      "           1" "           2" "           1",
  };
  // clang-format on
  EXPECT_EQ(r.console, expected);
}

TEST(ProblemReader, RecordsMaySpreadOverLinesAndLeftoverValuesAreSkipped) {
  const Reading r = read(
      "T\n\n1\n2 0 0 0\n"
      "1 4.0\n  120.0 1\n1.0\n"    // one layer record over three lines
      "2 6.0 110.0 3 0.9 99 99\n"  // extra values on the line are ignored
      "0\n"
      "0 7\n");
  ASSERT_TRUE(r.complete());
  EXPECT_EQ(r.problem->layers[1].thickness_factor, 1.0f);
  EXPECT_EQ(r.problem->layers[2].layer_number, 2);
  EXPECT_EQ(r.problem->layers[2].curve_index, 3);
  EXPECT_EQ(r.problem->layers[2].thickness_factor, 0.9f);
  EXPECT_EQ(r.problem->spread_area_count, 0);
  EXPECT_EQ(r.problem->spread_depth_reference, 0);
}

TEST(ProblemReader, TitleLinesArePaddedOrCutToSixtyEightColumns) {
  const std::string long_line(80, 'X');
  const Reading r = read(long_line + "\n\n1\n0 0 0 0\n0\n0\n");
  ASSERT_TRUE(r.complete());
  EXPECT_EQ(r.problem->title[0].view(), std::string(68, 'X'));
  EXPECT_EQ(r.problem->title[1].view(), std::string(68, ' '));
}

TEST(ProblemReader, SiUnitWeightIsStoredAndEchoedAsMassDensity) {
  const Reading r = read("T\n\n2\n1 0 0 0\n1 3.0 18.0 1 1.0\n0\n0\n");
  ASSERT_TRUE(r.complete());
  EXPECT_EQ(r.problem->gravity_factor, 9.80665f);
  EXPECT_EQ(r.problem->settlement_factor, 1000.0f);
  EXPECT_NEAR(r.problem->layers[1].unit_weight, 1835.496, 1e-3);
  ASSERT_FALSE(r.console.empty());
  // clang-format off
  EXPECT_EQ(r.console[0], "  0.0000000E+00" "   3.000000    " "           1" "   1835.496    "
                          "           1");
  // clang-format on
}

TEST(ProblemReader, UnitSystemOtherThanTwoComputesInUsUnits) {
  const Reading r = read("T\n\n3\n1 0 0 0\n1 3.0 18.0 1 1.0\n0\n0\n");
  ASSERT_TRUE(r.complete());
  EXPECT_EQ(r.problem->unit_system, 3);
  EXPECT_EQ(r.problem->gravity_factor, 1.0f);
  EXPECT_EQ(r.problem->settlement_factor, 12.0f);
  EXPECT_EQ(r.problem->layers[1].unit_weight, 18.0f);
}

TEST(ProblemReader, StartSublayerIsTheFirstSublayerOfTheStartLayer) {
  const Reading r = read(
      "T\n\n1\n3 0 6 0\n"
      "1 2.0 120 1 1\n2 4.5 120 1 1\n3 9.0 120 1 1\n"
      "1 0 0 1\n2 0 0 3\n3 0 0 0\n4 0 0 4\n5 0 0 -1\n6 0 0 2\n"
      "0\n0\n");
  ASSERT_TRUE(r.complete());
  const std::int32_t expected[] = {0, 1, 10, 0, 0, 0, 5};
  const analysis::ClassicProfile profile = testing_support::classic_profile_of(*r.problem);
  for (int p = 1; p <= 6; ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(profile.points[p].start_sublayer, expected[p]);
  }
}

std::string curve_file(int points) {
  std::string file = "T\n\n1\n1 1 0 0\n1 4.0 120.0 1 1.0\n4 " + std::to_string(points) + "\nLAB\n";
  for (int j = 1; j <= points; ++j) file += std::to_string(j) + ".0 " + std::to_string(j) + "\n";
  return file + "0\n0\n";
}

TEST(ProblemReader, CurveOfFortyEightPointsIsRead) {
  const Reading r = read(curve_file(48));
  ASSERT_TRUE(r.complete());
  EXPECT_EQ(r.problem->curves[1].point_count, 48);
  EXPECT_EQ(r.problem->curves[1].strain[48], 0.48f);
  EXPECT_EQ(r.problem->curves[1].pressure[48], 48.0f);
}

TEST(ProblemReader, CurveOfFortyNinePointsStopsAfterItsSourceText) {
  const Reading r = read(curve_file(49));
  ASSERT_FALSE(r.complete());
  const LimitFault fault = limit_fault(r);
  EXPECT_EQ(fault.limit, Limit::kCurvePoints);
  EXPECT_EQ(fault.value, 49);
  EXPECT_EQ(fault.item, 4);  // the curve number
  EXPECT_EQ(fault.line, 6);
  // clang-format off
  const std::vector<std::string> expected_console = {
      "  0.0000000E+00" "   4.000000    " "           1" "   120.0000    " "           1",
      "   1.000000    ",
      padded("LAB", 60),
  };
  // clang-format on
  EXPECT_EQ(r.console, expected_console);
  EXPECT_EQ(r.problem->curves[1].strain[1], 0.0f);
}

TEST(ProblemReader, NegativeCountsReadNothing) {
  const Reading r = read("T\n\n1\n-1 -2 -3 -4\n-5\n9\n");
  ASSERT_TRUE(r.complete());
  EXPECT_EQ(r.problem->spread_area_count, -5);
  // clang-format off
  const std::vector<std::string> expected = {"          -5" "           9" "          -4"};
  // clang-format on
  EXPECT_EQ(r.console, expected);
}

TEST(ProblemReader, MissingRecordIsAFatalError) {
  EXPECT_THROW(read("T\n\n1\n1 0 0 0\n"), layout::FatalError);
}

TEST(ProblemReader, FaultyAreasStopAfterTheLastRegularAreaWithTheirLists) {
  const Reading r = read(
      "T\n\n1\n1 0 0 2\n1 4.0 120.0 1 1.0\n"
      "AB\n3 0 0 1 1 0 1 4.0\n"
      "CD\n1 0 0 1 1 0 1 4.0000005\n");  // the float just above 4.0
  ASSERT_FALSE(r.complete());
  ASSERT_EQ(r.problem->areas[2].elevation, std::nextafter(4.0f, 5.0f));
  const auto* errors = std::get_if<DataErrors>(&*r.stop);
  ASSERT_NE(errors, nullptr);
  ASSERT_EQ(errors->wrong_shape.size(), 1u);
  EXPECT_EQ(errors->wrong_shape[0].position, 1);
  EXPECT_EQ(errors->wrong_shape[0].area_id.view(), "AB  ");
  EXPECT_EQ(errors->wrong_shape[0].shape, 3);
  EXPECT_EQ(errors->wrong_shape[0].line, 7);
  ASSERT_EQ(errors->off_boundary.size(), 1u);
  EXPECT_EQ(errors->off_boundary[0].position, 2);
  EXPECT_EQ(errors->off_boundary[0].area_id.view(), "CD  ");
  EXPECT_EQ(errors->off_boundary[0].elevation, std::nextafter(4.0f, 5.0f));
  EXPECT_EQ(errors->off_boundary[0].line, 9);
  ASSERT_EQ(r.console.size(), 6u);  // the layer and the two areas, nothing more
  // clang-format off
  EXPECT_EQ(r.console[5], "  0.0000000E+00" "   1.000000    " "   4.000000    ");
  // clang-format on
}

TEST(ProblemReader, LimitFaultsStopTheReadingAsSoonAsTheValueIsRead) {
  const std::string head = "T\n\n1\n";
  const std::string layer = "1 4.0 120.0 1 1.0\n";
  const std::string area = "A1\n1 0 0 1 1 0 1 0.0\n";
  struct Case {
    int line;
    std::string file;
    std::size_t echo_lines;
    Limit limit;
    std::int64_t value;
    std::int32_t item;
    int fault_line;
  };
  const Case cases[] = {
      {__LINE__, head + "26 51 151 151\n", 0, Limit::kLayers, 26, 0, 4},
      {__LINE__, head + "25 51 151 151\n", 0, Limit::kCurves, 51, 0, 4},
      {__LINE__, head + "0 50 151 151\n", 0, Limit::kPoints, 151, 0, 4},
      {__LINE__, head + "0 0 150 151\n", 0, Limit::kRegularAreas, 151, 0, 4},
      {__LINE__, head + "2 1 0 0\n" + layer + "12 9.0 120.0 60 1.0\n", 4, Limit::kCurveIndex, 60,
       12, 6},
      {__LINE__, head + "1 1 0 0\n1 4.0 120.0 0 1.0\n", 2, Limit::kCurveIndex, 0, 1, 5},
      {__LINE__, head + "1 1 0 0\n1 4.0 120.0 -7 1.0\n", 2, Limit::kCurveIndex, -7, 1, 5},
      // 388.0 feet of soil in half-foot slices is one sublayer too many.
      {__LINE__, head + "2 1 0 0\n1 200.0 120.0 1 1.0\n2 388.0 120.0 1 1.0\n", 4, Limit::kSublayers,
       776, 0, 6},
      {__LINE__, head + "0 0 0 0\n151\n1\n", 1, Limit::kTotalAreas, 151, 0, 5},
      {__LINE__, head + "0 0 0 1\n" + area + "150\n9\n", 3, Limit::kTotalAreas, 151, 0, 7},
      {__LINE__, head + "0 0 0 0\n1\n4\n", 1, Limit::kDepthReference, 4, 0, 6},
      {__LINE__, head + "0 0 0 0\n1\n0\n", 1, Limit::kDepthReference, 0, 0, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    // Each file ends right after the faulty value: reading on would be fatal.
    const Reading r = read(c.file);
    const LimitFault fault = limit_fault(r);
    EXPECT_EQ(fault.limit, c.limit);
    EXPECT_EQ(fault.value, c.value);
    EXPECT_EQ(fault.item, c.item);
    EXPECT_EQ(fault.line, c.fault_line);
    EXPECT_EQ(r.console.size(), c.echo_lines);  // the echo alone: the fault is the caller's
  }
}

TEST(ProblemReader, LimitsThemselvesAreAccepted) {
  // 387.5 feet give exactly 775 sublayers; curve 50 is the last one there is;
  // without spread areas the depth reference option is not looked at.
  std::string file = "T\n\n1\n1 50 0 0\n1 387.5 120.0 50 1.0\n";
  for (int k = 1; k <= 50; ++k) file += "1 0\nSLOPE\n1.0\n";
  const Reading r = read(file + "0\n0\n");
  EXPECT_TRUE(r.complete());
  EXPECT_EQ(r.problem->curves[50].slope, 0.01f);
}

TEST(ProblemReader, FullTablesAreAccepted) {
  // 25 layers of 2.0 (100 sublayers), 150 points and 150 regular areas, each
  // table exactly full.
  std::string file = "T\n\n1\n25 1 150 150\n";
  for (int i = 1; i <= 25; ++i)
    file += std::to_string(i) + " " + std::to_string(2 * i) + ".0 120 1 1\n";
  file += "1 0\nSLOPE\n1.0\n";
  for (int p = 1; p <= 150; ++p) file += std::to_string(p) + " 0 0 1\n";
  for (int a = 1; a <= 150; ++a) file += "A" + std::to_string(a) + "\n1 0 0 1 1 0 1 0.0\n";
  const Reading r = read(file + "0\n0\n");
  ASSERT_TRUE(r.complete());
  EXPECT_EQ(r.problem->layer_count, kMaxLayers);
  EXPECT_EQ(r.problem->layers[kMaxLayers].bottom_depth, 50.0f);
  EXPECT_EQ(r.problem->point_count, kMaxPoints);
  EXPECT_EQ(r.problem->points[kMaxPoints].point_number, 150);
  EXPECT_EQ(r.problem->area_count, kMaxAreas);
  EXPECT_EQ(r.problem->areas[kMaxAreas].area_id.view(), "A150");
  // With the table full, one spread area is one area too many.
  const Reading over = read(file + "1\n1\n");
  EXPECT_EQ(limit_fault(over).limit, Limit::kTotalAreas);
}

}  // namespace
}  // namespace problem
