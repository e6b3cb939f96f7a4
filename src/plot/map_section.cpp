// The settlement map's text around its drawings.
#include "plot/map_section.h"

#include <string>

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
           "linearly between neighbouring nodes; the points show their own totals (Table 7).");
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
  out.element("p", {},
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
                    ". The tables of the points and the loaded areas below hold every value.");
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
  const std::string limit = one_over_text(map.distortion_limit);
  out.element("h2", {}, "Differential settlement and angular distortion");
  if (map.distortion.empty()) {
    out.element("p", {},
                "Fewer than two settlement points at different places: no pair to compare.");
  } else {
    int flagged = 0;
    for (const DistortionRow& row : map.distortion) flagged += row.beyond_limit ? 1 : 0;
    out.element("p", {},
                "Each pair of neighbouring settlement points (the sides of a Delaunay "
                "triangulation of the points; points on one line are paired with the next along "
                "it): the difference of their total settlements and the angular distortion, that "
                "difference over the distance between them, worst first. " +
                    plural(flagged, "pair exceeds", "pairs exceed") + " the limit of " + limit +
                    " (" + ratio_decimal_text(map.distortion_limit) +
                    ", set with --distortion-limit); they are drawn on the plan as thick lines.");
    out.open("table", {{"class", "distortion"}});
    out.open("tr");
    for (const std::string& heading :
         {std::string("Points"), "Distance (" + std::string(units.length) + ")",
          "Settlements (" + std::string(units.settlement) + ")",
          "Differential settlement (" + std::string(units.settlement) + ")",
          std::string("Angular distortion"), std::string("as a decimal"), "Beyond " + limit}) {
      out.element("th", {}, heading);
    }
    out.close();
    for (const DistortionRow& row : map.distortion) {
      const int a = row.pair[0] + 1, b = row.pair[1] + 1;
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
      out.close();
    }
    out.close();
  }
  if (map.steepest.found) {
    out.open("p", {{"class", "steepest"}});
    out.text("The steepest slope of the settlement map is ");
    out.element_inline("strong", {}, one_over_text(map.steepest.slope));
    out.text(" (" + ratio_decimal_text(map.steepest.slope) + ") in the grid cell centred at " +
             place_text(map.steepest.at.x, map.steepest.at.y) +
             ", marked \u25b2 on the plan: the largest change of settlement over a length, from "
             "the four nodes of each cell, the settlement taken in " +
             std::string(units.length) + ".");
    out.close();
  }
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
