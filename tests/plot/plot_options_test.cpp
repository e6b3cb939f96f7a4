#include "plot/plot_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plot {
namespace {

PlotCommand parse(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "settle-plot");
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  return parse_plot_command(static_cast<int>(argv.size()), argv.data());
}

TEST(PlotOptions, ReadsEveryOptionInEitherForm) {
  const PlotCommand command =
      parse({"--grid-spacing", "2.5", "--start-layer=2", "map.HTM", "--grid-csv", "g.csv",
             "--distortion-limit=1/300", "--section", "0,1,20,1.5", "--plan-svg=plan.svg"});
  const auto* options = std::get_if<PlotOptions>(&command);
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->page, "map.HTM");
  EXPECT_EQ(options->grid_spacing, 2.5);
  EXPECT_EQ(options->start_layer, 2);
  EXPECT_EQ(options->grid_csv, "g.csv");
  EXPECT_DOUBLE_EQ(options->distortion_limit, 1.0 / 300.0);
  ASSERT_TRUE(options->section);
  EXPECT_EQ(options->section->x2, 20.0);
  EXPECT_EQ(options->section->y2, 1.5);
  EXPECT_EQ(options->plan_svg, "plan.svg");
  EXPECT_EQ(options->distortion_limit_text, "1/300");

  const PlotCommand more =
      parse({"--extent=-5,-6,7,8", "--levels", "0.1,0.5,1", "--stress-depth", "3.5", "--structures",
             " Tank A = 1-3, 7 ;Tank B=5", "--no-area-labels"});
  const auto* chosen = std::get_if<PlotOptions>(&more);
  ASSERT_NE(chosen, nullptr);
  ASSERT_TRUE(chosen->extent);
  EXPECT_EQ(chosen->extent->x1, -5.0);
  EXPECT_EQ(chosen->extent->y2, 8.0);
  EXPECT_EQ(chosen->contour_levels, (std::vector<double>{0.1, 0.5, 1.0}));
  EXPECT_EQ(chosen->stress_depth, 3.5);
  ASSERT_EQ(chosen->structures.size(), 2u);
  EXPECT_EQ(chosen->structures[0].name, "Tank A");
  EXPECT_EQ(chosen->structures[0].point_numbers, (std::vector<std::int32_t>{1, 2, 3, 7}));
  EXPECT_EQ(chosen->structures[1].name, "Tank B");
  EXPECT_FALSE(chosen->area_labels);

  const PlotCommand none = parse({});
  const auto* defaults = std::get_if<PlotOptions>(&none);
  ASSERT_NE(defaults, nullptr);
  EXPECT_EQ(defaults->page, "settlement.html");
  EXPECT_DOUBLE_EQ(defaults->distortion_limit, 0.002);
  EXPECT_FALSE(defaults->grid_spacing || defaults->start_layer || defaults->section);
}

// A project file is named with the page or without it, whose name then
// follows the project's.
TEST(PlotOptions, ReadsAProjectFileAndNamesItsPageAfterIt) {
  const PlotCommand named = parse({"site/yard.TOML", "--profile-point", "C2", "yard.html"});
  const auto* options = std::get_if<PlotOptions>(&named);
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->project, "site/yard.TOML");
  EXPECT_EQ(options->page, "yard.html");
  EXPECT_EQ(options->profile_point, "C2");

  const PlotCommand unnamed = parse({"--grid-spacing=2", "site/yard.json"});
  const auto* beside = std::get_if<PlotOptions>(&unnamed);
  ASSERT_NE(beside, nullptr);
  EXPECT_EQ(beside->project, "site/yard.json");
  EXPECT_EQ(beside->page, "site/yard.html");
}

