// Whole runs of the real executable on reviewed problems: every output file,
// the console and the exit status are compared byte for byte.
//
// A case is a folder holding names.dat, the problem file and a folder
// `expected/` with the files the run must leave (same names), `console.txt`
// (the standard error stream, where @DIR@/ stands for the folder of the run and
// the separator, a backslash on Windows)
// and, when not 0, `exit_status`.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::first_difference;
using testing_support::read_file;

std::vector<fs::path> case_folders() {
  return testing_support::reviewed_case_folders(SETTLE_EXAMPLES,
                                                fs::path(SETTLE_TEST_DATA) / "e2e");
}

class EndToEnd : public ::testing::TestWithParam<fs::path> {};

TEST_P(EndToEnd, OutputsMatchReviewedFiles) {
  const fs::path& source = GetParam();
  testing_support::TempFolder folder;
  testing_support::copy_case_inputs(source, folder.path());
  const testing_support::RunResult run = testing_support::run_in_folder(folder.path(), SETTLE_EXE);

  const fs::path expected = source / "expected";
  const std::string status_text =
      fs::exists(expected / "exit_status") ? read_file(expected / "exit_status") : "0";
  EXPECT_EQ(run.exit_status, std::stoi(status_text));
  const std::string console =
      testing_support::with_run_folder(read_file(expected / "console.txt"), folder.path());
  EXPECT_EQ(first_difference(console, run.console), "") << "console";
  for (const auto& entry : fs::directory_iterator(expected)) {
    const std::string name = entry.path().filename().string();
    if (name == "console.txt" || name == "exit_status") continue;
    ASSERT_TRUE(fs::exists(folder.path() / name)) << name << " was not written";
    EXPECT_EQ(first_difference(read_file(entry.path()), read_file(folder.path() / name)), "")
        << name;
  }
}

std::string case_name(const ::testing::TestParamInfo<fs::path>& info) {
  std::string name =
      info.param.parent_path().filename().string() + "_" + info.param.filename().string();
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, ::testing::ValuesIn(case_folders()), case_name);

// Missing case folders must fail the run, not leave it with nothing to compare.
TEST(EndToEndCases, EveryExampleAndCaseFolderIsFound) {
  std::size_t examples = 0;
  std::size_t cases = 0;
  for (const fs::path& folder : case_folders()) {
    ++(folder.parent_path() == fs::path(SETTLE_EXAMPLES) ? examples : cases);
  }
  EXPECT_GE(examples, 3u);
  EXPECT_GE(cases, 7u);
}

}  // namespace
