// The run driver end to end: names.dat, the opening of the four files, the
// fatal reports and the closing records.
#include <gtest/gtest.h>

#include <algorithm>
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
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
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
            "settle: no names.dat in the folder " + dir().string() +
                "; its four lines name the problem file, the report, the auxiliary data file and "
                "the trace file\n"
                "DATA ERRORS\n" +
                fatal("(29): file not found, unit 5, file " + (dir() / "").string()));
  EXPECT_FALSE(fs::exists(dir() / "names.dat")) << "a file the program only reads is never created";
}

TEST_F(RunDriver, ThreeLineNamesFileFailsOnTheTraceUnitBeforeTouchingAnyOutput) {
  write_file(dir() / "names.dat", "sample.dat\nr.rpt\na.aux\n");
  const auto result = run();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.console,
            "settle: names.dat in the folder " + dir().string() +
                " holds 3 of its four lines (\"sample.dat\", \"r.rpt\", \"a.aux\"); missing: line "
                "4, the trace file\n"
                "DATA ERRORS\n" +
                fatal("(30): open failure, unit 7, file " + (dir() / "").string()));
  // Every output is checked before any is created.
  EXPECT_FALSE(fs::exists(dir() / "r.rpt"));
  EXPECT_FALSE(fs::exists(dir() / "a.aux"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir()), fs::directory_iterator()), 2)
      << "no temporary file is left";
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
  // The report, written whole beside its file, is not put in place: its
  // file, new to this run, stays empty, and no temporary file is left.
  EXPECT_EQ(read_file(dir() / "r.rpt"), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir()), fs::directory_iterator()), 4);
}

TEST_F(RunDriver, CommandLineHelpAndVersionTouchNoFile) {
  write_file(dir() / "names.dat", "sample.dat\nr.rpt\na.aux\nt.trc\n");
  const struct {
    int line;
    std::vector<std::string> arguments;
    int exit_status;
    std::string complaint;  // the first console line of a refusal
  } cases[] = {
      {__LINE__, {"--help"}, 0, ""},
      {__LINE__, {"--version"}, 0, ""},
      {__LINE__, {"--verbose"}, 2, "settle: unknown argument '--verbose'"},
      {__LINE__, {"sample.dat"}, 2, "settle: unknown argument 'sample.dat'"},
      {__LINE__, {"--help", "--version"}, 2, "settle: unknown argument '--help'"},
      {__LINE__,
       {"--check", "a.dat", "b.dat"},
       2,
       "settle: --check takes one problem file at most, not 'b.dat'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto result = run_in_folder(dir(), SETTLE_EXE, c.arguments);
    EXPECT_EQ(result.exit_status, c.exit_status);
    if (c.complaint.empty()) {
      EXPECT_EQ(result.console, "");
    } else {
      EXPECT_EQ(result.console.rfind(c.complaint + "\nusage: settle", 0), 0u) << result.console;
    }
    EXPECT_FALSE(fs::exists(dir() / "r.rpt"));
  }
}

// The folder's entries, sorted.
std::vector<std::string> entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(RunDriver, NamesOfOneFileStopTheRunBeforeAnyFileIsOpened) {
  const struct {
    int line;
    std::string names;
    std::string what;
    std::string file;
  } cases[] = {
      {__LINE__, "sample.dat\nsample.dat\na.aux\nt.trc\n",
       "names.dat names one file on lines 1 and 2", "sample.dat"},
      {__LINE__, "sample.dat\nr.rpt\n./sample.dat\nt.trc\n",
       "names.dat names one file on lines 1 and 3", "sample.dat"},
      {__LINE__, "sample.dat\nr.rpt\na.aux\nnames.dat\n", "names.dat names itself on line 4",
       "names.dat"},
      {__LINE__, "sample.dat\nout.txt\nout.txt\nout.txt\n",
       "names.dat names one file on lines 2 and 3", "out.txt"},
      // Neither exists yet: the same normalised path.
      {__LINE__, "sample.dat\nr.rpt\nsub/../r.rpt\nt.trc\n",
       "names.dat names one file on lines 2 and 3", "r.rpt"},
      // Two names of one existing file.
      {__LINE__, "sample.dat\nr.rpt\na.aux\nlink.dat\n",
       "names.dat names one file on lines 1 and 4", "link.dat"},
  };
  fs::create_directory(dir() / "sub");
  // Windows gives no symbolic link without privileges: a hard link is one file
  // by two names all the same.
#ifdef _WIN32
  fs::create_hard_link(dir() / "sample.dat", dir() / "link.dat");
#else
  fs::create_symlink("sample.dat", dir() / "link.dat");
#endif
  const std::string problem = read_file(dir() / "sample.dat");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    write_file(dir() / "names.dat", c.names);
    const auto result = run();
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.console, fatal("(17): " + c.what + ", file " + (dir() / c.file).string()));
    EXPECT_EQ(read_file(dir() / "sample.dat"), problem);
    EXPECT_EQ(entries(dir()),
              (std::vector<std::string>{"link.dat", "names.dat", "sample.dat", "sub"}));
  }
}

TEST_F(RunDriver, ACheckShowsItsFindingsAndWritesNoFile) {
  write_file(dir() / "names.dat", "sample.dat\nr.rpt\na.aux\nt.trc\n");
  const auto sound = run_in_folder(dir(), SETTLE_EXE, {"--check"});
  EXPECT_EQ(sound.exit_status, 0);
  EXPECT_EQ(sound.console, "settle: sample.dat passes its checks\n");

  // A problem named on the command line, with a warning and two data errors.
  write_file(dir() / "faulty.dat",
             "T\n\n1\n1 1 0 2\n1 4.0 120 1 1,5\n1 0\nS\n2.5\n"
             "AB\n3 0 0 1 1 0 1 4.0\nCD\n1 0 0 1 1 0 1 3.5\n");
  const auto faulty = run_in_folder(dir(), SETTLE_EXE, {"--check", "faulty.dat"});
  EXPECT_EQ(faulty.exit_status, 3);
  EXPECT_EQ(faulty.console,
            "settle: warning: faulty.dat, line 5: 1 value is left over after the 5 values this "
            "record takes, and ignored (a decimal comma, as in 2,5, is the usual cause)\n"
            "settle: error: faulty.dat, line 10: area AB has shape 3; a regular area is a "
            "rectangle (1) or a circle (2)\n"
            "settle: error: faulty.dat, line 12: area CD is loaded at 3.5 ft, which is no layer "
            "boundary (0, 4 ft)\n"
            "settle: the problem's data stopped the run; a run would write the reasons into its "
            "report\n");

  const auto missing = run_in_folder(dir(), SETTLE_EXE, {"--check", "missing.dat"});
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_EQ(missing.console,
            fatal("(29): file not found, unit 5, file " + (dir() / "missing.dat").string()));
  EXPECT_EQ(entries(dir()), (std::vector<std::string>{"faulty.dat", "names.dat", "sample.dat"}));
}

TEST_F(RunDriver, ACheckFindsTheCurvePressureThatWouldStopTheRun) {
  const fs::path source = fs::path(SETTLE_TEST_DATA) / "e2e" / "pressure_error" / "problem.dat";
  fs::copy_file(source, dir() / "p.dat");
  const auto result = run_in_folder(dir(), SETTLE_EXE, {"--check", "p.dat"});
  EXPECT_EQ(result.exit_status, 3);
  EXPECT_NE(result.console.find("settle: error: p.dat, line 14: soil compressibility 8, point 3: "
                                "the pressure 0 is not greater than 0\n"),
            std::string::npos)
      << result.console;
}

}  // namespace
