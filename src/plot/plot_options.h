// The command line of settle-plot: the page's name and the options that shape
// the settlement map and the files written beside the page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace plot {

// The page written when no name is given (a project's: PROJECT.html beside it).
inline constexpr const char* kDefaultPageName = "settlement.html";

// A line across the plan, from (x1, y1) to (x2, y2).
struct SectionLine {
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};

// A rectangle of the plan given by two opposite corners, lower left first.
struct ExtentBox {
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};

// One structure named on the command line: its name and the numbers of its
// settlement points (as the problem file numbers them), in the order given.
struct StructureGroup {
  std::string name;
  std::vector<std::int32_t> point_numbers;
};

struct PlotOptions {
  std::string page = kDefaultPageName;
  std::optional<double> grid_spacing;           // in the problem's length unit
  std::optional<std::int32_t> start_layer;      // of every grid node
  std::optional<std::string> grid_csv;          // the grid for other tools
  double distortion_limit = 1.0 / 500.0;        // angular distortion flagged beyond
  std::string distortion_limit_text = "1/500";  // as given
  std::optional<SectionLine> section;           // else through the largest settlement
  std::optional<std::string> plan_svg;          // the plan alone
  std::optional<ExtentBox> extent;              // else grown until the lowest contour closes
  std::optional<double> contour_interval;       // settlement unit; else a round one
  std::vector<double> contour_levels;           // settlement unit, increasing; else by interval
  std::optional<double> stress_depth;           // a map of the stress increase at this depth
  std::vector<StructureGroup> structures;       // empty: every point one structure
  bool area_labels = true;                      // --no-area-labels leaves them off the plan
  std::optional<std::string> project;           // a project file (.toml, .json); else names.dat
  std::optional<std::string> profile_point;     // the stress profile's point; else the first

  // The samples of a project's study whose nodes make its map of the chance
  // of exceeding the settlement limit; else 100 (at most the study's).
  std::optional<std::int64_t> study_grid_samples;
  std::optional<double> time;             // the map at this time (a project in time)
  std::optional<std::string> time_point;  // the isochrones' point; else the first
};

// What the command line asks for: options for a run, or --help / --version
// (answered by the caller), or a complaint naming what was not understood.
struct HelpRequest {};
struct VersionRequest {};
struct CommandLineComplaint {
  std::string text;
};
using PlotCommand = std::variant<PlotOptions, HelpRequest, VersionRequest, CommandLineComplaint>;

// Options are written "--name value" or "--name=value"; the page name, ending
// in .html or .htm, may stand anywhere once. What can be refused without the
// problem is refused here; the rest (a spacing too coarse for the plan, a
// start layer the profile lacks, ...) by check_plot_options.
PlotCommand parse_plot_command(int argc, const char* const* argv);

}  // namespace plot
