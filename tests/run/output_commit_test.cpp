// Outputs staged beside their files: the file is untouched until the commit,
// a discarded output leaves it and no temporary file, and the checks name the
// errno a write would meet, creating nothing.
#include "run/output_commit.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>

#include "support/run_in_folder.h"

namespace run {
namespace {

namespace fs = std::filesystem;
using testing_support::read_file;
using testing_support::write_file;

std::ptrdiff_t files_in(const fs::path& folder) {
  return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

TEST(StagedOutput, ReplacesTheFileOnlyWhenCommitted) {
  testing_support::TempFolder folder;
  const fs::path file = folder.path() / "report.txt";
  write_file(file, "old");
  StagedOutput output(file.string());
  ASSERT_EQ(output.open(), 0);
  EXPECT_TRUE(output.target_existed());
  output.stream() << "new";
  ASSERT_TRUE(output.finish());
  EXPECT_EQ(read_file(file), "old");
  EXPECT_EQ(files_in(folder.path()), 2);  // the file and its temporary one
  ASSERT_TRUE(output.commit());
  EXPECT_EQ(read_file(file), "new");
  EXPECT_EQ(files_in(folder.path()), 1);
}

TEST(StagedOutput, ADiscardedOutputLeavesTheFileAndNoTemporaryFile) {
  testing_support::TempFolder folder;
  const fs::path file = folder.path() / "report.txt";
  write_file(file, "old");
  {
    StagedOutput output(file.string());
    ASSERT_EQ(output.open(), 0);
    output.stream() << "half a report";
  }
  EXPECT_EQ(read_file(file), "old");
  EXPECT_EQ(files_in(folder.path()), 1);
}

TEST(StagedOutput, TheChecksNameTheErrorAndCreateNothing) {
  testing_support::TempFolder folder;
  fs::create_directory(folder.path() / "sub");
  EXPECT_EQ(output_check(""), ENOENT);
  EXPECT_EQ(output_check((folder.path() / "sub").string()), EISDIR);
  EXPECT_EQ(output_check((folder.path() / "missing" / "a.txt").string()), ENOENT);
  EXPECT_EQ(output_check((folder.path() / "a.txt").string()), 0);
  EXPECT_EQ(files_in(folder.path()), 1);
}

}  // namespace
}  // namespace run
