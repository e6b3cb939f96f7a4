// The warnings of values almost certainly typed wrong, each from the sample
// changed in one line, and the ranges' ends that pass.
#include "problem/plausibility_warnings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/problem_reading.h"
#include "support/sample_problem.h"

namespace problem {
namespace {

// The kinds and lines of the plausibility warnings of the sample with `from`
// replaced by `to`.
std::vector<std::pair<InputWarningKind, int>> warned(const std::string& from,
                                                     const std::string& to) {
  std::string text = testing_support::kSampleProblem;
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  const ReadResult read = testing_support::read_problem_text(text);
  std::vector<InputWarning> found;
  find_plausibility_warnings(*read.problem, read.lines, found);
  std::vector<std::pair<InputWarningKind, int>> kinds;
  for (const InputWarning& w : found) kinds.emplace_back(w.kind, w.line);
  return kinds;
}

using K = InputWarningKind;

TEST(PlausibilityWarnings, EachValueTypedWrongIsNamedOnItsLine) {
  const struct {
    int line;
    std::string from, to;
    std::vector<std::pair<InputWarningKind, int>> expected;
  } cases[] = {
      {__LINE__, "\n1\n2 2", "\n3\n2 2", {{K::kUnitSystemNotKnown, 3}}},
      {__LINE__, "1 4.0 120.0", "1 4.0 39.9", {{K::kUnitWeightImplausible, 5}}},
      {__LINE__, "1 4.0 120.0", "1 4.0 170.5", {{K::kUnitWeightImplausible, 5}}},
      {__LINE__,
       "\n1\n2 2",
       "\n2\n2 2",
       {{K::kUnitWeightImplausible, 5}, {K::kUnitWeightImplausible, 6}}},  // lb/ft3 as kN/m3
      {__LINE__, "0.0 2.0 0.0\n", "0.0 80.5 0.0\n", {{K::kLoadingFarBeyondCurves, 17}}},
      {__LINE__, "1 0.0 0.0 1\n", "1 0.0 0.0 1000\n", {{K::kPrintsAsAsterisks, 15}}},
      {__LINE__, "10.0 20.0 0.0 2.0", "10000.0 20.0 0.0 2.0", {{K::kPrintsAsAsterisks, 17}}},
      {__LINE__, "1 3\n", "1000 3\n", {{K::kPrintsAsAsterisks, 7}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(warned(c.from, c.to), c.expected);
  }
}

TEST(PlausibilityWarnings, TheEndsOfTheRangesPass) {
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"1 4.0 120.0", "1 4.0 40.0"},
                                 {"1 4.0 120.0", "1 4.0 170.0"},
                                 {"0.0 2.0 0.0\n", "0.0 80.0 0.0\n"},
                                 {"1 0.0 0.0 1\n", "1 99999.99 0.0 1\n"}}) {
    SCOPED_TRACE(to);
    EXPECT_TRUE(warned(from, to).empty());
  }
  // S.I. weights as the file gives them, kept times 101.972.
  EXPECT_TRUE(warned("\n1\n2 2 1 1\n1 4.0 120.0 1 1.0\n2 10.0 115.0",
                     "\n2\n2 2 1 1\n1 4.0 6.0 1 1.0\n2 10.0 27.0")
                  .empty());
}

TEST(PlausibilityWarnings, RepeatedPointNumbersAndIdentifiersNameTheEarlierLine) {
  std::string text = testing_support::kSampleProblem;
  text.replace(text.find("2 2 1 1"), 7, "2 2 2 2");
  text.replace(text.find("1 0.0 0.0 1\n"), 12, "1 0.0 0.0 1\n1 3.0 0.0 1\n");
  text.replace(text.find("0.0 2.0 0.0\n"), 12, "0.0 2.0 0.0\nA1\n1 9.0 0.0 2.0 2.0 0.0 1.0 0.0\n");
  const ReadResult read = testing_support::read_problem_text(text);
  std::vector<InputWarning> found;
  find_plausibility_warnings(*read.problem, read.lines, found);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].kind, K::kPointNumberRepeated);
  EXPECT_EQ(found[0].first_line, 15);
  EXPECT_EQ(found[1].kind, K::kAreaIdRepeated);
  EXPECT_EQ(found[1].first_line, 18);
}

}  // namespace
}  // namespace problem
