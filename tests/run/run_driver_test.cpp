// The run driver end to end: names.dat, the opening of the four files, the
// fatal reports and the closing records.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::read_file;
using testing_support::run_in_folder;
using testing_support::write_file;

const std::string kStartMessage = "          EXECUTION IN PROGRESS\n\n";

class RunDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(fs::path(SETTLE_EXAMPLES) / "sample" / "sample.dat", dir() / "sample.dat");
  }
  const fs::path& dir() const { return folder_.path(); }
  testing_support::RunResult run() { return run_in_folder(dir(), SETTLE_EXE); }
  std::string fatal(const std::string& text) { return "settle: severe " + text + "\n"; }

 private:
  testing_support::TempFolder folder_;
};

bool ends_with(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(RunDriver, TrimsIndentedNamesAndIgnoresLinesAfterTheFourth) {
  write_file(dir() / "names.dat",
             "   sample.dat   \n  out report.rpt\t\n\taux.dat\nlast.trc  \nignored.txt\n");
  const auto result = run();
#ifdef _WIN32
  // Windows allows no tab in a file name: the trimmed input name opens, and the
  // report's cannot, under its name with the tab.
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.console,
            fatal("(30): open failure, unit 6, file " + (dir() / "out report.rpt\t").string()));
  return;
#endif
  EXPECT_EQ(result.exit_status, 0) << result.console;
  EXPECT_EQ(result.console.rfind(kStartMessage, 0), 0u) << result.console;
  // A tab is not a blank: it stays part of the name.
  EXPECT_TRUE(fs::exists(dir() / "out report.rpt\t"));
  EXPECT_TRUE(fs::exists(dir() / "\taux.dat"));
  EXPECT_TRUE(fs::exists(dir() / "last.trc"));
  EXPECT_FALSE(fs::exists(dir() / "ignored.txt"));
}

TEST_F(RunDriver, SuccessfulRunEndsReportWithFormFeedAndAuxiliaryFileWithEnd) {
  write_file(dir() / "names.dat", "sample.dat\nr.rpt\na.aux\nt.trc\n");
  write_file(dir() / "r.rpt", std::string(5000, 'x'));  // an existing report is replaced
  const auto result = run();
  EXPECT_EQ(result.exit_status, 0) << result.console;
  const std::string report = read_file(dir() / "r.rpt");
  EXPECT_EQ(report.find('x'), std::string::npos);
  EXPECT_TRUE(ends_with(report, "\r\n\f\r\n"));
  EXPECT_TRUE(ends_with(read_file(dir() / "a.aux"), "\r\nEND\r\n"));
}

TEST_F(RunDriver, MissingNamesFileReportsDataErrorsThenFailsToOpenTheEmptyInputName) {
  const auto result = run();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.console,
            "DATA ERRORS\n" + fatal("(29): file not found, unit 5, file " + (dir() / "").string()));
  EXPECT_FALSE(fs::exists(dir() / "names.dat")) << "a file the program only reads is never created";
}

TEST_F(RunDriver, ThreeLineNamesFileOpensThreeFilesThenFailsOnTheTraceUnit) {
  write_file(dir() / "names.dat", "sample.dat\nr.rpt\na.aux\n");
  const auto result = run();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.console,
            "DATA ERRORS\n" + fatal("(30): open failure, unit 7, file " + (dir() / "").string()));
  EXPECT_TRUE(fs::exists(dir() / "r.rpt"));
  EXPECT_TRUE(fs::exists(dir() / "a.aux"));
}

TEST_F(RunDriver, MissingInputFileIsNotCreated) {
  write_file(dir() / "names.dat", "nothere.dat\nr.rpt\na.aux\nt.trc\n");
  const auto result = run();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.console,
            fatal("(29): file not found, unit 5, file " + (dir() / "nothere.dat").string()));
  EXPECT_FALSE(fs::exists(dir() / "nothere.dat"));
  EXPECT_FALSE(fs::exists(dir() / "r.rpt")) << "units after the failing one are never opened";
}

TEST_F(RunDriver, OpenFailuresNameTheUnitAndTheFile) {
  fs::create_directory(dir() / "folder");
  const struct {
    int line;
    std::string names;
    std::string message;
  } cases[] = {
      {__LINE__, "sample.dat\nmissing/r.rpt\na.aux\nt.trc\n",
       "(30): open failure, unit 6, file " + (dir() / "missing/r.rpt").string()},
      {__LINE__, "sample.dat\n   \na.aux\nt.trc\n",
       "(30): open failure, unit 6, file " + (dir() / "").string()},
      {__LINE__, "sample.dat\nfolder\na.aux\nt.trc\n",
       "(30): open failure, unit 6, file " + (dir() / "folder").string()},
      {__LINE__, "folder\nr.rpt\na.aux\nt.trc\n",
       "(30): open failure, unit 5, file " + (dir() / "folder").string()},
      {__LINE__, "sample.dat\nr.rpt\n" + (dir() / "folder").string() + "\nt.trc\n",
       "(30): open failure, unit 4, file " + (dir() / "folder").string()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    write_file(dir() / "names.dat", c.names);
    const auto result = run();
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.console, fatal(c.message));
  }
}

TEST_F(RunDriver, WriteFailureOnAFullDeviceIsFatal) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no device that is always full";
#endif
  write_file(dir() / "names.dat", "sample.dat\nr.rpt\n/dev/full\nt.trc\n");
  const auto result = run();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_TRUE(ends_with(result.console, fatal("(38): error during write, unit 4, file /dev/full")))
      << result.console;
  // The report, opened before the failing unit, keeps everything written to it.
  EXPECT_TRUE(ends_with(read_file(dir() / "r.rpt"), "\r\n\f\r\n"));
}

TEST_F(RunDriver, CommandLineHelpAndVersionTouchNoFile) {
  write_file(dir() / "names.dat", "sample.dat\nr.rpt\na.aux\nt.trc\n");
  const struct {
    int line;
    std::vector<std::string> arguments;
    int exit_status;
    bool usage_on_console;
  } cases[] = {
      {__LINE__, {"--help"}, 0, false},
      {__LINE__, {"--version"}, 0, false},
      {__LINE__, {"--verbose"}, 2, true},
      {__LINE__, {"sample.dat"}, 2, true},
      {__LINE__, {"--help", "--version"}, 2, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto result = run_in_folder(dir(), SETTLE_EXE, c.arguments);
    EXPECT_EQ(result.exit_status, c.exit_status);
    EXPECT_EQ(result.console.rfind("usage: settle", 0) == 0, c.usage_on_console) << result.console;
    EXPECT_FALSE(fs::exists(dir() / "r.rpt"));
  }
}

}  // namespace
