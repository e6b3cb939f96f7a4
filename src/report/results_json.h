// The results file of a site project, PROJECT.results.json: every point's
// total and sublayers, its settlement in time where the project asks for it,
// and the warnings, with the keys the project's users and tools read.
#pragma once

#include <ostream>
#include <vector>

#include "analysis/site_results.h"
#include "site/diagnostic.h"
#include "site/project.h"
#include "site/value_tree.h"

namespace report {

// The results as a value tree: numbers of the classic method in the fewest
// digits of their single precision, those of the exact method in the fewest
// digits of their double precision.
site::Tree results_tree(const site::Project& project, const analysis::SiteResults& results,
                        const std::vector<site::Diagnostic>& warnings);

// The same, written as JSON indented by two blanks.
void write_results_json(std::ostream& out, const site::Project& project,
                        const analysis::SiteResults& results,
                        const std::vector<site::Diagnostic>& warnings);

// The name a point or load goes by in the results: its own, or its position
// from 1.
std::string shown_name(const std::optional<std::string>& name, std::size_t position);

}  // namespace report