TEST(PlotOptions, NamesWhatItDoesNotUnderstand) {
  const struct {
    int line;
    std::vector<std::string> arguments;
    std::string complaint;
  } cases[] = {
      {__LINE__, {"--frobnicate"}, "unknown argument '--frobnicate'"},
      {__LINE__, {"-x"}, "unknown argument '-x'"},
      {__LINE__, {"a.html", "b.html"}, "one page name at most, not 'b.html'"},
      {__LINE__, {"sample.dat"}, "the page name 'sample.dat' does not end in .html or .htm"},
      {__LINE__, {"a.toml", "b.json"}, "one project file at most, not 'b.json'"},
      {__LINE__,
       {"--profile-point", "T1"},
       "--profile-point names a point of a project file; give the project file"},
      {__LINE__,
       {"a.toml", "--profile-point="},
       "--profile-point takes the name of a point of the project"},
      {__LINE__, {"--grid-spacing", "0"}, "--grid-spacing takes a length greater than 0, not '0'"},
      {__LINE__, {"--grid-spacing"}, "--grid-spacing takes a length greater than 0, not ''"},
      {__LINE__, {"--start-layer", "2.5"}, "--start-layer takes a layer number, not '2.5'"},
      {__LINE__,
       {"--grid-csv", "grid.txt"},
       "--grid-csv takes a file name ending in .csv, not 'grid.txt'"},
      {__LINE__,
       {"--plan-svg", "plan.html"},
       "--plan-svg takes a file name ending in .svg, not 'plan.html'"},
      {__LINE__,
       {"--distortion-limit", "1/0"},
       "--distortion-limit takes a ratio between 0 and 1, as 0.002 or 1/500, not '1/0'"},
      {__LINE__,
       {"--distortion-limit", "500"},
       "--distortion-limit takes a ratio between 0 and 1, as 0.002 or 1/500, not '500'"},
      {__LINE__,
       {"--distortion-limit=2"},
       "--distortion-limit takes a ratio between 0 and 1, as 0.002 or 1/500, not '2'"},
      {__LINE__,
       {"--extent", "10,0,0,10"},
       "--extent takes X1,Y1,X2,Y2, the lower left corner and the upper right one, not "
       "'10,0,0,10'"},
      {__LINE__,
       {"--interval", "-1"},
       "--interval takes a contour interval greater than 0, not '-1'"},
      {__LINE__,
       {"--levels", "1,0.5"},
       "--levels takes contour levels in increasing order, as 0.5,1,2, not '1,0.5'"},
      {__LINE__, {"--levels=1", "--interval=1"}, "--levels and --interval cannot both be given"},
      {__LINE__, {"--stress-depth", "-2"}, "--stress-depth takes a depth of 0 or more, not '-2'"},
      {__LINE__,
       {"--structures", "A=1-3;A=4"},
       "--structures takes NAME=POINTS;NAME=POINTS with point numbers and ranges, as \"Tank "
       "A=1-4,7;Tank B=5,6\", each name once, not 'A=1-3;A=4'"},
      {__LINE__,
       {"--structures", "=1"},
       "--structures takes NAME=POINTS;NAME=POINTS with point numbers and ranges, as \"Tank "
       "A=1-4,7;Tank B=5,6\", each name once, not '=1'"},
      {__LINE__, {"--no-area-labels=yes"}, "--no-area-labels takes no value, not 'yes'"},
      {__LINE__,
       {"--section", "0,0,0,0"},
       "--section takes X1,Y1,X2,Y2, two different ends, not "
       "'0,0,0,0'"},
      {__LINE__,
       {"--section", "0,0,5"},
       "--section takes X1,Y1,X2,Y2, two different ends, not "
       "'0,0,5'"},
      {__LINE__, {"--help", "x.html"}, "unknown argument '--help'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const PlotCommand command = parse(c.arguments);
    const auto* complaint = std::get_if<CommandLineComplaint>(&command);
    ASSERT_NE(complaint, nullptr);
    EXPECT_EQ(complaint->text, c.complaint);
  }
  EXPECT_TRUE(std::holds_alternative<HelpRequest>(parse({"--help"})));
  EXPECT_TRUE(std::holds_alternative<VersionRequest>(parse({"--version"})));
}

}  // namespace
}  // namespace plot
