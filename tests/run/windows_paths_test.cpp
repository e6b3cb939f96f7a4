// names.dat written the Windows way: CR LF line ends, backslashes between
// folders and full paths with a drive letter. On Windows the names reach
// files in subfolders; on Linux a backslash is an ordinary character of a
// file name, so the same names are files in the run's folder itself. Either
// way the sample's outputs are its reviewed bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::first_difference;
using testing_support::read_file;
using testing_support::write_file;

const fs::path kSample = fs::path(SETTLE_EXAMPLES) / "sample";

class WindowsPaths : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(dir() / "in");
    fs::create_directory(dir() / "out");
    fs::copy_file(kSample / "sample.dat", dir() / "in\\sample.dat");
  }
  const fs::path& dir() const { return folder_.path(); }

  // Runs settle with names.dat holding `names`, one a line, each ended by CR LF.
  testing_support::RunResult run(std::initializer_list<std::string> names) {
    std::string text;
    for (const std::string& name : names) text += name + "\r\n";
    write_file(dir() / "names.dat", text);
    return testing_support::run_in_folder(dir(), SETTLE_EXE);
  }

  // The run ended normally and left the sample's reviewed outputs under the
  // names given (relative to the run's folder or full).
  void expect_sample_outputs(const testing_support::RunResult& result, const std::string& report,
                             const std::string& auxiliary, const std::string& trace) {
    EXPECT_EQ(result.exit_status, 0) << result.console;
    EXPECT_EQ(first_difference(read_file(kSample / "expected" / "console.txt"), result.console), "")
        << "console";
    const struct {
      const char* expected;
      std::string name;
    } files[] = {{"sample.rpt", report}, {"sample.aux", auxiliary}, {"sample.trc", trace}};
    for (const auto& file : files) {
      const fs::path written =
          fs::path(file.name).is_absolute() ? fs::path(file.name) : dir() / file.name;
      ASSERT_TRUE(fs::exists(written)) << file.name << " was not written";
      EXPECT_EQ(
          first_difference(read_file(kSample / "expected" / file.expected), read_file(written)), "")
          << file.name;
    }
  }

 private:
  testing_support::TempFolder folder_;
};

TEST_F(WindowsPaths, BackslashesLeadIntoSubfolders) {
  const auto result =
      run({"in\\sample.dat", "out\\sample.rpt", "out\\sample.aux", "out\\sample.trc"});
  expect_sample_outputs(result, "out\\sample.rpt", "out\\sample.aux", "out\\sample.trc");
#ifdef _WIN32
  EXPECT_TRUE(fs::exists(dir() / "out" / "sample.rpt"));
#endif
}

TEST_F(WindowsPaths, FullPathsWithADriveLetter) {
  // The folder's full path: on Windows it begins with its drive (C:\...).
  const std::string problem = (dir() / "in\\sample.dat").string();
  const std::string report = (dir() / "out\\sample.rpt").string();
#ifdef _WIN32
  ASSERT_EQ(problem.substr(1, 2), ":\\") << problem;
#endif
  const auto result = run({problem, report, "out\\sample.aux", "out\\sample.trc"});
  expect_sample_outputs(result, report, "out\\sample.aux", "out\\sample.trc");
}

TEST_F(WindowsPaths, AMissingFileIsNamedByItsFullPath) {
  // A relative name follows the current folder and its separator; a full path
  // is named as given.
  const std::string full = (dir() / "in\\nothere.dat").string();
  const struct {
    int line;
    std::string name;
    std::string reported;
  } cases[] = {
      {__LINE__, "in\\nothere.dat", (dir() / "").string() + "in\\nothere.dat"},
      {__LINE__, full, full},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto result = run({c.name, "out\\sample.rpt", "out\\sample.aux", "out\\sample.trc"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.console,
              "settle: severe (29): file not found, unit 5, file " + c.reported + "\n");
  }
}

}  // namespace
