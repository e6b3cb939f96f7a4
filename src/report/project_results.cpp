// The result tables of the project report.
#include "report/project_results.h"

#include <optional>
#include <string>
#include <variant>

#include "report/project_inputs.h"

namespace report {
namespace {

// "POINT 2 - T1-edge" or "POINT 2".
std::string point_label(const site::Project& project, std::size_t j) {
  std::string label = "POINT " + std::to_string(j + 1);
  if (project.points[j].name) label += " - " + *project.points[j].name;
  return label;
}

bool is_index_layer(const site::Project& project, std::size_t layer) {
  const soils::Soil* soil = soil_of_layer(project, layer);
  return soil != nullptr && std::holds_alternative<soils::IndexSoil>(soil->model);
}

void write_sublayer_table(layout::RecordWriter& out, const site::Project& project,
                          const analysis::SiteResults& results, const analysis::ResultPoint& point,
                          const QuantityText& q) {
  const std::string length(q.length_unit());
  const std::string pressure(q.pressure_unit());
  TextTable table({{{"SUBLAYER", "NO."}},
                   {{"LAYER", "NO."}},
                   {{"DEPTH OF", "CENTRE", length}},
                   {{"INITIAL", "SIGMA'0", pressure}},
                   {{"PRECONS.", "SIGMA'P*", pressure}},
                   {{"STRESS", "INCREASE", pressure}},
                   {{"WATER", "CHANGE", pressure}},
                   {{"FINAL", "SIGMA'", pressure}},
                   {{"STRAIN", "%"}},
                   {{"SETTLEMENT", std::string(q.settlement_unit())}}});
  for (std::size_t s = point.first_counted; s < results.sublayers.size(); ++s) {
    const analysis::ResultSublayer& sublayer = results.sublayers[s];
    const double final_stress =
        sublayer.sigma_eff0 + point.stress_increase[s] + sublayer.water_change;
    table.add_row({std::to_string(s + 1), std::to_string(sublayer.layer + 1),
                   q.length(0.5 * (sublayer.top + sublayer.bottom)),
                   q.pressure(sublayer.sigma_eff0),
                   is_index_layer(project, sublayer.layer) ? q.pressure(point.preconsolidation[s])
                                                           : std::string(),
                   q.pressure(point.stress_increase[s]), q.pressure(sublayer.water_change),
                   q.pressure(final_stress), q.percent_of(point.strain[s]),
                   q.settlement(point.settlement_of[s])});
  }
  table.add_row({"", "", "", "", "", "", "", "", "", ""});
  table.add_row({"TOTAL", "", "", "", "", "", "", "", "", q.settlement(point.settlement)});
  table.write(out);
}

std::string time_or_not_reached(const std::optional<double>& time, const QuantityText& q) {
  return time ? q.time(*time) : "NOT REACHED";
}

}  // namespace

void write_initial_stresses(layout::RecordWriter& out, TableTitles& titles, const site::Project&,
                            const analysis::SiteResults& results, const QuantityText& q) {
  const std::string length(q.length_unit());
  const std::string pressure(q.pressure_unit());
  titles.write(out, "INITIAL STRESSES BY SUBLAYER");
  TextTable table({{{"SUBLAYER", "NO."}},
                   {{"LAYER", "NO."}},
                   {{"TOP", length}},
                   {{"BOTTOM", length}},
                   {{"TOTAL", "SIGMA_V0", pressure}},
                   {{"PORE", "U0", pressure}},
                   {{"EFFECTIVE", "SIGMA'0", pressure}},
                   {{"WATER", "CHANGE*", pressure}}});
  for (std::size_t s = 0; s < results.sublayers.size(); ++s) {
    const analysis::ResultSublayer& sublayer = results.sublayers[s];
    table.add_row({std::to_string(s + 1), std::to_string(sublayer.layer + 1),
                   q.length(sublayer.top), q.length(sublayer.bottom), q.pressure(sublayer.sigma_v0),
                   q.pressure(sublayer.u0), q.pressure(sublayer.sigma_eff0),
                   q.pressure(sublayer.water_change)});
  }
  table.write(out);
  out.put("");
  put_note(out, "STRESSES AT THE SUBLAYER'S CENTRE.");
  put_note(out, "* U0 - UF: THE EFFECTIVE STRESS THE FINAL WATER TABLE ADDS (NEGATIVE: A RISE)");
}

void write_point_results(layout::RecordWriter& out, TableTitles& titles,
                         const site::Project& project, const analysis::SiteResults& results,
                         const QuantityText& q) {
  const std::string length(q.length_unit());
  titles.write(out, "TOTAL SETTLEMENT BY POINT");
  TextTable totals({{{"POINT", "NO."}},
                    {{"NAME"}, Align::kLeft},
                    {{"X", length}},
                    {{"Y", length}},
                    {{"SETTLEMENT", std::string(q.settlement_unit())}}});
  for (std::size_t j = 0; j < results.points.size(); ++j) {
    const site::Point& point = project.points[j];
    totals.add_row({std::to_string(j + 1), point.name.value_or(""), q.length(point.x),
                    q.length(point.y), q.settlement(results.points[j].settlement)});
  }
  totals.write(out);

  for (std::size_t j = 0; j < results.points.size(); ++j) {
    const analysis::ResultPoint& point = results.points[j];
    titles.write(out, "SETTLEMENT BY SUBLAYER, " + point_label(project, j));
    if (point.first_counted >= results.sublayers.size()) {
      put_note(out, "NO SUBLAYER IS COUNTED UNDER THIS POINT.");
      continue;
    }
    const std::size_t first_layer = results.sublayers[point.first_counted].layer;
    put_note(out, "COUNTED FROM LAYER " + std::to_string(first_layer + 1) + " (SUBLAYER " +
                      std::to_string(point.first_counted + 1) +
                      ") DOWN; X = " + q.length(project.points[j].x) + " " + length +
                      ", Y = " + q.length(project.points[j].y) + " " + length);
    out.put("");
    write_sublayer_table(out, project, results, point, q);
    out.put("");
    put_note(out, "* SIGMA'P OF INDEX SOILS ONLY, NEVER BELOW SIGMA'0.");
    put_note(out, "  FINAL SIGMA' = SIGMA'0 + STRESS INCREASE + WATER CHANGE.");
    put_note(out, "  STRAIN AND SETTLEMENT POSITIVE IN COMPRESSION.");
  }
}

void write_time_results(layout::RecordWriter& out, TableTitles& titles,
                        const site::Project& project, const analysis::SiteResults& results,
                        const QuantityText& q) {
  const std::string time(q.time_unit());
  const std::string settlement(q.settlement_unit());
  for (std::size_t j = 0; j < results.points.size(); ++j) {
    if (!results.points[j].time) continue;
    const consolidation::PointHistory& history = *results.points[j].time;
    titles.write(out, "SETTLEMENT IN TIME, " + point_label(project, j));
    TextTable table({{{"TIME", time}},
                     {{"PRIMARY", settlement}},
                     {{"SECONDARY", settlement}},
                     {{"TOTAL", settlement}},
                     {{"DEGREE OF", "CONSOLIDATION", "%"}}});
    for (const consolidation::TimeState& state : history.states)
      table.add_row({q.time(state.time), q.settlement(state.primary), q.settlement(state.secondary),
                     q.settlement(state.total),
                     state.degree ? q.degree_percent(*state.degree) : std::string()});
    table.write(out);
    out.put("");
    put_entry(out, "FINAL PRIMARY SETTLEMENT, " + settlement, q.settlement(history.final_primary));
    put_entry(out, "TIME TO 50 % OF THE PRIMARY, T50, " + time,
              time_or_not_reached(history.t50, q));
    put_entry(out, "TIME TO 90 % OF THE PRIMARY, T90, " + time,
              time_or_not_reached(history.t90, q));
    put_entry(out, "TIME TO 95 % OF THE PRIMARY, T95, " + time,
              time_or_not_reached(history.t95, q));
  }
}

}  // namespace report
