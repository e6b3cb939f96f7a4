// The settlement map's text around its drawings.
#include "plot/map_section.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/colour_scale.h"
#include "plot/page_text.h"
#include "plot/plan_view.h"
#include "plot/section_chart.h"

namespace plot {
namespace {

std::string length_text(double value, const UnitNames& units) {
  return decimal(static_cast<float>(value), 2) + " " + std::string(units.length);
}

std::string place_text(double x, double y) {
  return "(" + decimal(static_cast<float>(x), 2) + ", " + decimal(static_cast<float>(y), 2) + ")";
}

void write_how_computed(XmlWriter& out, const problem::ProblemData& problem,
                        const PageInput& input) {
  const UnitNames units = unit_names(problem.unit_system);
  const analysis::PlanGrid& grid = input.map.grid;
  const std::string rule = input.map.start_layer_chosen
                               ? "chosen with --start-layer"
                               : "the smallest start layer among the points";
  out.open("p", {{"class", "how-computed"}});
  out.text(
      "The settlement is computed at every node of a grid over the plan and a margin around "
      "it: ");
  out.element_inline("span", {{"class", "grid-size"}},
                     std::to_string(grid.columns) + " \u00d7 " + std::to_string(grid.rows) + " = " +
                         std::to_string(grid.node_count()) + " nodes");
  out.text(", ");
  out.element_inline("span", {{"class", "grid-spacing"}},
                     decimal(static_cast<float>(grid.spacing), decimals_for(grid.spacing)) + " " +
                         std::string(units.length));
  out.text(
      " apart. Each node is analysed exactly as a settlement point is, with settlement "
      "starting at ");
  out.element_inline("span", {{"class", "start-layer"}},
                     "layer " + std::to_string(input.map.start_layer));
  out.text(" (" + rule +
           "). The bands and contour lines join the nodes' totals, interpolated "
           "linearly between neighbouring nodes; the points show their own totals (Table 7)");
  bool otherwise = false;
  for (int j = 1; j <= problem.point_count; ++j) {
    const std::int32_t start = problem.points[j].start_layer;
    const bool counted_all = start < 1 || start > problem.layer_count;
    otherwise = otherwise || (counted_all ? 1 : start) != std::max(input.map.start_layer, 1);
  }
  out.text(otherwise ? "; a square and a star (P*) mark a point counted from another start "
                       "layer, whose total is not a value of the map. "
                     : ". ");
  std::string extent;
  if (input.map.extent_chosen) {
    extent = "The map covers the part of the plan chosen with --extent.";
  } else if (input.map.closed) {
    extent = "The map covers the loaded areas and the points with a margin" +
             std::string(input.map.growths > 0
                             ? ", grown " + plural(input.map.growths, "time", "times") + " until"
                             : "; in it") +
             " the contours nearest zero close.";
  } else {
    extent = "The outer contours run off the map even grown " +
             plural(input.map.growths, "time", "times") + " (see the warnings).";
  }
  out.element_inline("span", {{"class", "extent"}}, extent);
  out.close();
}

}  // namespace

void write_map_section(XmlWriter& out, const problem::ProblemData& problem,
                       const analysis::AnalysisResults& results, const PageInput& input,
                       const SettlementMap& map) {
  const UnitNames units = unit_names(problem.unit_system);
  out.open("section", {{"class", "map-page"}});
  out.element("h2", {}, "Settlement map");
  if (map.has_grid) {
    write_how_computed(out, problem, input);
  } else {
    out.element("p", {{"class", "how-computed"}},
                "No grid was computed: the plan shows the areas "
                "and the points alone.");
  }
  out.element("p", {{"class", "drawn"}},
              "Drawn to scale, +y up the page. Loaded areas are black outlines labelled with their "
              "identifier and loading (" +
                  std::string(units.pressure) +
                  "); spread areas are dashed, numbered S1, S2, ... and labelled with their total "
                  "load (" +
                  std::string(units.force) +
                  "). Each settlement point Pn is labelled with its total "
                  "settlement (" +
                  std::string(units.settlement) + ").");
  const PlanNotes notes = write_plan_view(out, problem, results, map);
  std::string left_off;
  if (notes.point_labels_left_off > 0) {
    left_off += plural(notes.point_labels_left_off, "point's label", "points' labels");
  }
  if (notes.area_labels_left_off > 0) {
    left_off += (left_off.empty() ? "" : ", ") +
                plural(notes.area_labels_left_off, "area's label", "areas' labels");
  }
  if (notes.area_loads_left_off > 0) {
    left_off += (left_off.empty() ? "" : ", ") +
                plural(notes.area_loads_left_off, "area's loading", "areas' loadings");
  }
  if (!left_off.empty()) {
    out.element("p", {{"class", "note left-off"}},
                "Left off the plan where they would overlap other labels: " + left_off +
                    ". The tables of the points and the loaded areas hold every value.");
  }
  if (notes.area_labels_off) {
    out.element("p", {{"class", "note left-off"}},
                "The areas' labels are left off (--no-area-labels); the table of the loaded "
                "areas names each.");
  }
  if (map.unbounded_nodes > 0) {
    out.element("p", {{"class", "note unbounded"}},
                plural(map.unbounded_nodes, "node has", "nodes have") +
                    " no finite total settlement (see the warnings); the map paints them in its "
                    "last band.");
  }
  if (notes.coinciding_points > 0) {
    out.element("p", {{"class", "note"}},
                plural(notes.coinciding_points, "point lies", "points lie") +
                    " at the place of an earlier point; its mark is drawn over the earlier one's.");
  }
  out.close();
}

void write_distortion_section(XmlWriter& out, const problem::ProblemData& problem,
                              const analysis::AnalysisResults& results, const SettlementMap& map) {
  const UnitNames units = unit_names(problem.unit_system);
  const std::string& limit = map.distortion_limit_text;
  bool several = false;
  for (const PagePoint& point : map.points)
    several = several || point.structure != map.points.front().structure;
  int left_out = 0;
  for (const PagePoint& point : map.points) left_out += point.structure.empty() ? 1 : 0;
  out.open("section", {{"class", "distortion-part"}});
  out.element("h2", {}, "Differential settlement and angular distortion");
  out.element("p", {{"class", "structures"}},
              std::string(several || left_out > 0
                              ? "Points are compared within the structures named with "
                                "--structures"
                              : "Every point is taken as one structure (--structures names "
                                "structures by their points)") +
                  ", and only with points counted from the same start layer: a difference "
                  "between two structures, or between totals of different parts of the "
                  "profile, is no distortion." +
                  (left_out > 0 ? " " + plural(left_out, "point belongs", "points belong") +
                                      " to no structure and is compared with none."
                                : ""));
  out.element("p", {{"class", "no-slope"}},
              "The slope of the map between its nodes is not given: at the edge of a flexible "
              "load it is a step whose steepness follows the grid's spacing, not the ground. "
              "Check a structure by the distortion between its points.");
  if (map.distortion.empty()) {
    out.element("p", {},
                "No two points of one structure and one start layer at different places: no pair "
                "to compare.");
  } else {
    int flagged = 0;
    for (const DistortionRow& row : map.distortion) flagged += row.beyond_limit ? 1 : 0;
    out.element("p", {},
                "Each pair of neighbouring points (the sides of a Delaunay triangulation of the "
                "points of a structure and a start layer; points on one line are paired with the "
                "next along it): the difference of their total settlements and the angular "
                "distortion, that difference over the distance between them, worst first. " +
                    plural(flagged, "pair exceeds", "pairs exceed") + " the limit of " + limit +
                    " (" + ratio_decimal_text(map.distortion_limit) +
                    ", set with --distortion-limit); they are drawn on the plan as thick lines.");
    out.open("table", {{"class", "distortion"}});
    out.open("tr");
    std::vector<std::string> headings = {
        std::string("Points"),
        "Distance (" + std::string(units.length) + ")",
        "Settlements (" + std::string(units.settlement) + ")",
        "Differential settlement (" + std::string(units.settlement) + ")",
        std::string("Angular distortion"),
        std::string("as a decimal"),
        "Beyond " + limit,
        std::string("Structure"),
        std::string("Start layer")};
    for (const std::string& heading : headings) out.element("th", {}, heading);
    out.close();
    for (const DistortionRow& row : map.distortion) {
      const int a = row.pair[0] + 1, b = row.pair[1] + 1;
      const PagePoint& first = map.points[static_cast<std::size_t>(row.pair[0])];
      out.open("tr", {{"class", row.beyond_limit ? "pair flagged" : "pair"}});
      out.element("td", {},
                  "P" + std::to_string(problem.points[a].point_number) + " \u2013 P" +
                      std::to_string(problem.points[b].point_number));
      out.element("td", {{"class", "n"}}, decimal(static_cast<float>(row.distance), 2));
      out.element("td", {{"class", "n"}},
                  settlement_text(results.total_settlement[a]) + ", " +
                      settlement_text(results.total_settlement[b]));
      out.element("td", {{"class", "n differential"}},
                  decimal(static_cast<float>(row.differential), 3));
      out.element("td", {{"class", "n distortion"}}, one_over_text(row.distortion));
      out.element("td", {{"class", "n"}}, ratio_decimal_text(row.distortion));
      out.element("td", {{"class", "beyond"}}, row.beyond_limit ? "yes" : "");
      out.element("td", {{"class", "structure"}}, first.structure);
      out.element("td", {{"class", "n"}}, std::to_string(first.start_layer));
      out.close();
    }
    out.close();
  }
  out.close();
}

// The map of the stress increase at a depth, when asked for.
void write_stress_section(XmlWriter& out, const problem::ProblemData& problem,
                          const analysis::AnalysisResults& results, const PageInput& input,
                          const SettlementMap& map) {
  const UnitNames units = unit_names(problem.unit_system);
  const StressMapInput& stress = *input.stress_map;
  out.open("section", {{"class", "stress-page"}});
  out.element("h2", {}, "Stress increase at depth " + length_text(stress.depth, units));
  const bool moved = std::abs(stress.depth - stress.depth_asked) > 1e-6;
  out.element("p", {{"class", "stress-about"}},
              "The vertical stress increase of all loaded areas at depth " +
                  length_text(stress.depth, units) +
                  (moved ? " (the stress depth of the profile nearest the " +
                               decimal(static_cast<float>(stress.depth_asked), 2) +
                               " asked for with --stress-depth)"
                         : " (chosen with --stress-depth)") +
                  ", on the nodes of the settlement map, as the analysis computes it there at a "
                  "settlement point (" +
                  std::string(units.pressure) + ").");
  write_plan_view(out, problem, results, map);
  out.close();
}

void write_section_view(XmlWriter& out, const problem::ProblemData& problem,
                        const PageInput& input) {
  if (!input.section || input.section->samples.size() < 2) return;
  const Section& section = *input.section;
  const UnitNames units = unit_names(problem.unit_system);
  out.open("section", {{"class", "section-page"}});
  out.element("h2", {}, "Section A\u2013A\u2032");
  const SectionLine& line = section.line;
  const double spacing = section.samples[1].distance - section.samples[0].distance;
  out.element("p", {{"class", "section-about"}},
              "From A " + place_text(line.x1, line.y1) + " to A\u2032 " +
                  place_text(line.x2, line.y2) + ", " + length_text(section.length(), units) +
                  (section.chosen ? " (chosen with --section)"
                                  : " (through the point of largest total settlement, along x; "
                                    "--section X1,Y1,X2,Y2 chooses another line)") +
                  ". The settlement is computed at " + std::to_string(section.samples.size()) +
                  " places " + length_text(spacing, units) +
                  " apart, each analysed as a settlement point with settlement starting at layer " +
                  std::to_string(input.map.start_layer) +
                  "; the shaded stretches are the loaded areas the line crosses.");
  write_section_chart(out, problem, section);
  out.close();
}

}  // namespace plot
