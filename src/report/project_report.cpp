// The project's report, table by table: the heading, the inputs, the initial
// stresses, the results by point, the settlement in time and the warnings.
#include "report/project_report.h"

#include <string>

#include "report/project_inputs.h"
#include "report/project_loads.h"
#include "report/project_results.h"
#include "report/quantity_text.h"
#include "report/text_table.h"

namespace report {
namespace {

void write_banner(layout::RecordWriter& report, const site::Project& project) {
  report.put("");
  report.put("                  ******************************************");
  report.put("                  *                                        *");
  report.put("                  *        SITE SETTLEMENT ANALYSIS        *");
  report.put("                  *                                        *");
  report.put("                  ******************************************");
  report.put("");
  report.put("");
  for (const std::string& line : project.title) put_note(report, line);
}

void write_control_table(layout::RecordWriter& report, TableTitles& titles,
                         const site::Project& project, const analysis::SiteResults& results,
                         const std::string& file_name, const QuantityText& q) {
  titles.write(report, "PROJECT CONTROL PARAMETERS");
  put_entry(report, "PROGRAM", "SETTLE " SETTLE_VERSION);
  put_entry(report, "PROJECT FILE", file_name);
  const bool us = project.units == site::Units::kUs;
  put_entry(report, "UNITS", us ? "US (FT, KSF, PCF, IN)" : "SI (M, KPA, KN/M3, MM)");
  put_entry(report, "TIME UNIT", q.time_unit());
  put_entry(report, "METHOD",
            project.analysis.method == site::Method::kExact
                ? "EXACT (DOUBLE PRECISION, CLOSED FORMS)"
                : "CLASSIC (SINGLE PRECISION, HALF-UNIT SUBLAYERS)");
  put_entry(report, "MAXIMUM SUBLAYER THICKNESS, " + std::string(q.length_unit()),
            q.length(project.analysis.max_sublayer));
  put_entry(report, "NUMBER OF SOILS", std::to_string(project.soils.size()));
  put_entry(report, "NUMBER OF LAYERS", std::to_string(project.layers.size()));
  put_entry(report, "NUMBER OF SUBLAYERS", std::to_string(results.sublayers.size()));
  put_entry(report, "NUMBER OF SETTLEMENT POINTS", std::to_string(project.points.size()));
  put_entry(report, "NUMBER OF LOADS", std::to_string(project.loads.size()));
}

void write_warnings(layout::RecordWriter& report, TableTitles& titles,
                    const std::vector<site::Diagnostic>& diagnostics) {
  titles.write(report, "WARNINGS");
  int count = 0;
  for (const site::Diagnostic& d : diagnostics) {
    if (d.severity != site::Severity::kWarning) continue;
    std::string line = std::to_string(++count) + ". ";
    if (!d.path.empty()) line += d.path;
    if (d.line > 0) line += " (line " + std::to_string(d.line) + ")";
    if (!d.path.empty() || d.line > 0) line += ": ";
    put_note(report, line + d.message);
  }
  if (count == 0) put_note(report, "NO WARNINGS.");
}

}  // namespace

void write_project_report(layout::RecordWriter& report, const site::Project& project,
                          const analysis::SiteResults& results,
                          const std::vector<site::Diagnostic>& warnings,
                          const std::string& file_name) {
  const QuantityText q(project);
  TableTitles titles;
  write_banner(report, project);
  write_control_table(report, titles, project, results, file_name, q);
  write_soil_table(report, titles, project, q);
  write_generated_curves(report, titles, project, results, q);
  write_layer_tables(report, titles, project, q);
  write_point_table(report, titles, project, q);
  write_load_tables(report, titles, project, q);
  write_consolidation_table(report, titles, project, q);
  write_initial_stresses(report, titles, project, results, q);
  write_point_results(report, titles, project, results, q);
  write_time_results(report, titles, project, results, q);
  write_warnings(report, titles, warnings);
  report.put("");
  report.put("");
  put_note(report, "END OF THE REPORT OF " + file_name);
}

}  // namespace report
