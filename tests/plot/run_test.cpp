// settle-plot run in the folder of every reviewed case: the same console and
// exit status as settle, no report, auxiliary or trace file, and a page only
// when settle's run came to its normal end.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/record_lines.h"
#include "support/run_in_folder.h"

namespace {

using testing_support::lines_of;

namespace fs = std::filesystem;
using testing_support::read_file;
using testing_support::run_in_folder;
using testing_support::TempFolder;

// The cases that ask settle for nothing but its run on names.dat.
std::vector<fs::path> case_folders() {
  std::vector<fs::path> folders;
  for (const fs::path& folder : testing_support::reviewed_case_folders(
           SETTLE_EXAMPLES, fs::path(SETTLE_TEST_DATA) / "e2e")) {
    if (testing_support::case_setup(folder).plain()) folders.push_back(folder);
  }
  return folders;
}

class PlotRun : public ::testing::TestWithParam<fs::path> {};

TEST_P(PlotRun, EchoesAsSettleAndWritesOnlyThePage) {
  const fs::path& source = GetParam();
  TempFolder folder;
  testing_support::copy_case_inputs(source, folder.path());
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE);

  const fs::path expected = source / "expected";
  const std::string status =
      fs::exists(expected / "exit_status") ? read_file(expected / "exit_status") : "0";
  // A map may meet what the points do not: a node where the settlement is
  // not a number stops settle-plot where settle, at its points, goes on.
  const std::string plot_status =
      fs::exists(source / "plot_exit_status") ? read_file(source / "plot_exit_status") : status;
  EXPECT_EQ(run.exit_status, std::stoi(plot_status));
  // Settle's console, its own lines under settle-plot's name, up to the last
  // line of a stop, which names settle's report; settle-plot shows the reasons
  // settle puts there instead, and a last line of its own.
  std::vector<std::string> settle_lines = lines_of(
      testing_support::with_run_folder(read_file(expected / "console.txt"), folder.path()));
  const bool stopped = std::stoi(status) == 3;
  if (stopped) settle_lines.pop_back();
  std::string console;
  for (std::string line : settle_lines) {
    if (line.rfind("settle: ", 0) == 0) line.replace(0, 6, "settle-plot");
    console += line + "\n";
  }
  ASSERT_GE(run.console.size(), console.size()) << run.console;
  EXPECT_EQ(run.console.substr(0, console.size()), console);
  if (stopped) {
    const std::vector<std::string> plot_lines = lines_of(run.console);
    EXPECT_EQ(plot_lines.back(),
              "settle-plot: the problem's data stopped the run; the reasons are above, and no "
              "page is written");
  }

  const std::vector<std::string> names = lines_of(read_file(folder.path() / "names.dat"));
  for (std::size_t k = 1; k < std::min<std::size_t>(names.size(), 4); ++k) {
    const fs::path output = folder.path() / names[k];
    const fs::path input = folder.path() / names[0];
    // An output named like the problem file stops the run, and is the problem file.
    if (fs::exists(output) && fs::exists(input) && fs::equivalent(output, input)) continue;
    EXPECT_FALSE(fs::exists(output)) << names[k] << " was written";
  }
  // A run that reached its end leaves "END" in settle's auxiliary file.
  bool completed = false;
  for (const auto& entry : fs::directory_iterator(expected)) {
    const std::string text = read_file(entry.path());
    if (text.size() >= 5 && text.substr(text.size() - 5) == "END\r\n") completed = true;
  }
  EXPECT_EQ(fs::exists(folder.path() / "settlement.html"), completed && plot_status == "0");
}

std::string case_name(const ::testing::TestParamInfo<fs::path>& info) {
  std::string name =
      info.param.parent_path().filename().string() + "_" + info.param.filename().string();
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
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
    testing_support::copy_case_inputs(fs::path(SETTLE_TEST_DATA) / "e2e" / c.folder, folder.path());
    const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE);
    EXPECT_EQ(run.exit_status, 3);
    EXPECT_NE(run.console.find(c.text), std::string::npos) << run.console;
  }
}

