// The page around a site project's drawings, and its tables.
#include "plot/project_page.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "plot/ground_section.h"
#include "plot/html_page.h"
#include "plot/isochrones.h"
#include "plot/load_drawing.h"
#include "plot/page_text.h"
#include "plot/project_plan.h"
#include "plot/section_chart.h"
#include "plot/stress_profile.h"
#include "plot/study_charts.h"
#include "plot/time_curves.h"
#include "plot/time_map.h"
#include "plot/xml_writer.h"

namespace plot {
namespace {

// The project's own drawings: printed, the section's chart and the ground
// under it on one page at one width, so that their distances line up; the
// stress profile on a page of its own; no heading left at a page's foot.
constexpr std::string_view kProjectStyle =
    "svg.ground-section{margin-top:4px}"
    "@media print{section.stress-profile-page{break-before:page;page-break-before:always}"
    "svg.section-chart,svg.ground-section{width:170mm;height:auto;max-height:none}"
    "svg.stress-profile{width:auto;height:auto;max-height:165mm}"
    "h2{break-after:avoid;page-break-after:avoid}}";

std::string method_name(const site::Project& project) {
  return std::string(site::name_of(site::kMethodNames, project.analysis.method));
}

std::string title_line(const site::Project& project, std::size_t k) {
  return k < project.title.size() ? project.title[k] : std::string();
}

std::size_t most_settled(const analysis::SiteResults& results) {
  std::size_t most = 0;
  for (std::size_t j = 1; j < results.points.size(); ++j)
    if (results.points[j].settlement > results.points[most].settlement) most = j;
  return most;
}

void write_heading(XmlWriter& out, const ProjectPageInput& input, const SettlementMap& map) {
  const site::Project& project = *input.project;
  const analysis::SiteResults& results = *input.results;
  const UnitNames units = project_units(project);
  out.element("h1", {}, title_line(project, 0));
  out.element("p", {{"class", "subtitle"}}, title_line(project, 1));
  out.open("table", {{"class", "title-block"}});
  const auto row = [&](std::string_view heading, std::string_view css_class,
                       const std::string& value) {
    out.open("tr");
    out.element("th", {}, heading);
    out.element("td", {{"class", std::string(css_class)}}, value);
    out.close();
  };
  row("Project", "problem-title", title_line(project, 0));
  row("Project file", "input-name", input.title.input_name);
  row("SHA-256 of the project file", "sha256", input.title.sha256);
  row("Method", "method", method_name(project));
  row("Drawn by", "program", "settle-plot " SETTLE_VERSION);
  row("Date", "date", input.title.date);
  out.close();
  out.element(
      "p", {},
      "Units: " + std::string(units.system) + ". " +
          plural(static_cast<int>(project.layers.size()), "soil layer", "soil layers") + ", " +
          plural(static_cast<int>(project.soils.size()), "soil", "soils") + ", " +
          plural(static_cast<int>(project.points.size()), "settlement point", "settlement points") +
          ", " + plural(static_cast<int>(project.loads.size()), "load", "loads") + ", " +
          plural(static_cast<int>(results.sublayers.size()), "sublayer", "sublayers") +
          " of at most " + decimal(static_cast<float>(project.analysis.max_sublayer), 2) + " " +
          std::string(units.length) + ".");
  if (!results.points.empty()) {
    const std::size_t most = most_settled(results);
    out.open("p", {{"class", "headline"}});
    out.text("Largest total settlement: ");
    out.element_inline("strong",
                       {{"class", "settlement"}, {"data-position", std::to_string(most + 1)}},
                       settlement_text(static_cast<float>(results.points[most].settlement)));
    out.text(" " + std::string(units.settlement) + " at point " + point_label(project, most) + ".");
    out.close();
  }
  if (map.has_grid && map.unbounded_nodes == 0) {
    const auto& values = map.grid.values;
    const auto most =
        static_cast<std::size_t>(std::max_element(values.begin(), values.end()) - values.begin());
    const auto columns = static_cast<std::size_t>(map.grid.columns);
    out.element("p", {{"class", "map-headline"}},
                "Largest on the settlement map: " + decimal(static_cast<float>(values[most]), 3) +
                    " " + std::string(units.settlement) + " at the node (" +
                    decimal(input.map.grid.x(static_cast<int>(most % columns)), 2) + ", " +
                    decimal(input.map.grid.y(static_cast<int>(most / columns)), 2) +
                    "), with settlement starting at layer " +
                    std::to_string(input.map.start_layer) + ".");
  }
}

void write_warnings(XmlWriter& out, const ProjectPageInput& input) {
  if (input.warnings.empty() && input.map_warnings.empty()) return;
  out.element("h2", {}, "Warnings");
  out.element("p", {}, "The console of the run shows the same.");
  out.open("ul", {{"class", "warnings"}});
  for (const std::string& warning : input.warnings)
    out.element("li", {{"class", "warning"}}, warning);
  for (const MapWarning& warning : input.map_warnings)
    out.element("li", {{"class", "map-warning"}}, "Settlement map: " + warning.text);
  out.close();
}

void write_point_table(XmlWriter& out, const ProjectPageInput& input) {
  const site::Project& project = *input.project;
  const UnitNames units = project_units(project);
  out.element("h2", {}, "Settlement points");
  out.open("table", {{"class", "points"}});
  out.open("tr");
  for (const std::string& heading :
       {std::string("Point"), "x (" + std::string(units.length) + ")",
        "y (" + std::string(units.length) + ")", std::string("Start layer"),
        std::string("Structure"), "Total settlement (" + std::string(units.settlement) + ")"}) {
    out.element("th", {}, heading);
  }
  out.close();
  for (std::size_t j = 0; j < project.points.size(); ++j) {
    const site::Point& point = project.points[j];
    out.open("tr");
    out.element("td", {}, point_label(project, j));
    out.element("td", {{"class", "n"}}, decimal(static_cast<float>(point.x), 2));
    out.element("td", {{"class", "n"}}, decimal(static_cast<float>(point.y), 2));
    out.element("td", {{"class", "n"}}, std::to_string(point.start_layer));
    out.element("td", {}, point.structure.value_or(""));
    out.element("td", {{"class", "n settlement"}, {"data-position", std::to_string(j + 1)}},
                settlement_text(static_cast<float>(input.results->points[j].settlement)));
    out.close();
  }
  out.close();
}

void write_map_section(XmlWriter& out, const ProjectPageInput& input, const SettlementMap& map) {
  const UnitNames units = project_units(*input.project);
  out.open("section", {{"class", "map-page"}});
  out.element("h2", {}, "Settlement map");
  const std::string when = input.map_time ? " at time " + time_text(*input.map_time) + " " +
                                                time_unit_text(*input.project)
                                          : std::string();
  out.element(
      "p", {{"class", input.map_time ? "map-time" : "map-final"}},
      "The total settlement (" + std::string(units.settlement) + ")" + when +
          " on a grid of nodes every " + decimal(static_cast<float>(input.map.grid.spacing), 2) +
          " " + std::string(units.length) + ", each analysed by the " +
          method_name(*input.project) + " method as a settlement point there, counted from layer " +
          std::to_string(input.map.start_layer) +
          ". Every load is drawn from its plan outline; a strip runs on past the map.");
  write_project_plan(out, input, map);
  out.close();
}

void write_section_part(XmlWriter& out, const ProjectPageInput& input) {
  if (!input.section || input.section->samples.size() < 2) return;
  const site::Project& project = *input.project;
  out.open("section", {{"class", "section-page"}});
  out.element("h2", {}, "Section A\u2013A\u2032");
  const SectionLine& line = input.section->line;
  out.element("p", {},
              "From A (" + decimal(static_cast<float>(line.x1), 2) + ", " +
                  decimal(static_cast<float>(line.y1), 2) + ") to A\u2032 (" +
                  decimal(static_cast<float>(line.x2), 2) + ", " +
                  decimal(static_cast<float>(line.y2), 2) +
                  "): the settlement computed along the line, and the ground under it.");
  write_section_chart(
      out, project_units(project),
      [&](int load) {
        return load_label(project.loads[static_cast<std::size_t>(load - 1)],
                          static_cast<std::size_t>(load));
      },
      *input.section);
  write_ground_section(out, project, *input.section);
  out.close();
}

void write_stress_part(XmlWriter& out, const ProjectPageInput& input) {
  if (input.results->points.empty()) return;
  const site::Project& project = *input.project;
  const std::string label = point_label(project, input.profile_point);
  out.open("section", {{"class", "stress-profile-page"}});
  out.element("h2", {}, "Effective stresses under " + label);
  out.element("p", {},
              "At the centre of every sublayer under " + label +
                  ": the initial effective stress \u03c3\u2032\u2080, the final one "
                  "\u03c3\u2032f (\u03c3\u2032\u2080 plus the loads' stress increase plus the "
                  "change the water table brings) and, in index soils, the preconsolidation "
                  "stress \u03c3\u2032p. The shaded part lies above the point's start layer. "
                  "--profile-point NAME draws another point.");
  write_stress_profile(out, project, *input.results, input.profile_point);
  out.close();
}

// A project in time: the points' settlement against time, the isochrones of
// one point, the map of t90.
void write_time_part(XmlWriter& out, const ProjectPageInput& input) {
  const site::Project& project = *input.project;
  if (!project.consolidation || input.results->points.empty()) return;
  const std::string unit = time_unit_text(project);
  out.open("section", {{"class", "time-page"}});
  out.element("h2", {}, "Settlement in time");
  out.element("p", {},
              "The total settlement (primary and secondary) of every point at the project's "
              "output times, time in " +
                  unit + " on a log scale. --time T draws the settlement map at time T.");
  write_time_curves(out, project, *input.results);
  const std::string label = point_label(project, input.time_point);
  out.element("h2", {}, "Isochrones under " + label);
  out.element("p", {},
              "The excess pore pressure at the centre of every sublayer under " + label +
                  " at each output time; 0 in free-draining layers. --time-point NAME draws "
                  "another point.");
  write_isochrones(out, project, *input.results, input.time_point);
  if (!input.t90.empty()) {
    out.element("h2", {}, "Time to 90 % consolidation");
    out.element("p", {},
                "At every node of the settlement map's grid, the time (" + unit +
                    ") at which its primary settlement reaches 90 % of its final value; nodes "
                    "that never do, or settle nothing, are left blank.");
    write_time_map(out, project, input.map.grid, input.t90);
  }
  out.close();
}

void write_distortion_part(XmlWriter& out, const ProjectPageInput& input,
                           const SettlementMap& map) {
  const site::Project& project = *input.project;
  const UnitNames units = project_units(project);
  out.open("section", {{"class", "distortion-part"}});
  out.element("h2", {}, "Differential settlement and angular distortion");
  out.element("p", {},
              "Neighbouring points of one structure (the points' structure keys; all points one "
              "structure when none has one) and one start layer, worst first; the limit is " +
                  map.distortion_limit_text + ".");
  if (map.distortion.empty()) {
    out.element("p", {}, "No pair of points to compare.");
    out.close();
    return;
  }
  out.open("table", {{"class", "distortion"}});
  out.open("tr");
  for (const std::string& heading :
       {std::string("Points"), "Distance (" + std::string(units.length) + ")",
        "Differential settlement (" + std::string(units.settlement) + ")",
        std::string("Angular distortion")}) {
    out.element("th", {}, heading);
  }
  out.close();
  for (const DistortionRow& row : map.distortion) {
    out.open("tr", {{"class", row.beyond_limit ? "flagged" : "within"}});
    out.element("td", {},
                point_label(project, static_cast<std::size_t>(row.pair[0])) + " \u2013 " +
                    point_label(project, static_cast<std::size_t>(row.pair[1])));
    out.element("td", {{"class", "n"}}, decimal(static_cast<float>(row.distance), 2));
    out.element("td", {{"class", "n"}}, settlement_text(static_cast<float>(row.differential)));
    out.element("td", {{"class", row.beyond_limit ? "n beyond" : "n"}},
                one_over_text(row.distortion));
    out.close();
  }
  out.close();
  out.close();
}

void write_load_table(XmlWriter& out, const site::Project& project) {
  if (project.loads.empty()) return;
  const UnitNames units = project_units(project);
  out.element("h2", {}, "Loads");
  out.open("table", {{"class", "loads"}});
  out.open("tr");
  out.element("th", {}, "Load");
  out.element("th", {}, "Kind and intensity");
  out.close();
  for (std::size_t k = 0; k < project.loads.size(); ++k) {
    out.open("tr");
    out.element("td", {}, load_label(project.loads[k], k + 1));
    out.element("td", {}, load_description(project.loads[k], units));
    out.close();
  }
  out.close();
}

}  // namespace

void write_project_page(std::ostream& stream, const ProjectPageInput& input,
                        const SettlementMap& map) {
  XmlWriter out(stream);
  out.markup("<!DOCTYPE html>");
  out.open("html", {{"xmlns", "http://www.w3.org/1999/xhtml"}, {"lang", "en"}, {"xml:lang", "en"}});
  out.open("head");
  out.empty("meta", {{"charset", "utf-8"}});
  out.empty("meta", {{"name", "viewport"}, {"content", "width=device-width, initial-scale=1"}});
  out.element("title", {}, "Settlement: " + title_line(*input.project, 0));
  out.element("style", {},
              std::string(page_style()) + std::string(kProjectStyle) +
                  (input.study ? std::string(study_style()) : std::string()));
  out.close();
  out.open("body");
  write_heading(out, input, map);
  write_warnings(out, input);
  write_point_table(out, input);
  write_map_section(out, input, map);
  write_section_part(out, input);
  write_stress_part(out, input);
  write_time_part(out, input);
  write_distortion_part(out, input, map);
  if (input.study) write_study_part(out, *input.project, *input.study);
  write_load_table(out, *input.project);
  out.element("p", {{"class", "note"}},
              "Drawn by settle-plot " SETTLE_VERSION " from " + input.title.input_name +
                  ". Its numbers at the points are those of the results file that settle "
                  "writes for the same project.");
  out.close();
  out.close();
}

void write_project_plan_file(std::ostream& stream, const ProjectPageInput& input,
                             const SettlementMap& map) {
  XmlWriter out(stream);
  out.markup("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  write_project_plan(out, input, map);
}

}  // namespace plot
