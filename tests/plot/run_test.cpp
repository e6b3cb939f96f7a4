// settle-plot run in the folder of every reviewed case: the same console and
// exit status as settle, no report, auxiliary or trace file, and a page only
// when settle's run came to its normal end.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "plot_test_support.h"
#include "support/record_lines.h"
#include "support/run_in_folder.h"

namespace {

using testing_support::lines_of;

namespace fs = std::filesystem;
using testing_support::read_file;
using testing_support::run_in_folder;
using testing_support::TempFolder;

std::vector<fs::path> case_folders() {
  return testing_support::reviewed_case_folders(SETTLE_EXAMPLES, fs::path(SETTLE_TEST_DATA) / "e2e");
}

class PlotRun : public ::testing::TestWithParam<fs::path> {};

TEST_P(PlotRun, EchoesAsSettleAndWritesOnlyThePage) {
  const fs::path& source = GetParam();
  TempFolder folder;
  plot_test::copy_case(source, folder.path());
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE);

  const fs::path expected = source / "expected";
  const std::string status = fs::exists(expected / "exit_status") ? read_file(expected / "exit_status") : "0";
  EXPECT_EQ(run.exit_status, std::stoi(status));
  const std::string console =
      testing_support::with_run_folder(read_file(expected / "console.txt"), folder.path());
  // Settle's console first; what settle puts into its report on a stop follows.
  ASSERT_GE(run.console.size(), console.size()) << run.console;
  EXPECT_EQ(run.console.substr(0, console.size()), console);

  const std::vector<std::string> names = lines_of(read_file(folder.path() / "names.dat"));
  for (std::size_t k = 1; k < std::min<std::size_t>(names.size(), 4); ++k) {
    EXPECT_FALSE(fs::exists(folder.path() / names[k])) << names[k] << " was written";
  }
  // A run that reached its end leaves "END" in settle's auxiliary file.
  bool completed = false;
  for (const auto& entry : fs::directory_iterator(expected)) {
    const std::string text = read_file(entry.path());
    if (text.size() >= 5 && text.substr(text.size() - 5) == "END\r\n") completed = true;
  }
  EXPECT_EQ(fs::exists(folder.path() / "settlement.html"), completed);
}

std::string case_name(const ::testing::TestParamInfo<fs::path>& info) {
  std::string name = info.param.parent_path().filename().string() + "_" + info.param.filename().string();
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PlotRun, ::testing::ValuesIn(case_folders()), case_name);

// The data-error and pressure-error stops explain themselves on the console.
TEST(PlotRunStops, ShowTheReportsExplanationOnTheConsole) {
  const struct {
    int line;
    const char* folder;
    const char* text;
  } cases[] = {
      {__LINE__, "data_errors", "THE SHAPE IS INCORRECT FOR THESE LOADED AREAS:"},
      {__LINE__, "data_errors", "THE FOLLOWING LOADED AREAS ARE NOT AT A LAYER 'BOUNDARY;"},
      {__LINE__, "pressure_error", "THE VERTICAL PRESSURE SHOULD BE GREATER THAN 0.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    TempFolder folder;
    plot_test::copy_case(fs::path(SETTLE_TEST_DATA) / "e2e" / c.folder, folder.path());
    const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE);
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_NE(run.console.find(c.text), std::string::npos) << run.console;
  }
}

TEST(PlotCommandLine, HelpExplainsThePageAndWritesNothing) {
  TempFolder folder;
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"--help"});
  ASSERT_EQ(run.exit_status, 0);
  const std::string help = run.output;
  EXPECT_NE(help.find("settlement.html"), std::string::npos);
  EXPECT_NE(help.find("names.dat"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder.path() / "settlement.html"));
}

TEST(PlotCommandLine, WritesTheNamedPage) {
  TempFolder folder;
  plot_test::copy_case(fs::path(SETTLE_EXAMPLES) / "sample", folder.path());
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"basin.html"});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_TRUE(fs::exists(folder.path() / "basin.html"));
  EXPECT_FALSE(fs::exists(folder.path() / "settlement.html"));
}

TEST(PlotCommandLine, UnknownOptionsAndExtraArgumentsAreRefused) {
  TempFolder folder;
  plot_test::copy_case(fs::path(SETTLE_EXAMPLES) / "sample", folder.path());
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--frobnicate"}, std::vector<std::string>{"a.html", "b.html"}}) {
    const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, arguments);
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_NE(run.console.find("usage: settle-plot"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(folder.path() / "settlement.html"));
}

TEST(PlotCommandLine, AnUnwritablePageIsReportedWithStatusOne) {
  TempFolder folder;
  plot_test::copy_case(fs::path(SETTLE_EXAMPLES) / "sample", folder.path());
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"no-such-folder/page.html"});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_NE(run.console.find("settle-plot: cannot write the page"), std::string::npos) << run.console;
}

}  // namespace