// A names.dat that settle cannot run ends settle-plot the same way, though it
// writes none of the files named there.
TEST(PlotRunStops, EndsAsSettleWhereSettleCannotOpenItsFiles) {
  const struct {
    int line;
    const char* names;
  } cases[] = {
      {__LINE__, "sample.dat\nno-such-folder/r.rpt\na.aux\nt.trc\n"},
      {__LINE__, "sample.dat\nr.rpt\nsub\nt.trc\n"},  // a folder
      {__LINE__, "sample.dat\nr.rpt\na.aux\n"},       // no trace name
      {__LINE__, "missing.dat\nr.rpt\na.aux\nt.trc\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    TempFolder settle_folder, plot_folder;
    for (const TempFolder* folder : {&settle_folder, &plot_folder}) {
      fs::copy_file(fs::path(SETTLE_EXAMPLES) / "sample" / "sample.dat",
                    folder->path() / "sample.dat");
      fs::create_directory(folder->path() / "sub");
      testing_support::write_file(folder->path() / "names.dat", c.names);
    }
    const auto settle = run_in_folder(settle_folder.path(), SETTLE_EXE);
    const auto plot = run_in_folder(plot_folder.path(), SETTLE_PLOT_EXE);
    EXPECT_EQ(settle.exit_status, 1);
    EXPECT_EQ(plot.exit_status, settle.exit_status);
    // The same lines, under settle-plot's name.
    std::string expected;
    for (std::string line : lines_of(settle.console)) {
      for (std::size_t at; (at = line.find(settle_folder.path().string())) != std::string::npos;) {
        line.replace(at, settle_folder.path().string().size(), plot_folder.path().string());
      }
      if (line.rfind("settle: ", 0) == 0) line.replace(0, 6, "settle-plot");
      expected += line + "\n";
    }
    EXPECT_EQ(plot.console, expected);
    EXPECT_FALSE(fs::exists(plot_folder.path() / "settlement.html"));
    EXPECT_FALSE(fs::exists(plot_folder.path() / "r.rpt"));
  }
}

TEST(PlotCommandLine, ThePageNeverReplacesAFileNamesDatNames) {
  TempFolder folder;
  fs::copy_file(fs::path(SETTLE_EXAMPLES) / "sample" / "sample.dat", folder.path() / "sample.dat");
  testing_support::write_file(folder.path() / "names.dat",
                              "sample.dat\nsettlement.html\na.aux\nt.trc\n");
  testing_support::write_file(folder.path() / "settlement.html", "a report kept under this name");
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.console,
            "settle-plot: severe (17): the page would replace the file of line 2 of "
            "names.dat, file " +
                (folder.path() / "settlement.html").string() + "\n");
  EXPECT_EQ(read_file(folder.path() / "settlement.html"), "a report kept under this name");
}

TEST(PlotCommandLine, AGridSpacingTooFineForThePlanIsRefused) {
  TempFolder folder;
  testing_support::copy_case_inputs(fs::path(SETTLE_EXAMPLES) / "sample", folder.path());
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"--grid-spacing", "0.001"});
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_NE(
      run.console.find("settle-plot: a grid spacing of 0.001 gives more than a million nodes"),
      std::string::npos)
      << run.console;
  EXPECT_FALSE(fs::exists(folder.path() / "settlement.html"));
}

// Options that mean nothing for the problem are refused after it is read,
// with exit status 2 and the option named, and no page is written. The
// sample's first map box is 35.3 by 28 ft (its plan with a margin, in the
// frame's shape); its profile has two layers and sublayers down to 10 ft;
// its one point is number 1.
TEST(PlotCommandLine, OptionsThatMeanNothingForTheProblemAreRefused) {
  const struct {
    int line;
    std::vector<std::string> arguments;
    std::string complaint;
  } cases[] = {
      {__LINE__,
       {"--grid-spacing", "100"},
       "settle-plot: --grid-spacing 100 gives 1 nodes across the map's shorter side of"},
      {__LINE__,
       {"--grid-spacing", "5"},
       "settle-plot: --grid-spacing 5 gives 6 nodes across the map's shorter side of 28, fewer "
       "than 10: give 3.11111 or less"},
      {__LINE__,
       {"--grid-spacing", "0.5", "--section", "0,0,0.2,0"},
       "settle-plot: --section 0,0,0.2,0 is 0.2 long, shorter than the grid spacing 0.5: give a "
       "longer line"},
      {__LINE__,
       {"--section", "100,100,200,100"},
       "settle-plot: --section 100,100,200,100 lies outside the map (x from"},
      {__LINE__,
       {"--start-layer", "99"},
       "settle-plot: --start-layer 99: the profile has layers 1 to 2"},
      {__LINE__,
       {"--start-layer", "0"},
       "settle-plot: --start-layer 0: the profile has layers 1 to 2"},
      {__LINE__,
       {"--structures", "A=1;B=2"},
       "settle-plot: --structures names point 2 in 'B', but the problem has no point of that "
       "number"},
      {__LINE__,
       {"--structures", "A=1;B=1"},
       "settle-plot: --structures names point 1 twice, in 'A' and in 'B'"},
      {__LINE__,
       {"--stress-depth", "30"},
       "settle-plot: --stress-depth 30 lies below the profile, whose sublayers end at 10"},
      {__LINE__, {"--interval", "0.001"}, "settle-plot: --interval 0.001 gives 17"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    TempFolder folder;
    testing_support::copy_case_inputs(fs::path(SETTLE_EXAMPLES) / "sample", folder.path());
    const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, c.arguments);
    EXPECT_EQ(run.exit_status, 2);
    const std::vector<std::string> lines = lines_of(run.console);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind(c.complaint, 0), 0u) << run.console;
    EXPECT_FALSE(fs::exists(folder.path() / "settlement.html"));
  }
}

