// What settle-plot's run adds to the page and writes beside it: the title
// block that traces a printed page to its input, and the plan as an SVG file.
#include "plot/plot_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "plot/sha256.h"
#include "plot_run.h"

namespace plot {
namespace {

using plot_test::find;

std::string cell(const plot_test::ExampleRun& run, const std::string& css_class) {
  const auto found = find(*run.page, "td", css_class);
  EXPECT_EQ(found.size(), 1u) << css_class;
  return found.empty() ? std::string() : found[0]->all_text();
}

TEST(PlotDriver, TheTitleBlockNamesTheInputItsDigestTheProgramAndTheDate) {
  // One day after the epoch: the date is that of SOURCE_DATE_EPOCH, in UTC.
  const plot_test::ExampleRun run =
      plot_test::run_example("sample", {"--grid-spacing=2"}, {"SOURCE_DATE_EPOCH=86400"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  EXPECT_EQ(cell(run, "input-name"), "sample.dat");
  EXPECT_EQ(cell(run, "sha256"), sha256_hex(run.problem_bytes));
  EXPECT_EQ(cell(run, "sha256").size(), 64u);
  EXPECT_EQ(cell(run, "program"), "settle-plot " SETTLE_VERSION);
  EXPECT_EQ(cell(run, "date"), "1970-01-02");
  EXPECT_EQ(cell(run, "problem-title"), "SAMPLE FOUNDATION / TWO CLAY LAYERS");
}

TEST(PlotDriver, AReproducibleRunWritesTheSamePage) {
  const std::vector<std::string> options = {"--grid-spacing=2"};
  const plot_test::ExampleRun first =
      plot_test::run_example("si_units", options, {"SOURCE_DATE_EPOCH=1700000000"});
  const plot_test::ExampleRun second =
      plot_test::run_example("si_units", options, {"SOURCE_DATE_EPOCH=1700000000"});
  ASSERT_FALSE(first.page_text.empty());
  EXPECT_EQ(first.page_text, second.page_text);
}

// The file holds the page's plan, byte for byte, as a standalone SVG document.
TEST(PlotDriver, ThePlanAloneIsTheSameDrawingAsThePagesPlan) {
  const plot_test::ExampleRun run = plot_test::run_example(
      "si_units", {"--grid-spacing=1", "--plan-svg=plan.svg"}, {}, {"plan.svg"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  ASSERT_TRUE(run.files.count("plan.svg"));
  const std::string& file = run.files.at("plan.svg");
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  ASSERT_EQ(file.rfind(declaration, 0), 0u);
  const std::string drawing = file.substr(declaration.size());
  EXPECT_NE(run.page_text.find(drawing), std::string::npos);
  const auto svg = plot_test::XmlParser(file).parse();
  EXPECT_EQ(svg->name, "svg");
  EXPECT_EQ(svg->attribute("xmlns"), "http://www.w3.org/2000/svg");
  EXPECT_FALSE(svg->attribute("width").empty());
  EXPECT_FALSE(svg->attribute("height").empty());
  EXPECT_EQ(svg->attribute("viewBox"),
            "0 0 " + svg->attribute("width") + " " + svg->attribute("height"));
}

TEST(PlotDriver, ThePlanFileNeverReplacesAFileNamesDatNames) {
  testing_support::TempFolder folder;
  std::filesystem::copy_file(std::filesystem::path(SETTLE_EXAMPLES) / "sample" / "sample.dat",
                             folder.path() / "sample.dat");
  testing_support::write_file(folder.path() / "names.dat", "sample.dat\nr.rpt\nplan.svg\nt.trc\n");
  testing_support::write_file(folder.path() / "plan.svg", "kept");
  const auto run =
      testing_support::run_in_folder(folder.path(), SETTLE_PLOT_EXE, {"--plan-svg=plan.svg"});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.console,
            "settle-plot: severe (17): the plan's SVG file would replace the file of line 3 of "
            "names.dat, file " +
                (folder.path() / "plan.svg").string() + "\n");
  EXPECT_EQ(testing_support::read_file(folder.path() / "plan.svg"), "kept");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "settlement.html"));
}

}  // namespace
}  // namespace plot
