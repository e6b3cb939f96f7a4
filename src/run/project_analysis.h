// The one sequence that every program runs on a site project: read and check
// it, form the profile of its method, analyse it. settle writes the results
// file and the project's report from the outcome, settle-plot its page, the
// Python module its values.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/classic_profile.h"
#include "analysis/exact_profile.h"
#include "analysis/site_results.h"
#include "project/project_file.h"
#include "site/diagnostic.h"
#include "site/project.h"

namespace run {

struct ProjectAnalysis {
  site::Project project;
  // Those of the reading and the checks, then those of the analysis, in this
  // order; an error among them stops the run.
  std::vector<site::Diagnostic> diagnostics;
  std::optional<analysis::ClassicProfile> classic;  // the profile of the method used
  std::optional<analysis::ExactProfile> exact;
  std::optional<analysis::SiteResults> results;  // when nothing stopped the run

  bool stopped() const { return !results.has_value(); }
};

// Prepares and analyses a project read without errors, by its method.
ProjectAnalysis analyse_project(project::ProjectReading reading);

// Prepares and, unless `analyse` is false, analyses the project file whose
// text is `text`, in `form`.
ProjectAnalysis analyse_project_text(std::string_view text, project::Form form,
                                     bool analyse = true);

// The text of the project file `name`, or the error that refuses a file
// larger than project::kMaxProjectBytes before its contents take memory. A
// file that cannot be opened or read raises layout::FatalError.
struct ProjectText {
  std::string text;
  std::optional<site::Diagnostic> refusal;
};
ProjectText read_project_file(const std::string& name);

}  // namespace run