// The map's own warnings: on the console after settle's, and on the page.
TEST(PlotCommandLine, WarnsOfACoarseGridAndOverlappingSpreadAreas) {
  TempFolder folder;
  testing_support::copy_case_inputs(fs::path(SETTLE_EXAMPLES) / "large", folder.path());
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"--grid-spacing", "5"});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_NE(run.console.find("settle-plot: warning: the grid spacing 5 is more than half the width "
                             "2 of the narrowest loaded area, A023"),
            std::string::npos)
      << run.console;
  EXPECT_NE(run.console.find("settle-plot: warning: spread areas S2 and S4 overlap in plan"),
            std::string::npos);
  const std::string page = read_file(folder.path() / "settlement.html");
  EXPECT_NE(page.find("<li class=\"map-warning\">Settlement map: spread areas S2 and S4 overlap"),
            std::string::npos);
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

// Every option --help names has its entry in settle-plot(1), and no other;
// the page's stale sentences are gone.
TEST(PlotCommandLine, TheManPageAgreesWithHelp) {
  TempFolder folder;
  const auto help = run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"--help"});
  ASSERT_EQ(help.exit_status, 0);
  std::set<std::string> in_help{"--help", "--version"};
  const std::regex help_option(R"(^  (--[a-z-]+))");
  for (const std::string& line : lines_of(help.output)) {
    std::smatch match;
    if (std::regex_search(line, match, help_option)) in_help.insert(match[1]);
  }
  const std::string page = read_file(fs::path(SETTLE_DOCS) / ".." / "man" / "settle-plot.1.scd");
  std::set<std::string> in_man;
  const std::regex man_option(R"(^\*(--[a-z-]+)\*)");
  const std::string options = page.substr(page.find("# OPTIONS"));
  for (const std::string& line : lines_of(options.substr(0, options.find("# ENVIRONMENT")))) {
    std::smatch match;
    if (std::regex_search(line, match, man_option)) in_man.insert(match[1]);
  }
  EXPECT_EQ(in_help, in_man);
  EXPECT_GE(in_help.size(), 14u);
  // Each default --help states, the man page states too.
  for (const char* default_text : {"1/500", "about 80 cells", "smallest start layer"}) {
    EXPECT_NE(help.output.find(default_text), std::string::npos) << default_text;
    EXPECT_NE(page.find(default_text), std::string::npos) << default_text;
  }
  for (const char* stale : {"shaded between the points", "Default 1: the whole profile",
                            "Also computes the settlement on a square grid"}) {
    EXPECT_EQ(page.find(stale), std::string::npos) << stale;
  }
}

TEST(PlotCommandLine, WritesTheNamedPage) {
  TempFolder folder;
  testing_support::copy_case_inputs(fs::path(SETTLE_EXAMPLES) / "sample", folder.path());
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"basin.html"});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_TRUE(fs::exists(folder.path() / "basin.html"));
  EXPECT_FALSE(fs::exists(folder.path() / "settlement.html"));
}

TEST(PlotCommandLine, UnknownOptionsAndExtraArgumentsAreRefused) {
  TempFolder folder;
  testing_support::copy_case_inputs(fs::path(SETTLE_EXAMPLES) / "sample", folder.path());
  const struct {
    int line;
    std::vector<std::string> arguments;
    std::string complaint;
  } cases[] = {
      {__LINE__, {"--frobnicate"}, "settle-plot: unknown argument '--frobnicate'"},
      {__LINE__, {"a.html", "b.html"}, "settle-plot: one page name at most, not 'b.html'"},
      // A page is an HTML file: any other name could be the problem itself.
      {__LINE__, {"sample.dat"}, "settle-plot: the page name 'sample.dat' does not end in .html"},
      {__LINE__, {"page"}, "settle-plot: the page name 'page' does not end in .html or .htm"},
  };
  const std::string problem = read_file(folder.path() / "sample.dat");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, c.arguments);
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_EQ(run.console.rfind(c.complaint, 0), 0u) << run.console;
    EXPECT_NE(run.console.find("usage: settle-plot"), std::string::npos);
  }
  EXPECT_EQ(read_file(folder.path() / "sample.dat"), problem);
  EXPECT_FALSE(fs::exists(folder.path() / "settlement.html"));
}

TEST(PlotCommandLine, AnUnwritablePageIsReportedWithStatusOne) {
  TempFolder folder;
  testing_support::copy_case_inputs(fs::path(SETTLE_EXAMPLES) / "sample", folder.path());
  const auto run = run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"no-such-folder/page.html"});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_NE(run.console.find("settle-plot: cannot write the page"), std::string::npos)
      << run.console;
}

}  // namespace
