// The site example runs to its reviewed outputs: the report byte for byte,
// the results file key for key with its numbers to 1e-9 (the last digits of
// a double may differ between C libraries; the report's may not).
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

void expect_same(const json& got, const json& want, const std::string& path) {
  ASSERT_EQ(got.type_name(), std::string(want.type_name())) << path;
  if (want.is_object()) {
    ASSERT_EQ(got.size(), want.size()) << path;
    for (auto it = want.begin(); it != want.end(); ++it) {
      ASSERT_TRUE(got.contains(it.key())) << path << "." << it.key();
      expect_same(got[it.key()], it.value(), path + "." + it.key());
    }
  } else if (want.is_array()) {
    ASSERT_EQ(got.size(), want.size()) << path;
    for (std::size_t i = 0; i < want.size(); ++i)
      expect_same(got[i], want[i], path + "[" + std::to_string(i) + "]");
  } else if (want.is_number()) {
    const double a = got.get<double>(), b = want.get<double>();
    EXPECT_LE(std::abs(a - b), 1e-9 * std::max(1.0, std::abs(b))) << path;
  } else {
    EXPECT_EQ(got, want) << path;
  }
}

TEST(SiteExample, RunsToItsReviewedReportAndResults) {
  const fs::path example = fs::path(SETTLE_EXAMPLES) / "site";
  testing_support::TempFolder folder;
  fs::copy_file(example / "site.toml", folder.path() / "site.toml");
  const auto run = testing_support::run_in_folder(folder.path(), SETTLE_EXE, {"site.toml"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  EXPECT_TRUE(testing_support::read_file(folder.path() / "site.report.txt") ==
              testing_support::read_file(example / "expected" / "site.report.txt"));
  expect_same(json::parse(testing_support::read_file(folder.path() / "site.results.json")),
              json::parse(testing_support::read_file(example / "expected" / "site.results.json")),
              "");
}

}  // namespace
