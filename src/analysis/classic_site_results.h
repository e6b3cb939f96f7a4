// The classic method's results as the results of a site project: the
// archived arithmetic's sublayers, stresses and settlements in the form the
// results file, the project's report and Python read.
#pragma once

#include "analysis/analysis_results.h"
#include "analysis/classic_profile.h"
#include "analysis/site_results.h"
#include "site/project.h"

namespace analysis {

// Each single-precision value widened exactly; a sublayer's strain is its
// settlement over its thickness and thickness factor. The strain warnings
// become one warning a point.
SiteResults classic_site_results(const site::Project& project, const ClassicProfile& profile,
                                 const AnalysisResults& results);

}  // namespace analysis
