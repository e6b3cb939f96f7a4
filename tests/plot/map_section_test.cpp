// The page's settlement map, distortion table and section, read from the
// pages of the examples: what the page says of how the map was computed, a
// distortion table checked by hand, and the section's line and crossings.
#include "plot/map_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "plot_run.h"

namespace plot {
namespace {

using plot_test::find;
using plot_test::XmlElement;

std::string text_of(const XmlElement& root, const std::string& name, const std::string& css_class) {
  const auto found = find(root, name, css_class);
  EXPECT_EQ(found.size(), 1u) << name << "." << css_class;
  return found.empty() ? std::string() : found[0]->all_text();
}

// The grid's CSV holds every node: the page's count and spacing agree.
TEST(MapSection, SaysHowTheMapWasComputed) {
  const plot_test::ExampleRun run =
      plot_test::run_example("sample", {"--grid-csv=grid.csv"}, {}, {"grid.csv"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  std::istringstream csv(run.files.at("grid.csv"));
  std::string line;
  std::getline(csv, line);
  std::set<std::string> xs, ys;
  long long nodes = 0;
  while (std::getline(csv, line)) {
    ++nodes;
    xs.insert(line.substr(0, line.find(',')));
    ys.insert(line.substr(line.find(',') + 1, line.rfind(',') - line.find(',') - 1));
  }
  EXPECT_EQ(text_of(*run.page, "span", "grid-size"), std::to_string(xs.size()) + " \u00d7 " +
                                                         std::to_string(ys.size()) + " = " +
                                                         std::to_string(nodes) + " nodes");
  // 0 and 0.5 are neighbouring x values of the sample's grid.
  EXPECT_TRUE(xs.count("0") && xs.count("0.5"));
  EXPECT_EQ(text_of(*run.page, "span", "grid-spacing"), "0.5 ft");
  EXPECT_EQ(text_of(*run.page, "span", "start-layer"), "layer 1");
  const std::string how = text_of(*run.page, "p", "how-computed");
  EXPECT_NE(how.find("(the smallest start layer among the points)"), std::string::npos) << how;
  EXPECT_NE(how.find("analysed exactly as a settlement point"), std::string::npos) << how;

  const plot_test::ExampleRun chosen =
      plot_test::run_example("sample", {"--start-layer=2", "--grid-spacing=1"});
  ASSERT_EQ(chosen.exit_status, 0) << chosen.console;
  EXPECT_EQ(text_of(*chosen.page, "span", "start-layer"), "layer 2");
  EXPECT_EQ(text_of(*chosen.page, "span", "grid-spacing"), "1 ft");
  EXPECT_NE(text_of(*chosen.page, "p", "how-computed").find("(chosen with --start-layer)"),
            std::string::npos);
}

struct PairRow {
  std::string points, distance, differential, distortion, decimal, beyond;
};

std::vector<PairRow> pair_rows(const XmlElement& page) {
  std::vector<PairRow> rows;
  for (const XmlElement* row : find(page, "tr", "pair")) {
    const auto& c = row->children;
    rows.push_back({c.at(0)->all_text(), c.at(1)->all_text(), c.at(3)->all_text(),
                    c.at(4)->all_text(), c.at(5)->all_text(), c.at(6)->all_text()});
  }
  return rows;
}

// The S.I. example by hand. Only P1 (0, 0), P3 (12, 0) and P5 (20, 15)
// count from layer 1 (P5's layer 9 the profile lacks: every layer); P2
// and P4 start lower and pair with none. P1 166.107 mm and P3 58.028 mm:
// 108.079 mm over 12 m, 0.00901 = 1/111, the worst; P3 and P5 188.157 mm:
// 130.129 mm over 17 m, 1/131; P1 and P5, 22.05 mm over 25 m, 1/1130.
TEST(MapSection, DistortionTableIsSortedWorstFirstAndFlagsPairsBeyondTheLimit) {
  const plot_test::ExampleRun run = plot_test::run_example("si_units", {"--grid-spacing=1"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const std::vector<PairRow> rows = pair_rows(*run.page);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].points, "P1 \u2013 P3");
  EXPECT_EQ(rows[0].distance, "12.00");
  EXPECT_EQ(rows[0].differential, "108.079");
  EXPECT_EQ(rows[0].distortion, "1/111");
  EXPECT_EQ(rows[0].decimal, "0.00901");
  EXPECT_EQ(rows[1].points, "P3 \u2013 P5");
  EXPECT_EQ(rows[1].distortion, "1/131");
  EXPECT_EQ(rows[2].points, "P1 \u2013 P5");
  std::set<std::string> flagged_rows;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    SCOPED_TRACE(k);
    if (k > 0) {
      EXPECT_GE(std::stod(rows[k - 1].decimal), std::stod(rows[k].decimal));
    }
    EXPECT_EQ(rows[k].beyond == "yes", std::stod(rows[k].decimal) > 0.002);
    if (rows[k].beyond == "yes") flagged_rows.insert(rows[k].points);
  }
  // The flagged pairs, and they alone, are drawn on the plan.
  std::set<std::string> drawn;
  for (const XmlElement* pair : find(*run.page, "g", "flagged-pair")) {
    const std::string ends = pair->attribute("data-pair");
    drawn.insert("P" + ends.substr(0, ends.find('-')) + " \u2013 P" +
                 ends.substr(ends.find('-') + 1));
  }
  EXPECT_EQ(drawn, flagged_rows);

  const plot_test::ExampleRun lenient =
      plot_test::run_example("si_units", {"--grid-spacing=1", "--distortion-limit=1/120"});
  int beyond = 0;
  for (const PairRow& row : pair_rows(*lenient.page)) beyond += row.beyond == "yes" ? 1 : 0;
  EXPECT_EQ(beyond, 1);  // 1/111
  EXPECT_EQ(find(*lenient.page, "g", "flagged-pair").size(), 1u);
}

// The grid's slope follows its spacing at a flexible load's edge: the page
// says why it gives none, and marks none.
TEST(MapSection, TheMapsSlopeIsNotGiven) {
  const plot_test::ExampleRun run = plot_test::run_example("sample", {"--grid-spacing=1"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  EXPECT_NE(text_of(*run.page, "p", "no-slope")
                .find("The slope of the map between its nodes is "
                      "not given"),
            std::string::npos);
  EXPECT_TRUE(find(*run.page, "g", "steepest").empty());
  EXPECT_TRUE(find(*run.page, "p", "steepest").empty());
}

// Two structures of the S.I. example: P1 (layer 1), P2 (layer 2) and P4
// (layer 3) are one raft, but start at different layers, so no pair; P3 and
// P5 (layer 9, which the profile lacks: every layer) make the tank's one pair.
TEST(MapSection, StructuresAndStartLayersKeepPairsApart) {
  const plot_test::ExampleRun run = plot_test::run_example(
      "si_units", {"--grid-spacing=1", "--structures", "Raft=1,2,4;Tank=3,5"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const std::vector<PairRow> rows = pair_rows(*run.page);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].points, "P3 \u2013 P5");
  EXPECT_EQ(rows[0].distortion, "1/131");
  // P2 and P4 count from layers 2 and 3, the map from layer 1: both marked.
  std::set<std::string> marked;
  for (const XmlElement* point : find(*run.page, "g", "other-start"))
    marked.insert(point->attribute("data-position"));
  EXPECT_EQ(marked, (std::set<std::string>{"2", "4"}));
}

TEST(MapSection, TheSectionRunsThroughTheLargestSettlementUnlessALineIsGiven) {
  const plot_test::ExampleRun run = plot_test::run_example("sample", {"--grid-spacing=1"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const std::string about = text_of(*run.page, "p", "section-about");
  // The sample's map runs from x = -17 to 19 (its plan with a margin, in
  // the frame's shape); its one point lies at y = 0.
  EXPECT_EQ(about.rfind("From A (-17.00, 0.00) to A\u2032 (19.00, 0.00), 36.00 ft (through the "
                        "point of largest total settlement",
                        0),
            0u)
      << about;
  EXPECT_EQ(find(*run.page, "polyline", "section-curve").size(), 1u);
  EXPECT_EQ(find(*run.page, "line", "section-line").size(), 1u);

  // Up the y axis across the 10 x 20 area A1 (y from -10 to 10): 5 to 25 along it.
  const plot_test::ExampleRun chosen =
      plot_test::run_example("sample", {"--grid-spacing=1", "--section=0,-15,0,15"});
  ASSERT_EQ(chosen.exit_status, 0) << chosen.console;
  EXPECT_NE(text_of(*chosen.page, "p", "section-about").find("(chosen with --section)"),
            std::string::npos);
  const auto crossings = find(*chosen.page, "g", "crossing");
  ASSERT_EQ(crossings.size(), 1u);
  EXPECT_EQ(crossings[0]->attribute("data-area"), "A1");
  EXPECT_EQ(find(*crossings[0], "title", "").at(0)->all_text(), "A1: from 5.00 to 25.00 ft");
  // 30 ft at 1 ft: 31 places.
  EXPECT_NE(text_of(*chosen.page, "p", "section-about").find("computed at 31 places 1.00 ft apart"),
            std::string::npos);
}

// The S.I. example's layers end at 1.5, 7.25 and 12 m; its sublayers at 11.5.
TEST(MapSection, TheSoilColumnShowsEachLayerAndWhereTheSublayersEnd) {
  const plot_test::ExampleRun run = plot_test::run_example("si_units", {"--grid-spacing=2"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const auto columns = find(*run.page, "svg", "soil-column");
  ASSERT_EQ(columns.size(), 1u);
  std::vector<std::string> bottoms;
  for (const XmlElement* bottom : find(*columns[0], "text", "layer-bottom"))
    bottoms.push_back(bottom->all_text());
  EXPECT_EQ(bottoms, (std::vector<std::string>{"1.50", "7.25", "12.00"}));
  const auto layers = find(*columns[0], "g", "layer");
  ASSERT_EQ(layers.size(), 3u);
  // Layer 1 is the fill of curve position 3 (no. 103), as Table 2 shows it.
  EXPECT_NE(find(*layers[0], "title", "").at(0)->all_text().find("curve 3 (no. 103"),
            std::string::npos);
  EXPECT_EQ(find(*columns[0], "line", "sublayers-end").size(), 1u);
}

}  // namespace
}  // namespace plot
