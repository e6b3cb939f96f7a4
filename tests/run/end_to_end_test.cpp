// Whole runs of the real executable on reviewed problems: every output file,
// the console and the exit status are compared byte for byte.
//
// A case is a folder holding names.dat, the problem file and a folder
// `expected/` with the files the run must leave (same names), `console.txt`
// (the standard error stream, where @DIR@/ stands for the folder of the run and
// the separator, a backslash on Windows)
// and, when not 0, `exit_status`. A case may also ask for arguments, settings,
// settle-plot, files left by an earlier run, a lock held by another run or an
// interrupt (testing_support::CaseSetup); after every run the folder holds only
// the case's inputs, those earlier files and the files `expected/` names: no
// temporary file and no lock file is left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
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
  const testing_support::CaseSetup setup = testing_support::case_setup(source);
#ifdef _WIN32
  if (setup.posix_only || setup.interrupt) GTEST_SKIP() << "a case for POSIX systems";
#endif
  testing_support::TempFolder folder;
  testing_support::copy_case_inputs(source, folder.path());
  std::set<std::string> brought;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    brought.insert(entry.path().filename().string());
  }
  if (setup.seeded) {
    for (const auto& entry : fs::directory_iterator(source / "before")) {
      fs::copy_file(entry.path(), folder.path() / entry.path().filename());
      brought.insert(entry.path().filename().string());
    }
  }
  const std::string program = setup.program == "settle-plot" ? SETTLE_PLOT_EXE : SETTLE_EXE;
  testing_support::RunResult run;
  {
    const std::string lock_name = (setup.program.empty() ? "settle" : setup.program) + ".lock";
    std::unique_ptr<testing_support::HeldLock> lock;
    if (setup.lock_held || setup.interrupt) {
      lock = std::make_unique<testing_support::HeldLock>(folder.path() / lock_name);
    }
    run = setup.interrupt ? testing_support::run_interrupted_in_folder(
                                folder.path(), program, setup.arguments, setup.environment)
                          : testing_support::run_in_folder(folder.path(), program, setup.arguments,
                                                           setup.environment);
  }

  const fs::path expected = source / "expected";
  const std::string status_text =
      fs::exists(expected / "exit_status") ? read_file(expected / "exit_status") : "0";
  EXPECT_EQ(run.exit_status, std::stoi(status_text));
  const std::string console =
      testing_support::with_run_folder(read_file(expected / "console.txt"), folder.path());
  EXPECT_EQ(first_difference(console, run.console), "") << "console";
  std::set<std::string> allowed = brought;
  for (const auto& entry : fs::directory_iterator(expected)) {
    const std::string name = entry.path().filename().string();
    if (name == "console.txt" || name == "exit_status") continue;
    allowed.insert(name);
    ASSERT_TRUE(fs::exists(folder.path() / name)) << name << " was not written";
    EXPECT_EQ(first_difference(read_file(entry.path()), read_file(folder.path() / name)), "")
        << name;
  }
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(allowed.count(name) == 1 || entry.is_directory()) << name << " was left behind";
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
