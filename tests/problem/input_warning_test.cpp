#include "problem/input_warning.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "problem/problem_reader.h"
#include "support/problem_reading.h"

namespace problem {
namespace {

std::vector<InputWarning> warnings_of(const std::string& file) {
  return testing_support::read_problem_text(file).warnings;
}

std::vector<InputWarningKind> kinds(const std::vector<InputWarning>& warnings) {
  std::vector<InputWarningKind> out;
  for (const InputWarning& w : warnings) out.push_back(w.kind);
  return out;
}

// A sound problem with one slope curve, one point and one rectangle, and the
// layer lines given.
std::string problem_with_layers(const std::string& counts, const std::string& layers) {
  return "T\n\n1\n" + counts + "\n" + layers +
         "1 0\nSLOPE\n2.5\n1 0 0 1\nA1\n1 0 0 4 4 0 2 0\n0\n0\n";
}

TEST(InputWarnings, ASoundProblemHasNone) {
  EXPECT_TRUE(
      warnings_of(problem_with_layers("2 1 1 1", "1 4.0 120 1 1\n2 9.5 110 1 1\n")).empty());
}

TEST(InputWarnings, LayersOutOfOrderOrNotWholeHalfUnits) {
  const auto w = warnings_of(problem_with_layers(
      "4 1 1 1", "1 4.0 120 1 1\n2 3.0 110 1 1\n3 6.3 110 1 1\n4 6.3 110 1 1\n"));
  ASSERT_EQ(kinds(w), (std::vector<InputWarningKind>{InputWarningKind::kLayerNotBelow,
                                                     InputWarningKind::kPartOfAHalfUnit,
                                                     InputWarningKind::kLayerNotBelow}));
  EXPECT_EQ(w[0].line, 6);
  EXPECT_EQ(w[0].number, 2);
  EXPECT_EQ(w[0].value, 3.0f);
  EXPECT_EQ(w[0].other, 4.0f);
  // Layer 3 runs from 3.0 to 6.3: 6 sublayers and 0.3 lost; the sublayers of
  // the profile end at 4.0 + 3.0 = 7.0, its last layer at 6.3.
  EXPECT_EQ(w[1].line, 7);
  EXPECT_NEAR(w[1].lost, 0.3, 1e-6);
  EXPECT_EQ(w[1].profile_end, 7.0f);
  EXPECT_EQ(w[1].other, 6.3f);
  EXPECT_EQ(w[2].number, 4);  // an empty layer is not below the one before
}

TEST(InputWarnings, CurveNotGivenAndWeightlessLayers) {
  const auto w =
      warnings_of(problem_with_layers("3 1 1 1", "1 2.0 120 2 1\n2 4.0 0 1 1\n3 5.0 -5 1 1\n"));
  ASSERT_EQ(kinds(w), (std::vector<InputWarningKind>{InputWarningKind::kCurveNotGiven,
                                                     InputWarningKind::kUnitWeightNotPositive,
                                                     InputWarningKind::kUnitWeightNotPositive}));
  EXPECT_EQ(w[0].count, 4);  // the sublayers that settle nothing
  EXPECT_EQ(w[0].value, 2.0f);
  EXPECT_EQ(w[0].other, 1.0f);
  EXPECT_EQ(w[2].value, -5.0f);
}

TEST(InputWarnings, SiUnitWeightsAreNamedAsTheUserWroteThem) {
  const auto w = warnings_of("T\n\n2\n1 1 0 0\n1 2.0 -18.0 1 1\n1 0\nS\n2.5\n0\n0\n");
  ASSERT_EQ(w.size(), 1u);
  EXPECT_NEAR(w[0].value, -18.0, 1e-4);
}

TEST(InputWarnings, CurvesWhosePressuresDoNotRiseOrWhoseStrainsFall) {
  const auto w = warnings_of(
      "T\n\n1\n1 3 0 0\n1 2.0 120 1 1\n"
      "1 4\nA\n1 1\n2 2\n3 2\n4 1.5\n"  // pressure stays at 2, then falls: one warning
      "2 3\nB\n3 1\n2 2\n1 4\n"         // strain falls twice: one warning
      "3 2\nC\n1 1\n2 -1\n"             // a pressure below 0 stops the run on its own
      "0\n0\n");
  ASSERT_EQ(kinds(w), (std::vector<InputWarningKind>{InputWarningKind::kPressureNotRising,
                                                     InputWarningKind::kStrainFalling}));
  EXPECT_EQ(w[0].line, 10);
  EXPECT_EQ(w[0].count, 3);
  EXPECT_EQ(w[0].value, 2.0f);
  EXPECT_EQ(w[1].line, 15);
  EXPECT_EQ(w[1].count, 2);
  EXPECT_FLOAT_EQ(w[1].value, 2.0f);  // in percent
  EXPECT_FLOAT_EQ(w[1].other, 3.0f);
}

TEST(InputWarnings, PointsAndAreas) {
  const auto w = warnings_of(
      "T\n\n1\n1 1 3 4\n1 2.0 120 1 1\n1 0\nS\n2.5\n"
      "1 0 0 1\n2 0 0 0\n3 0 0 2\n"
      "R0\n1 0 0 0 4 0 2 0\nR1\n1 0 0 4 -1 0 2 0\nC0\n2 0 0 0 9 0 0 0\nOK\n2 0 0 3 0 0 2 0\n"
      "0\n0\n");
  ASSERT_EQ(kinds(w),
            (std::vector<InputWarningKind>{
                InputWarningKind::kStartLayerNotALayer, InputWarningKind::kStartLayerNotALayer,
                InputWarningKind::kAreaWithoutSize, InputWarningKind::kAreaWithoutSize,
                InputWarningKind::kAreaWithoutSize, InputWarningKind::kAreaWithoutLoading}));
  EXPECT_EQ(w[0].number, 2);
  EXPECT_EQ(w[0].count, 0);
  EXPECT_EQ(w[1].count, 2);
  EXPECT_FALSE(w[2].y_length);
  EXPECT_TRUE(w[3].y_length);
  EXPECT_EQ(w[3].value, -1.0f);
  EXPECT_EQ(w[4].area_id.view(), "C0  ");  // a circle's Y length is not its size
  EXPECT_EQ(w[5].area_id.view(), "C0  ");
}

TEST(InputWarnings, ValuesLeftOverOnAFreeFormLine) {
  const auto w = warnings_of(problem_with_layers("1 1 1 1 9", "1 2.0 120 1 2,5\n"));
  ASSERT_EQ(kinds(w), (std::vector<InputWarningKind>{InputWarningKind::kValuesLeftOver,
                                                     InputWarningKind::kValuesLeftOver}));
  EXPECT_EQ(w[0].line, 4);
  EXPECT_EQ(w[0].count, 1);
  EXPECT_EQ(w[0].position, 4);  // the values the record takes
  EXPECT_EQ(w[1].line, 5);
  EXPECT_EQ(w[1].position, 5);
}

TEST(InputWarnings, ALimitFaultLeavesOnlyWhatWasReadAsItWasRead) {
  // 26 layers stop the reading at once; nothing past the counts is looked at.
  EXPECT_TRUE(warnings_of("T\n\n1\n26 0 0 0\n").empty());
}

}  // namespace
}  // namespace problem
