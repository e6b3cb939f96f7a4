// The page of each shipped example, parsed as XML: every area and point is
// drawn, its label on the plan where it finds room and in the tables always,
// and every settlement shown at a point is the total that Table 7 of the
// reviewed report prints for that point.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "plot_run.h"
#include "run/problem_analysis.h"
#include "support/record_lines.h"
#include "support/run_in_folder.h"
#include "xml_tree.h"

namespace {

namespace fs = std::filesystem;
using plot_test::XmlElement;

struct Example {
  std::unique_ptr<XmlElement> page;
  std::string console;
  std::vector<std::string> totals;                         // Table 7 TOTAL rows, point by point
  std::vector<std::pair<std::string, std::string>> areas;  // Table 5: identifier, loading
};

// The text fields of a report line, split at blanks.
std::vector<std::string> fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  for (std::string field; in >> field;) out.push_back(field);
  return out;
}

// Table 7 totals and Table 5 rows read from the reviewed report.
void read_report(const fs::path& report, Example& example) {
  std::istringstream in(testing_support::read_file(report));
  bool in_table_5 = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto f = fields(line);
    if (line.find("TABLE ") != std::string::npos)
      in_table_5 = line.find("TABLE 5") != std::string::npos;
    // The total row: 10 blanks, the 10-column label, then 8 columns per point.
    if (line.rfind("          TOTAL(", 0) == 0) {
      for (std::size_t at = 20; at < line.size(); at += 8)
        example.totals.push_back(fields(line.substr(at, 8)).at(0));
    }
    // An area row: identifier, shape 1 or 2, then seven numbers.
    if (in_table_5 && f.size() == 9 && (f[1] == "1" || f[1] == "2"))
      example.areas.emplace_back(f[0], f[7]);
  }
}

// The large example's map on a coarser grid than its default (10 ft, not 2):
// the page is the same in all that these tests look at, and the run a
// thirtieth as long, which counts under the sanitizers.
std::vector<std::string> arguments_for(const std::string& name) {
  if (name == "large") return {"--grid-spacing=10"};
  return {};
}

Example run_example(const std::string& name) {
  plot_test::ExampleRun run = plot_test::run_example(name, arguments_for(name));
  EXPECT_EQ(run.exit_status, 0) << run.console;
  Example example;
  example.console = run.console;
  example.page = std::move(run.page);
  for (const auto& entry : fs::directory_iterator(fs::path(SETTLE_EXAMPLES) / name / "expected")) {
    if (entry.path().extension() == ".rpt") read_report(entry.path(), example);
  }
  return example;
}

using plot_test::find;

class PlotPage : public ::testing::TestWithParam<std::string> {};

TEST_P(PlotPage, EverySettlementShownIsTheTable7Total) {
  const Example example = run_example(GetParam());
  ASSERT_FALSE(example.totals.empty());
  std::vector<const XmlElement*> shown;
  example.page->collect([](const XmlElement& e) { return e.has_class("settlement"); }, shown);
  std::map<int, int> shown_per_point;
  for (const XmlElement* value : shown) {
    const int position = std::stoi(value->attribute("data-position"));
    ASSERT_GE(position, 1);
    ASSERT_LE(position, static_cast<int>(example.totals.size()));
    EXPECT_EQ(value->all_text(), example.totals[static_cast<std::size_t>(position - 1)])
        << "point " << position;
    ++shown_per_point[position];
  }
  // In the plan and in the table, and in the profile of each of the first 12:
  // the points' labels are placed first, and on the examples all find room.
  for (int j = 1; j <= static_cast<int>(example.totals.size()); ++j) {
    EXPECT_GE(shown_per_point[j], j <= 12 ? 3 : 2) << "point " << j;
  }
}

TEST_P(PlotPage, EveryPointIsDrawnWithItsLabelAndSettlement) {
  const Example example = run_example(GetParam());
  const auto plans = find(*example.page, "svg", "plan");
  ASSERT_EQ(plans.size(), 1u);
  const auto points = find(*plans[0], "g", "point");
  ASSERT_EQ(points.size(), example.totals.size());
  // A mark (a circle, or a square for a point of another start layer) and its dot.
  for (const XmlElement* point : points) {
    EXPECT_EQ(find(*point, "circle", "").size() + find(*point, "rect", "mark").size(), 2u);
  }
  const auto labels = find(*plans[0], "text", "point-label");
  EXPECT_EQ(labels.size(), example.totals.size());
  for (const XmlElement* label : labels) {
    const int position = std::stoi(label->attribute("data-position"));
    const auto numbers = find(*label, "tspan", "point-number");
    ASSERT_EQ(numbers.size(), 1u);
    EXPECT_EQ(numbers[0]->all_text().rfind("P", 0), 0u);
    const auto values = find(*label, "tspan", "settlement");
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0]->all_text(), example.totals[static_cast<std::size_t>(position - 1)]);
  }
  EXPECT_EQ(find(*example.page, "svg", "profile").size(),
            std::min<std::size_t>(example.totals.size(), 12));
}

