// The project's report, table by table.
#include "report/project_report.h"

#include <charconv>

namespace report {

void write_project_report(layout::RecordWriter& report, const site::Project& project,
                          const analysis::SiteResults& results,
                          const std::vector<site::Diagnostic>&, const std::string& file_name) {
  report.put("SETTLEMENT OF " + file_name);
  for (const std::string& line : project.title) report.put(line);
  for (std::size_t j = 0; j < results.points.size(); ++j) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, results.points[j].settlement).ptr;
    report.put("point " + std::to_string(j + 1) + ": " + std::string(text, end));
  }
}

}  // namespace report
