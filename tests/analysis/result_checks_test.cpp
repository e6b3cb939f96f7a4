// The values that stop a run before anything is written: each fault of the
// sample's problem changed in one line names the item and the line.
#include "analysis/result_checks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <variant>

#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "run/problem_analysis.h"
#include "support/sample_problem.h"

namespace analysis {
namespace {

using problem::ValueFaultKind;

// The sample with the first `from` replaced by `to`, read and analysed.
run::ProblemAnalysis analysed(const std::string& from, const std::string& to) {
  std::string text = testing_support::kSampleProblem;
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  std::istringstream in(text);
  layout::RecordReader input(in, 5, "problem.dat");
  std::ostringstream echo;
  layout::RecordWriter console(echo, "\n", layout::kConsoleUnit, "");
  return run::analyse_problem_file(input, &console);
}

TEST(ResultChecks, EachValueOfNoMeaningStopsOnItsItemAndLine) {
  const struct {
    int line;
    std::string from, to;
    ValueFaultKind kind;
    int fault_line, position, row;
  } cases[] = {
      {__LINE__, "2 10.0 115.0 2 0.8", "2 10.0 115.0 2 -0.8",
       ValueFaultKind::kNegativeThicknessFactor, 6, 2, 0},
      {__LINE__, "8.0 8.0", "100.0 8.0", ValueFaultKind::kCurveStrain, 11, 1, 3},
      {__LINE__, "10.0 20.0 0.0 2.0", "10.0 20.0 1e20 2.0", ValueFaultKind::kAreaVanishes, 17, 1,
       0},
      {__LINE__, "0.0 2.0 0.0\n", "0.0 3e38 0.0\n", ValueFaultKind::kStressNotFinite, 15, 1, 1},
      {__LINE__, "1 0.0 0.0 1\n", "1 3e38 0.0 1\n", ValueFaultKind::kStressNotFinite, 15, 1, 1},
      // An unloading larger than the overburden pressure, on the point curve.
      {__LINE__, "0.0 2.0 0.0\n", "0.0 -2.0 0.0\n", ValueFaultKind::kPressureNotPositive, 15, 1, 1},
      // No soil weighs anything: layer 2's log slope line measures from 0.
      {__LINE__, "1 4.0 120.0 1 1.0\n2 10.0 115.0", "1 4.0 0.0 1 1.0\n2 10.0 0.0",
       ValueFaultKind::kPressureNotPositive, 15, 1, 9},
      // 200 % a cycle on layer 2's slope line: a strain increase past 100 %.
      {__LINE__, "ESTIMATED\n2.5", "ESTIMATED\n200.0", ValueFaultKind::kSublayerStrain, 15, 1, 9},
      // The curve extended far past its last point reaches 100 %.
      {__LINE__, "0.0 2.0 0.0\n", "0.0 1e15 0.0\n", ValueFaultKind::kSublayerStrain, 15, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const run::ProblemAnalysis outcome = analysed(c.from, c.to);
    ASSERT_TRUE(outcome.stop.has_value());
    const auto* fault = std::get_if<problem::ValueFault>(&*outcome.stop);
    ASSERT_NE(fault, nullptr);
    EXPECT_EQ(fault->kind, c.kind);
    EXPECT_EQ(fault->line, c.fault_line);
    EXPECT_EQ(fault->position, c.position);
    EXPECT_EQ(fault->row, c.row);
  }
}

TEST(ResultChecks, TheSampleAndItsNearNeighboursPass) {
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"8.0 8.0", "99.0 8.0"},
                                 {"2 10.0 115.0 2 0.8", "2 10.0 115.0 2 0.0"},
                                 {"10.0 20.0 0.0 2.0", "10.0 20.0 1e3 2.0"}}) {
    SCOPED_TRACE(to);
    EXPECT_FALSE(analysed(from, to).stop.has_value());
  }
}

TEST(ResultChecks, APlaceOfNoFiniteSettlementIsNamed) {
  const float x[] = {0.0f, 1.0f, 2.0f};
  const float y[] = {5.0f, 6.0f, 7.0f};
  const float total[] = {0.5f, std::numeric_limits<float>::quiet_NaN(), 0.25f};
  const auto fault = find_place_fault(x, y, total);
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->kind, ValueFaultKind::kPlaceNotFinite);
  EXPECT_EQ(fault->value, 1.0f);
  EXPECT_EQ(fault->other, 6.0f);
  EXPECT_FALSE(find_place_fault(std::span<const float>(x, 1), std::span<const float>(y, 1),
                                std::span<const float>(total, 1)));
}

}  // namespace
}  // namespace analysis
