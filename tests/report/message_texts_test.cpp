#include "report/message_texts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/record_lines.h"

namespace report {
namespace {

using problem::InputWarningKind;

TEST(MessageTexts, EachInputWarningSaysWhatIsWrongAndWhatFollows) {
  const struct {
    int line;
    problem::InputWarning warning;
    std::int32_t unit_system;
    std::string text;
  } cases[] = {
      {__LINE__,
       [] {
         auto w = problem::input_warning(InputWarningKind::kPartOfAHalfUnit, 5, 1, 1);
         w.value = 3.3f;
         w.lost = 0.29999995f;
         w.other = 6.0f;
         w.profile_end = 5.5f;
         return w;
       }(),
       problem::kUsGravitational,
       "layer 1 is 3.3 ft thick, not a whole number of half units: its lowest 0.3 ft is not "
       "analysed and every sublayer below lies that much higher than its layer; the sublayers "
       "end at 5.5 ft, the profile at 6 ft"},
      {__LINE__,
       [] {
         auto w = problem::input_warning(InputWarningKind::kCurveNotGiven, 6, 2, 2);
         w.value = 3.0f;
         w.other = 0.0f;
         w.count = 4;
         return w;
       }(),
       problem::kSiAbsolute,
       "layer 2 refers to soil compressibility 3, but none is given: its 4 sublayers settle "
       "nothing"},
      {__LINE__,
       [] {
         auto w = problem::input_warning(InputWarningKind::kValuesLeftOver, 5);
         w.count = 1;
         w.position = 5;
         return w;
       }(),
       problem::kUsGravitational,
       "1 value is left over after the 5 values this record takes, and ignored (a decimal "
       "comma, as in 2,5, is the usual cause)"},
      {__LINE__,
       [] {
         auto w = problem::input_warning(InputWarningKind::kUnitWeightNotPositive, 5, 1, 1);
         w.value = 0.0f;
         return w;
       }(),
       problem::kSiAbsolute,
       "layer 1 has a unit weight of 0 kN/m3: its soil adds nothing (or less) to the overburden "
       "pressure, and a settlement on a logarithmic slope line from a pressure of 0 is infinite"},
      {__LINE__,
       [] {
         auto w = problem::input_warning(InputWarningKind::kAreaWithoutLoading, 12, 3);
         testing_support::set_text(w.area_id, " B2");
         return w;
       }(),
       problem::kUsGravitational, "area B2 has a loading of 0: it adds no stress"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(input_warning_text(c.warning, c.unit_system), c.text);
  }
}

TEST(MessageTexts, AWarnedPointIsOneLineWithItsSidesDepthsAndCurves) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem::set_unit_system(*problem, problem::kUsGravitational);
  problem->point_count = 2;
  problem->points[1].point_number = 7;
  problem->points[2].point_number = 8;
  analysis::ClassicProfile profile;
  profile.stress_depths.resize(13);
  for (int m = 1; m <= 6; ++m) profile.stress_depths[2 * m] = 0.5f * static_cast<float>(m) - 0.25f;
  problem::SourceLines lines;
  lines.points[1] = 40;
  lines.points[2] = 41;
  auto results = std::make_unique<analysis::AnalysisResults>();
  const auto add = [&](int point, int sublayer, std::int32_t curve, analysis::CurveSide side) {
    analysis::StrainWarning w;
    w.point = point;
    w.sublayer = sublayer;
    w.curve = curve;
    w.side = side;
    results->strain_warnings.push_back(w);
  };
  add(1, 1, 1, analysis::CurveSide::kBelow);
  add(1, 2, 1, analysis::CurveSide::kBelow);
  add(1, 5, 2, analysis::CurveSide::kAbove);
  add(1, 6, 3, analysis::CurveSide::kAbove);
  add(2, 3, 1, analysis::CurveSide::kBelow);
  const auto texts = strain_warning_texts(*problem, lines, profile, *results);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].line, 40);
  EXPECT_EQ(texts[0].text,
            "point 7: 2 sublayers below their curve, soil compressibility 1, at depths 0.25 to "
            "0.75 ft: the curve's first strain is used there; 2 sublayers above their curves, "
            "soil compressibilities 2, 3, at depths 2.25 to 2.75 ft: the curve's last segment is "
            "extended there");
  EXPECT_EQ(texts[1].text,
            "point 8: 1 sublayer below its curve, soil compressibility 1, at depth 1.25 ft: the "
            "curve's first strain is used there");
}

TEST(MessageTexts, FaultsOfAStopNameTheirLines) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem->layer_count = 1;
  problem->boundary_depths[1] = 4.0f;
  problem::DataErrors errors;
  problem::ListedArea wrong;
  wrong.shape = 3;
  wrong.line = 9;
  testing_support::set_text(wrong.area_id, "S1");
  problem::ListedArea off = wrong;
  off.shape = 1;
  off.elevation = 3.5f;
  off.line = 7;
  errors.wrong_shape.push_back(wrong);
  errors.off_boundary.push_back(off);
  const auto texts = input_fault_texts(*problem, errors);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].line, 7);  // in the order of the file
  EXPECT_EQ(texts[0].text, "area S1 is loaded at 3.5 ft, which is no layer boundary (0, 4 ft)");
  EXPECT_EQ(texts[1].text,
            "area S1 has shape 3; a regular area is a rectangle (1) or a circle (2)");

  const auto limit =
      input_fault_texts(*problem, problem::LimitFault{problem::Limit::kCurvePoints, 49, 6, 12});
  ASSERT_EQ(limit.size(), 1u);
  EXPECT_EQ(limit[0].line, 12);
  EXPECT_EQ(limit[0].text, "soil compressibility 6 has 49 points; the limit is 48");
}

}  // namespace
}  // namespace report
