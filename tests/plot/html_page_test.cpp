// The page of a made-up analysis: what it says of the warnings, which point
// it names as the most settled, and where it draws the layer boundaries.
#include "plot/html_page.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/profile_builder.h"
#include "xml_tree.h"

namespace plot {
namespace {

using plot_test::XmlElement;

struct Page {
  std::unique_ptr<XmlElement> root;

  std::vector<const XmlElement*> find(const std::string& name, const std::string& css_class) const {
    std::vector<const XmlElement*> found;
    root->collect([&](const XmlElement& e) { return e.name == name && e.has_class(css_class); },
                  found);
    return found;
  }
};

// Three layers with bottoms 2.0, 4.5 and 9.0 and three points at the origin.
std::unique_ptr<problem::ProblemData> three_layers() {
  auto problem = std::make_unique<problem::ProblemData>();
  problem::set_unit_system(*problem, problem::kUsGravitational);
  const float bottoms[] = {2.0f, 4.5f, 9.0f};
  for (const float bottom : bottoms) {
    problem->boundary_depths[++problem->layer_count] = bottom;
    problem->layers[problem->layer_count].bottom_depth = bottom;
  }
  problem->point_count = 3;
  for (int j = 1; j <= 3; ++j) problem->points[j].point_number = j;
  return problem;
}

Page page_of(const problem::ProblemData& problem, const analysis::AnalysisResults& results) {
  std::ostringstream out;
  const analysis::ClassicProfile profile = testing_support::classic_profile_of(problem);
  PageInput input;
  input.profile = &profile;
  input.title = {"problem.dat", std::string(64, '0'), "2024-01-01"};
  write_page(out, problem, results, input, make_settlement_map(problem, results, input));
  return {plot_test::XmlParser(out.str()).parse()};
}

void warn(analysis::AnalysisResults& results, int point, analysis::CurveSide side) {
  analysis::StrainWarning warning;
  warning.point = point;
  warning.side = side;
  results.strain_warnings.push_back(warning);
}

TEST(HtmlPage, ShowsEachPointsWarningsBelowAndAboveItsCurve) {
  auto problem = three_layers();
  auto results = testing_support::zero_results(3, 18);
  warn(*results, 1, analysis::CurveSide::kBelow);
  warn(*results, 1, analysis::CurveSide::kBelow);
  warn(*results, 2, analysis::CurveSide::kAbove);
  warn(*results, 3, analysis::CurveSide::kBelow);
  warn(*results, 3, analysis::CurveSide::kAbove);
  const Page page = page_of(*problem, *results);
  const auto cells = page.find("td", "outside");
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0]->all_text(), "2 below its range");
  EXPECT_EQ(cells[1]->all_text(), "1 above its range");
  EXPECT_EQ(cells[2]->all_text(), "1 below its range, 1 above its range");

  const Page quiet = page_of(*problem, *testing_support::zero_results(3, 18));
  for (const XmlElement* cell : quiet.find("td", "outside")) EXPECT_EQ(cell->all_text(), "none");
}

TEST(HtmlPage, HeadlineNamesTheFirstOfTwoEqualLargestSettlements) {
  auto problem = three_layers();
  auto results = testing_support::zero_results(3, 18);
  results->total_settlement[1] = 1.0f;
  results->total_settlement[2] = 2.5f;
  results->total_settlement[3] = 2.5f;
  const Page page = page_of(*problem, *results);
  const auto headline = page.find("p", "headline");
  ASSERT_EQ(headline.size(), 1u);
  std::vector<const XmlElement*> value;
  headline[0]->collect([](const XmlElement& e) { return e.has_class("settlement"); }, value);
  ASSERT_EQ(value.size(), 1u);
  EXPECT_EQ(value[0]->attribute("data-position"), "2");
  EXPECT_EQ(value[0]->all_text(), "2.500");
}

TEST(HtmlPage, ProfilesMarkTheBoundariesBetweenLayers) {
  auto problem = three_layers();
  const Page page = page_of(*problem, *testing_support::zero_results(3, 18));
  const auto profiles = page.find("svg", "profile");
  ASSERT_EQ(profiles.size(), 3u);
  std::vector<const XmlElement*> lines;
  profiles[0]->collect([](const XmlElement& e) { return e.has_class("layer-boundary"); }, lines);
  // Between layers 1 and 2 and between 2 and 3, once in each panel; not at
  // the surface and not at the bottom of the profile.
  std::vector<std::string> depths;
  for (const XmlElement* line : lines) depths.push_back(line->attribute("data-depth"));
  EXPECT_EQ(depths, (std::vector<std::string>{"2.00", "2.00", "4.50", "4.50"}));
}

}  // namespace
}  // namespace plot
