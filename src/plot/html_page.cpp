// The page around the drawings: what the problem is, what to look at, and
// the numbers behind the pictures.
#include "plot/html_page.h"

#include <algorithm>
#include <string>

#include "plot/depth_profiles.h"
#include "plot/map_section.h"
#include "plot/page_text.h"
#include "plot/plan_view.h"
#include "plot/section.h"
#include "plot/settlement_map.h"
#include "plot/soil_column.h"
#include "plot/xml_writer.h"
#include "problem/indexed_table.h"

namespace plot {
namespace {

// On screen a column of text and drawings; printed, landscape, the map, the
// section and the profiles each on a page of their own, scaled to fit it.
constexpr std::string_view kStyle =
    "body{font-family:Helvetica,Arial,'Liberation Sans',sans-serif;color:#000;background:#fff;"
    "max-width:1200px;margin:0 auto;padding:12px 20px;line-height:1.4}"
    "h1{font-size:24px;margin:8px 0 0}h2{font-size:19px;margin:28px 0 6px;border-bottom:1px solid "
    "#999}"
    "p{margin:6px 0}.subtitle{font-size:17px;margin-top:0}"
    "svg{max-width:100%;height:auto;display:block}"
    ".profiles{display:flex;flex-wrap:wrap;gap:8px 10px;align-items:flex-start}"
    "table{border-collapse:collapse;margin:6px 0}th,td{border:1px solid #999;padding:3px 9px}"
    "th{background:#eee}td.n{text-align:right;font-variant-numeric:tabular-nums}"
    "table.title-block{margin:10px 0}table.title-block th{text-align:left}"
    "td.sha256{font-family:'DejaVu Sans Mono',Menlo,Consolas,monospace;font-size:13px}"
    "tr.flagged td{background:#f3e8f7}tr.flagged td.beyond{font-weight:bold;color:#5e3c99}"
    ".note{font-size:14px}"
    // Printed, landscape on A4 or letter (the smaller of each side: 263 x
    // 194 mm inside the margins): a cover page of the title block and the
    // tables, then the map, the stress map and the section each on a page of
    // its own, filled, and the profiles six to a page. No text below 7 pt:
    // the drawings are printed at about a quarter of a millimetre a pixel.
    "@page{size:landscape;margin:8mm}"
    "@media print{body{max-width:none;padding:0;font-size:9pt;line-height:1.25}"
    "h1{font-size:16pt;margin:0}.subtitle{font-size:12pt}h2{margin:0 0 2mm;font-size:13pt}"
    "p{margin:1.5mm 0}.note{font-size:8pt}table{font-size:8pt;margin:1mm 0}"
    "th,td{padding:0.3mm 1.5mm}td.sha256{font-size:8pt}ul.warnings{font-size:8pt;margin:1mm 0}"
    "h2{margin-top:3mm}section h2{margin-top:0}table.title-block{margin:1mm 0}"
    "section.map-page p,section.stress-page p{font-size:9pt;margin:1mm 0}"
    "section.map-page p.drawn{display:none}"
    "section.map-page,section.stress-page,section.section-page,section.profiles-page{"
    "break-before:page;page-break-before:always}"
    "svg.plan{width:auto;height:auto;max-width:100%;max-height:158mm;break-inside:avoid}"
    "svg.section-chart{width:auto;height:auto;max-width:100%;max-height:160mm;"
    "break-inside:avoid}"
    ".profiles{gap:2mm}.profiles svg.profile{width:72mm;height:auto;break-inside:avoid}"
    ".profiles.few svg.profile{width:110mm}.profiles.one svg.profile{width:125mm}"
    ".profiles svg.soil-column{width:40mm;height:auto}.profiles.one svg.soil-column{width:66mm}"
    "svg.key{width:200mm;height:auto}"
    "tr{break-inside:avoid}}";

}  // namespace

std::string_view page_style() { return kStyle; }

namespace {

std::string_view shape_name(std::int32_t shape) {
  if (shape == problem::kCircle) return "circle";
  if (shape == problem::kSpreadArea) return "spread area";
  return "rectangle";
}

void write_title_block(XmlWriter& out, const problem::ProblemData& problem,
                       const TitleBlock& title) {
  out.open("table", {{"class", "title-block"}});
  const auto row = [&](std::string_view heading, std::string_view css_class,
                       const std::string& value) {
    out.open("tr");
    out.element("th", {}, heading);
    out.element("td", {{"class", std::string(css_class)}}, value);
    out.close();
  };
  row("Problem", "problem-title",
      std::string(trimmed(problem.title[0].view())) + " / " +
          std::string(trimmed(problem.title[1].view())));
  row("Problem file", "input-name", title.input_name);
  row("SHA-256 of the problem file", "sha256", title.sha256);
  row("Drawn by", "program", "settle-plot " SETTLE_VERSION);
  row("Date", "date", title.date);
  out.close();
}

void write_heading(XmlWriter& out, const problem::ProblemData& problem,
                   const analysis::AnalysisResults& results, const PageInput& input,
                   const SettlementMap& map) {
  const UnitNames units = unit_names(problem.unit_system);
  out.element("h1", {}, std::string(trimmed(problem.title[0].view())));
  out.element("p", {{"class", "subtitle"}}, std::string(trimmed(problem.title[1].view())));
  write_title_block(out, problem, input.title);
  out.element("p", {},
              "Units: " + std::string(units.system) + ". " +
                  plural(problem.layer_count, "soil layer", "soil layers") + ", " +
                  plural(problem.curve_count, "compressibility curve", "compressibility curves") +
                  ", " + plural(problem.point_count, "settlement point", "settlement points") +
                  ", " + plural(problem.area_count, "loaded area", "loaded areas") + ", " +
                  plural(problem.spread_area_count, "spread area", "spread areas") + ", " +
                  plural(input.profile->sublayer_count(), "sublayer", "sublayers") + " of 0.5 " +
                  std::string(units.length) + ".");
  if (problem.point_count >= 1) {
    const int most = most_settled_point(problem, results);
    out.open("p", {{"class", "headline"}});
    out.text("Largest total settlement: ");
    out.element_inline("strong", {{"class", "settlement"}, {"data-position", std::to_string(most)}},
                       settlement_text(results.total_settlement[most]));
    out.text(" " + std::string(units.settlement) + " at point " +
             std::to_string(problem.points[most].point_number) + ".");
    out.close();
  }
  if (map.has_grid && map.unbounded_nodes == 0) {
    std::size_t most = 0;
    const auto& values = map.grid.values;
    for (std::size_t k = 1; k < values.size(); ++k) {
      if (values[k] > values[most]) most = k;
    }
    const auto columns = static_cast<std::size_t>(map.grid.columns);
    const float x = input.map.grid.x(static_cast<int>(most % columns));
    const float y = input.map.grid.y(static_cast<int>(most / columns));
    out.element("p", {{"class", "map-headline"}},
                "Largest on the settlement map: " + decimal(static_cast<float>(values[most]), 3) +
                    " " + std::string(units.settlement) + " at the node (" + decimal(x, 2) + ", " +
                    decimal(y, 2) + "), with settlement starting at layer " +
                    std::to_string(input.map.start_layer) + ".");
  }
}

// Strain warnings of each point (position 1..150): final pressures below and
// above the range of a point curve.
struct WarningCounts {
  problem::IndexedTable<int, problem::kMaxPoints> below;
  problem::IndexedTable<int, problem::kMaxPoints> above;
};

WarningCounts count_warnings(const analysis::AnalysisResults& results) {
  WarningCounts counts;
  for (const analysis::StrainWarning& warning : results.strain_warnings) {
    const bool below = warning.side == analysis::CurveSide::kBelow;
    ++(below ? counts.below : counts.above)[warning.point];
  }
  return counts;
}

void write_point_table(XmlWriter& out, const problem::ProblemData& problem,
                       const analysis::AnalysisResults& results, const WarningCounts& warnings) {
  const UnitNames units = unit_names(problem.unit_system);
  out.element("h2", {}, "Settlement points");
  out.open("table", {{"class", "points"}});
  out.open("tr");
  for (const std::string& heading :
       {std::string("Point no."), "x (" + std::string(units.length) + ")",
        "y (" + std::string(units.length) + ")", std::string("Start layer"),
        "Total settlement (" + std::string(units.settlement) + ")",
        std::string("Sublayers with a final pressure outside their curve")}) {
    out.element("th", {}, heading);
  }
  out.close();
  for (int j = 1; j <= problem.point_count; ++j) {
    const auto& point = problem.points[j];
    out.open("tr");
    out.element("td", {{"class", "n"}}, std::to_string(point.point_number));
    out.element("td", {{"class", "n"}}, decimal(point.x, 2));
    out.element("td", {{"class", "n"}}, decimal(point.y, 2));
    out.element("td", {{"class", "n"}}, std::to_string(point.start_layer));
    out.element("td", {{"class", "n settlement"}, {"data-position", std::to_string(j)}},
                settlement_text(results.total_settlement[j]));
    std::string outside;
    if (warnings.below[j] > 0) outside += std::to_string(warnings.below[j]) + " below its range";
    if (warnings.above[j] > 0) {
      outside +=
          (outside.empty() ? "" : ", ") + std::to_string(warnings.above[j]) + " above its range";
    }
    out.element("td", {{"class", "outside"}, {"data-position", std::to_string(j)}},
                outside.empty() ? "none" : outside);
    out.close();
  }
  out.close();
}

// Printed, six profiles to a page beside the soil column; fewer are drawn
// larger, so that the page is filled.
constexpr int kProfilesPerPage = 6;

void write_profiles(XmlWriter& out, const problem::ProblemData& problem,
                    const analysis::ClassicProfile& profile,
                    const analysis::AnalysisResults& results) {
  if (problem.point_count < 1) return;
  const int shown = std::min(problem.point_count, kMaxProfiles);
  for (int first = 1; first <= shown; first += kProfilesPerPage) {
    const int last = std::min(shown, first + kProfilesPerPage - 1);
    out.open("section", {{"class", "profiles-page"}});
    if (first == 1) {
      out.element("h2", {}, "Depth profiles");
      if (shown < problem.point_count) {
        out.element("p", {{"class", "note"}},
                    "Profiles of the first " + std::to_string(shown) + " of " +
                        std::to_string(problem.point_count) +
                        " points; Tables 6 and 7 of the report hold every point.");
      }
      out.element("p", {},
                  "Depth grows downward, on the scale of the soil column at the left. The red "
                  "line is the settlement of all soil below each depth; it reaches the point's "
                  "total settlement at the top. The shaded band, where present, lies above the "
                  "point's start layer and takes no part in its settlement.");
    } else {
      out.element("h2", {}, "Depth profiles, continued");
    }
    write_profile_key(out, problem.unit_system);
    const int count = last - first + 1;
    out.open("div", {{"class", count == 1   ? "profiles one"
                               : count <= 2 ? "profiles few"
                                            : "profiles"}});
    write_soil_column(out, problem, profile);
    for (int j = first; j <= last; ++j) write_depth_profile(out, problem, profile, results, j);
    out.close();
    out.close();
  }
}

void write_area_table(XmlWriter& out, const problem::ProblemData& problem) {
  if (problem.total_area_count() < 1) return;
  const UnitNames units = unit_names(problem.unit_system);
  const std::string length(units.length);
  out.element("h2", {}, "Loaded areas");
  out.open("table", {{"class", "areas"}});
  out.open("tr");
  for (const std::string& heading :
       {std::string("Area"), std::string("Shape"), "Centre x (" + length + ")",
        "Centre y (" + length + ")", "X length (" + length + ")", "Y length (" + length + ")",
        std::string("Slope"),
        "Loading (" + std::string(units.pressure) + ") or total load (" + std::string(units.force) +
            ")",
        "Elevation (" + length + ")"}) {
    out.element("th", {}, heading);
  }
  out.close();
  for (int i = 1; i <= problem.total_area_count(); ++i) {
    const auto& area = problem.areas[i];
    const bool spread = area.shape == problem::kSpreadArea;
    out.open("tr");
    out.element("td", {}, area_label(problem, i));
    out.element("td", {}, std::string(shape_name(area.shape)));
    out.element("td", {{"class", "n"}}, decimal(area.x, 2));
    out.element("td", {{"class", "n"}}, decimal(area.y, 2));
    out.element("td", {{"class", "n"}}, decimal(area.x_length, 2));
    out.element("td", {{"class", "n"}},
                area.shape == problem::kCircle ? "" : decimal(area.y_length, 2));
    out.element("td", {{"class", "n"}},
                spread || area.shape == problem::kCircle ? "" : decimal(area.area_slope, 3));
    out.element(
        "td", {{"class", "n"}},
        decimal(area.loading, 3) + (spread ? " " + std::string(units.force) : std::string()));
    out.element("td", {{"class", "n"}}, decimal(area.elevation, 2));
    out.close();
  }
  out.close();
}

void write_warnings(XmlWriter& out, const std::string& input_name,
                    const std::vector<PageWarning>& warnings,
                    const std::vector<MapWarning>& map_warnings) {
  if (warnings.empty() && map_warnings.empty()) return;
  out.element("h2", {}, "Warnings");
  out.element("p", {},
              "Values of " + input_name +
                  " that the program accepts but that are almost certainly mistakes, and the "
                  "points whose final pressures fall outside their compressibility curve. The "
                  "console of the run shows the same.");
  out.open("ul", {{"class", "warnings"}});
  for (const PageWarning& warning : warnings) {
    out.element("li", {{"class", "warning"}, {"data-line", std::to_string(warning.line)}},
                (warning.line > 0 ? "Line " + std::to_string(warning.line) + ": " : std::string()) +
                    warning.text);
  }
  // The map's own, which only settle-plot gives.
  for (const MapWarning& warning : map_warnings)
    out.element("li", {{"class", "map-warning"}}, "Settlement map: " + warning.text);
  out.close();
}

}  // namespace

void write_page(std::ostream& stream, const problem::ProblemData& problem,
                const analysis::AnalysisResults& results, const PageInput& input,
                const SettlementMap& map, const SettlementMap* stress_map) {
  XmlWriter out(stream);
  out.markup("<!DOCTYPE html>");
  out.open("html", {{"xmlns", "http://www.w3.org/1999/xhtml"}, {"lang", "en"}, {"xml:lang", "en"}});
  out.open("head");
  out.empty("meta", {{"charset", "utf-8"}});
  out.empty("meta", {{"name", "viewport"}, {"content", "width=device-width, initial-scale=1"}});
  out.element("title", {}, "Settlement: " + std::string(trimmed(problem.title[0].view())));
  out.element("style", {}, kStyle);
  out.close();
  out.open("body");
  // The cover page (printed): what the problem is, what went wrong, its
  // points; then the drawings, each a page; the tables that may run over
  // pages, the distortion and the areas, last.
  write_heading(out, problem, results, input, map);
  write_warnings(out, input.title.input_name, input.warnings, input.map_warnings);
  write_point_table(out, problem, results, count_warnings(results));
  write_map_section(out, problem, results, input, map);
  if (stress_map) write_stress_section(out, problem, results, input, *stress_map);
  write_section_view(out, problem, input);
  write_profiles(out, problem, *input.profile, results);
  write_distortion_section(out, problem, results, map);
  write_area_table(out, problem);
  out.element("p", {{"class", "note"}},
              "Drawn by settle-plot " SETTLE_VERSION " from " + input.title.input_name +
                  ". Its numbers at the points are those of Tables 6 and 7 of the report that "
                  "settle writes for the same problem.");
  out.close();
  out.close();
}

void write_plan_file(std::ostream& stream, const problem::ProblemData& problem,
                     const analysis::AnalysisResults& results, const SettlementMap& map) {
  XmlWriter out(stream);
  out.markup("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  write_plan_view(out, problem, results, map);
}

}  // namespace plot
