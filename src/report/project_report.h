// The report of a site project, PROJECT.report.txt: its inputs, the initial
// stresses by sublayer, the results by point and sublayer, the settlement in
// time, in the house style of the archived report.
#pragma once

#include <string>
#include <vector>

#include "analysis/site_results.h"
#include "layout/record_writer.h"
#include "site/diagnostic.h"
#include "site/project.h"

namespace report {

// `file_name` is the project file's, as the run was given it.
void write_project_report(layout::RecordWriter& report, const site::Project& project,
                          const analysis::SiteResults& results,
                          const std::vector<site::Diagnostic>& warnings,
                          const std::string& file_name);

}  // namespace report
