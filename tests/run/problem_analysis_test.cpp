// The sequence every program runs on a problem file, on its own: a complete
// analysis gives the values the reviewed reports print, and each kind of
// stop comes back with its cause.
#include "run/problem_analysis.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "layout/render.h"
#include "support/record_lines.h"
#include "support/run_in_folder.h"

namespace run {
namespace {

namespace fs = std::filesystem;

struct Analysed {
  ProblemAnalysis analysis;
  std::string console;
};

Analysed analyse(const fs::path& problem_file) {
  std::ifstream file(problem_file, std::ios::binary);
  EXPECT_TRUE(file) << problem_file;
  layout::RecordReader input(file, 5, problem_file.string());
  std::ostringstream console_text;
  layout::RecordWriter console(console_text, "\n", layout::kConsoleUnit, "");
  ProblemAnalysis analysis = analyse_problem_file(input, &console);
  return {std::move(analysis), console_text.str()};
}

// The rows of Tables 6 and 7 and the total rows of a report, in order.
struct PrintedTables {
  std::vector<std::string> table_6;
  std::vector<std::string> table_7;
  std::vector<std::string> totals;
};

PrintedTables printed_tables(const fs::path& report) {
  static const std::regex kRow("^ {8}[ 0-9.-]{7} {5}.*$");
  PrintedTables printed;
  int table = 0;
  for (std::string line : testing_support::lines_of(testing_support::read_file(report))) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find("TABLE 6") != std::string::npos) table = 6;
    if (line.find("TABLE 7") != std::string::npos) table = 7;
    if (table == 7 && line.rfind("          TOTAL(", 0) == 0) printed.totals.push_back(line);
    if (table >= 6 && std::regex_match(line, kRow)) {
      (table == 6 ? printed.table_6 : printed.table_7).push_back(line);
    }
  }
  return printed;
}

// The 8-column fields from column 21 on.
std::vector<std::string> fields(const std::string& row) {
  std::vector<std::string> out;
  for (std::size_t at = 20; at < row.size(); at += 8) out.push_back(row.substr(at, 8));
  return out;
}

std::string f8_3(float value) { return layout::format_fixed(value, 8, 3); }

class ProblemAnalysisOfExample : public ::testing::TestWithParam<std::string> {};

TEST_P(ProblemAnalysisOfExample, ResultsAreTheValuesTheReviewedReportPrints) {
  const fs::path folder = fs::path(SETTLE_EXAMPLES) / GetParam();
  const std::string name = GetParam() == "si_units" ? "raft" : GetParam();
  const Analysed run = analyse(folder / (name + ".dat"));
  ASSERT_FALSE(run.analysis.stopped());
  ASSERT_NE(run.analysis.results, nullptr);
  const problem::ProblemData& problem = *run.analysis.problem;
  const analysis::AnalysisResults& results = *run.analysis.results;
  const PrintedTables printed = printed_tables(folder / "expected" / (name + ".rpt"));

  const int n = run.analysis.profile->sublayer_count();
  const int blocks = (problem.point_count + 6) / 7;
  ASSERT_EQ(printed.table_6.size(), static_cast<std::size_t>(blocks * n));
  ASSERT_EQ(printed.table_7.size(), static_cast<std::size_t>(blocks * n));
  ASSERT_EQ(printed.totals.size(), static_cast<std::size_t>(blocks));
  for (int b = 0; b < blocks; ++b) {
    const int first = 7 * b + 1;
    for (int m = 1; m <= n; ++m) {
      const std::size_t row = static_cast<std::size_t>(b * n + m - 1);
      const auto stresses = fields(printed.table_6[row]);
      const auto settlements = fields(printed.table_7[row]);
      for (std::size_t i = 0; i < stresses.size(); ++i) {
        const int j = first + static_cast<int>(i);
        SCOPED_TRACE("point " + std::to_string(j) + ", sublayer " + std::to_string(m));
        EXPECT_EQ(stresses[i], f8_3(results.average_stress_increase[j][m]));
        EXPECT_EQ(settlements[i], f8_3(results.sublayer_settlement[j][m]));
      }
    }
    const auto totals = fields(printed.totals[static_cast<std::size_t>(b)]);
    for (std::size_t i = 0; i < totals.size(); ++i) {
      EXPECT_EQ(totals[i], f8_3(results.total_settlement[first + static_cast<int>(i)]));
    }
  }
  // The console carries the echo and nothing else of the analysis: the
  // program's own lines, which begin with its name, are the driver's.
  std::string echo;
  for (const std::string& line :
       testing_support::lines_of(testing_support::read_file(folder / "expected" / "console.txt"))) {
    if (line.rfind("settle: ", 0) != 0) echo += line + "\n";
  }
  EXPECT_EQ(run.console, echo.substr(std::string("          EXECUTION IN PROGRESS\n\n").size()));
}

INSTANTIATE_TEST_SUITE_P(Examples, ProblemAnalysisOfExample,
                         ::testing::Values("sample", "si_units", "large"));

TEST(ProblemAnalysis, EachStopComesBackWithItsCause) {
  const fs::path cases = fs::path(SETTLE_TEST_DATA) / "e2e";
  {
    const Analysed run = analyse(cases / "data_errors" / "problem.dat");
    ASSERT_TRUE(run.analysis.stopped());
    const auto* errors = std::get_if<problem::DataErrors>(&*run.analysis.stop);
    ASSERT_NE(errors, nullptr);
    EXPECT_EQ(errors->wrong_shape.size(), 11u);
    EXPECT_EQ(errors->off_boundary.size(), 2u);
    EXPECT_EQ(run.analysis.results, nullptr);
  }
  {
    const Analysed run = analyse(cases / "curve_limit" / "problem.dat");
    ASSERT_TRUE(run.analysis.stopped());
    const auto* fault = std::get_if<problem::LimitFault>(&*run.analysis.stop);
    ASSERT_NE(fault, nullptr);
    EXPECT_EQ(fault->limit, problem::Limit::kCurvePoints);
    EXPECT_EQ(fault->value, 49);
    EXPECT_EQ(fault->item, 6);
    EXPECT_EQ(run.analysis.results, nullptr);
  }
  {
    const Analysed run = analyse(cases / "pressure_error" / "problem.dat");
    ASSERT_TRUE(run.analysis.stopped());
    const auto* fault = std::get_if<problem::PressureFault>(&*run.analysis.stop);
    ASSERT_NE(fault, nullptr);
    EXPECT_EQ(fault->curve, 2);
    EXPECT_EQ(fault->row, 3);
    EXPECT_EQ(fault->pressure, 0.0f);
    // The report shows Tables 1 and 2 before the curve: the profile is formed.
    EXPECT_GT(run.analysis.profile->sublayer_count(), 0);
    EXPECT_EQ(run.analysis.results, nullptr);
  }
}

TEST(ProblemAnalysis, AFaultyValueIsFatal) {
  const fs::path cases = fs::path(SETTLE_TEST_DATA) / "e2e";
  EXPECT_THROW(analyse(cases / "bad_number" / "problem.dat"), layout::FatalError);
  EXPECT_THROW(analyse(cases / "end_of_file" / "problem.dat"), layout::FatalError);
}

}  // namespace
}  // namespace run
