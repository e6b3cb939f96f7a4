#include "report/stop_report.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/record_lines.h"

namespace report {
namespace {

using testing_support::lines_of;

const std::string kFaultLine =
    "            THE NUMBER OF SOIL LAYERS    26 EXCEEDS THE LIMIT OF 25";

struct Written {
  std::vector<std::string> report;
  std::vector<std::string> console;
  std::vector<std::string> explanation;  // what settle-plot shows instead
};

Written write(const problem::InputFault& stop) {
  auto problem = std::make_unique<problem::ProblemData>();
  std::ostringstream report_text, console_text, explanation_text;
  layout::RecordWriter report(report_text, "\n", 6, "report.txt");
  layout::RecordWriter console(console_text, "\n", layout::kConsoleUnit, "");
  layout::RecordWriter explanation(explanation_text, "\n", layout::kConsoleUnit, "");
  const analysis::ClassicProfile profile;
  write_stop_report(report, console, *problem, &profile, stop);
  write_stop_explanation(explanation, stop);
  return {lines_of(report_text.str()), lines_of(console_text.str()),
          lines_of(explanation_text.str())};
}

TEST(StopReport, ALimitFaultGoesToTheReportAndTheConsole) {
  const Written w = write(problem::LimitFault{problem::Limit::kLayers, 26, 0, 4});
  EXPECT_EQ(w.report, (std::vector<std::string>{"", "", "", "", kFaultLine, "1"}));
  EXPECT_EQ(w.console, (std::vector<std::string>{"", "", "", "", kFaultLine}));
  EXPECT_EQ(w.explanation, w.console);
}

TEST(StopReport, DataErrorsGoToTheReportAlone) {
  problem::DataErrors errors;
  errors.off_boundary.emplace_back();
  testing_support::set_text(errors.off_boundary[0].area_id, "A7");
  const Written w = write(errors);
  const std::vector<std::string> lists = {
      "",
      "",
      "",
      "",
      "            THE FOLLOWING LOADED AREAS ARE NOT AT A LAYER 'BOUNDARY;",
      "",
      "          A7  "};
  std::vector<std::string> report = lists;
  report.push_back("1");
  EXPECT_EQ(w.report, report);
  EXPECT_TRUE(w.console.empty());
  EXPECT_EQ(w.explanation, lists);
}

TEST(StopReport, APressureFaultEndsTheReportInTable3WithTheErrorBlock) {
  const Written w = write(problem::PressureFault{});
  ASSERT_GE(w.report.size(), 6u);
  EXPECT_EQ(w.report.front(), "\f");  // Tables 1 and 2 open the report
  const std::vector<std::string> block = {
      "", "", "************ERROR**************", "THE VERTICAL PRESSURE SHOULD BE GREATER THAN 0.0",
      "", ""};
  EXPECT_TRUE(w.console.empty());
  EXPECT_EQ(w.explanation, block);
}

}  // namespace
}  // namespace report
