// The project report: a small project's report against its reviewed text,
// and a table for every load kind.
#include "report/project_report.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <variant>

#include "report/project_loads.h"
#include "run/project_analysis.h"
#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;

std::string report_text(const site::Project& project, const analysis::SiteResults& results,
                        const std::vector<site::Diagnostic>& warnings, const std::string& name) {
  std::ostringstream text;
  layout::RecordWriter writer(text, "\n", 6, "report.txt");
  report::write_project_report(writer, project, results, warnings, name);
  return text.str();
}

TEST(ProjectReport, SmallProjectReadsAsReviewed) {
  const fs::path folder = fs::path(SETTLE_TEST_DATA) / "project-report";
  run::ProjectAnalysis analysis = run::analyse_project_text(
      testing_support::read_file(folder / "tank.toml"), project::Form::kToml);
  ASSERT_FALSE(analysis.stopped());
  ASSERT_EQ(analysis.project.consolidation->times.size(), 3u);
  for (const analysis::ResultPoint& point : analysis.results->points) ASSERT_TRUE(point.time);
  const std::string got =
      report_text(analysis.project, *analysis.results, analysis.diagnostics, "tank.toml");
  const std::string expected = testing_support::read_file(folder / "tank.report.txt");
  if (got != expected) {
    // The report as written, for a review before it replaces the golden file.
    const fs::path actual = fs::path(testing::TempDir()) / "tank.report.txt";
    testing_support::write_file(actual, got);
    ADD_FAILURE() << testing_support::first_difference(expected, got) << "\nthe report is in "
                  << actual.string();
  }
}

template <std::size_t... I>
std::vector<loads::Load> one_load_of_each_kind(std::index_sequence<I...>) {
  return {loads::Load(std::in_place_index<I>)...};
}

// Each kind has a table of its own titled for it, holding the load's row,
// whatever else the project holds.
TEST(ProjectReport, EveryLoadKindHasItsOwnTableWithItsLoad) {
  site::Project project;
  project.title = {"Every load kind"};
  project.loads =
      one_load_of_each_kind(std::make_index_sequence<std::variant_size_v<loads::Load>>());
  const std::string text = report_text(project, {}, {}, "kinds.toml");

  std::set<std::string> titles;
  for (std::size_t i = 0; i < project.loads.size(); ++i) {
    const std::string title(report::load_table_title(project.loads[i]));
    SCOPED_TRACE(title);
    EXPECT_TRUE(titles.insert(title).second) << "two kinds share a title";
    const std::size_t at = text.find(" - " + title + "\n");
    ASSERT_NE(at, std::string::npos);
    // The lines to the next table: one starts with the load's number.
    std::istringstream table(text.substr(at + 1));
    std::string line;
    std::getline(table, line);
    bool found = false;
    while (!found && std::getline(table, line) && line.find("TABLE ") == std::string::npos) {
      std::istringstream words(line);
      std::string first;
      found = (words >> first) && first == std::to_string(i + 1);
    }
    EXPECT_TRUE(found);
  }
}

}  // namespace