// Every area is drawn with its identifier and loading in its tooltip; its
// label stands on the plan where it finds room (on the two small examples,
// every one), and the areas' table lists every area whatever the plan shows.
TEST_P(PlotPage, EveryAreaIsDrawnAndListedWithItsIdentifierAndLoading) {
  const Example example = run_example(GetParam());
  const auto plans = find(*example.page, "svg", "plan");
  ASSERT_EQ(plans.size(), 1u);
  std::map<std::string, const XmlElement*> drawn, labelled, listed;
  for (const XmlElement* area : find(*plans[0], "g", "area"))
    drawn[area->attribute("data-area")] = area;
  for (const XmlElement* label : find(*plans[0], "text", "area-label"))
    labelled[label->attribute("data-area")] = label;
  for (const XmlElement* row : find(*example.page, "tr", "")) {
    if (!row->children.empty() && row->children[0]->name == "td")
      listed[row->children[0]->all_text()] = row;
  }
  ASSERT_FALSE(example.areas.empty());
  for (const auto& [id, loading] : example.areas) {
    SCOPED_TRACE(id);
    ASSERT_TRUE(drawn.count(id));
    EXPECT_FALSE(drawn[id]->has_class("spread"));
    const auto titles = find(*drawn[id], "title", "");
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_NE(titles[0]->all_text().find("loading " + loading + " "), std::string::npos);
    ASSERT_TRUE(listed.count(id));
    EXPECT_EQ(fields(listed[id]->children.at(7)->all_text()).at(0), loading);
    if (!labelled.count(id)) continue;
    const auto ids = find(*labelled[id], "tspan", "area-id");
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_EQ(ids[0]->all_text(), id);
    for (const XmlElement* shown : find(*labelled[id], "tspan", "loading"))
      EXPECT_EQ(fields(shown->all_text()).at(0), loading);
  }
  if (GetParam() != "large") {
    EXPECT_EQ(labelled.size(), drawn.size());
  } else {
    EXPECT_GE(labelled.size(), drawn.size() / 3);
  }
  // The rest are the spread areas, S1, S2, ... in order.
  const std::size_t spread_count = drawn.size() - example.areas.size();
  for (std::size_t m = 1; m <= spread_count; ++m) {
    const std::string label = "S" + std::to_string(m);
    ASSERT_TRUE(drawn.count(label)) << label;
    EXPECT_TRUE(drawn[label]->has_class("spread"));
    EXPECT_TRUE(listed.count(label)) << label;
  }
}

TEST_P(PlotPage, IsSelfContainedXhtml) {
  const Example example = run_example(GetParam());
  EXPECT_EQ(example.page->name, "html");
  EXPECT_EQ(example.page->attribute("xmlns"), "http://www.w3.org/1999/xhtml");
  EXPECT_TRUE(find(*example.page, "script", "").empty());
  std::vector<const XmlElement*> fetching;
  example.page->collect(
      [](const XmlElement& e) {
        return e.name == "link" || e.name == "img" || e.name == "iframe" || e.name == "use" ||
               !e.attribute("src").empty() || !e.attribute("href").empty();
      },
      fetching);
  EXPECT_TRUE(fetching.empty());
  for (const XmlElement* svg : find(*example.page, "svg", "")) {
    EXPECT_EQ(svg->attribute("xmlns"), "http://www.w3.org/2000/svg");
  }
  // A clip path refers to the page itself, never to a file.
  std::vector<const XmlElement*> urls;
  example.page->collect(
      [](const XmlElement& e) {
        for (const auto& [name, value] : e.attributes) {
          if (value.find("url(") != std::string::npos && value.find("url(#") == std::string::npos)
            return true;
        }
        return false;
      },
      urls);
  EXPECT_TRUE(urls.empty());
}

// The page counts each point's final pressures outside their curve from the
// analysis: below and above kept apart, point by point.
TEST_P(PlotPage, WarningCountsAreThoseOfTheAnalysis) {
  const Example example = run_example(GetParam());
  const fs::path folder = fs::path(SETTLE_EXAMPLES) / GetParam();
  const std::string name = GetParam() == "si_units" ? "raft" : GetParam();
  std::ifstream file(folder / (name + ".dat"), std::ios::binary);
  layout::RecordReader input(file, 5, name);
  std::ostringstream echo;
  layout::RecordWriter console(echo, "\n", layout::kConsoleUnit, "");
  const run::ProblemAnalysis analysis = run::analyse_problem_file(input, &console);
  ASSERT_FALSE(analysis.stopped());
  std::map<int, std::pair<int, int>> counts;  // point: below, above
  for (const analysis::StrainWarning& warning : analysis.results->strain_warnings) {
    auto& [below, above] = counts[warning.point];
    ++(warning.side == analysis::CurveSide::kBelow ? below : above);
  }
  const auto cells = find(*example.page, "td", "outside");
  ASSERT_EQ(cells.size(), example.totals.size());
  for (const XmlElement* cell : cells) {
    const auto [below, above] = counts[std::stoi(cell->attribute("data-position"))];
    std::string expected;
    if (below > 0) expected = std::to_string(below) + " below its range";
    if (above > 0)
      expected += (expected.empty() ? "" : ", ") + std::to_string(above) + " above its range";
    EXPECT_EQ(cell->all_text(), expected.empty() ? "none" : expected);
  }
}

// The page lists the warnings of the run as the console words them.
TEST_P(PlotPage, ListsTheWarningsOfTheConsole) {
  const Example example = run_example(GetParam());
  std::vector<std::string> from_console;
  const std::regex kWarning(R"(settle-plot: warning: [^,]*, line (\d+): (.*))");
  for (const std::string& line : testing_support::lines_of(example.console)) {
    std::smatch match;
    if (std::regex_match(line, match, kWarning)) {
      from_console.push_back("Line " + match[1].str() + ": " + match[2].str());
    }
  }
  std::vector<std::string> on_page;
  for (const XmlElement* item : find(*example.page, "li", "warning")) {
    on_page.push_back(item->all_text());
  }
  EXPECT_EQ(on_page, from_console);
  if (GetParam() != "sample") {
    EXPECT_FALSE(on_page.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, PlotPage, ::testing::Values("sample", "large", "si_units"));

}  // namespace
