// The inputs that once crashed, hung or tripped a sanitizer under the fuzzer:
// each folder under tests/data/fuzz-regressions is run by the real executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::run_in_folder;

std::vector<fs::path> reproducer_folders() {
  std::vector<fs::path> folders;
  const fs::path root = fs::path(SETTLE_TEST_DATA) / "fuzz-regressions";
  if (!fs::is_directory(root)) return folders;
  for (const auto& entry : fs::directory_iterator(root)) {
    if (entry.is_directory()) folders.push_back(entry.path());
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

std::string last_line(const std::string& text) {
  std::string body = text;
  while (!body.empty() && body.back() == '\n') body.pop_back();
  return body.substr(body.rfind('\n') == std::string::npos ? 0 : body.rfind('\n') + 1);
}

TEST(FuzzRegression, EveryReproducerEndsNormallyOrWithTheFatalReport) {
  const std::vector<fs::path> folders = reproducer_folders();
  ASSERT_FALSE(folders.empty()) << "no reproducer under tests/data/fuzz-regressions";
  for (const fs::path& source : folders) {
    SCOPED_TRACE(source.filename().string());
    testing_support::TempFolder folder;
    fs::copy(source, folder.path(), fs::copy_options::recursive);
    const auto result = run_in_folder(folder.path(), SETTLE_EXE);
    EXPECT_TRUE(result.exit_status == 0 || result.exit_status == 1)
        << "exit status " << result.exit_status << "\n"
        << result.console;
    if (result.exit_status == 1) {
      EXPECT_EQ(last_line(result.console).rfind("settle: severe (", 0), 0u) << result.console;
    }
  }
}

}  // namespace
