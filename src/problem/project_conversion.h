// The archived problem as a site project for the classic method, and a
// project back as an archived problem: the one mapping between the two, used
// by every run of an archived file and by `settle convert`.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "problem/problem_data.h"
#include "site/diagnostic.h"
#include "site/project.h"

namespace problem {

// A value of the archived file that means nothing, or cannot be kept, in a
// project, and what the conversion made of it: the key it concerns and why
// the report of the project written back will differ from the original's.
struct ConversionNote {
  std::string path;
  std::string message;
};

// `project` holds every value the analysis and the report of the archived
// file use, each so that the classic method gets the archived file's single
// precision value back bit for bit, and written in the fewest digits that do
// (analysis::classic_real, classic_fraction, classic_mass_density). Curves
// become soils "curve_1", "curve_2", ... in their order, areas loads in
// theirs.
struct ProjectConversion {
  site::Project project;
  std::vector<ConversionNote> notes;
};

// What the project is for: the analysis of the archived file, which keeps a
// start layer outside the profile as read (it counts every layer, and
// settle-plot words it as given), or a project file, which holds 0 there.
enum class ConversionPurpose { kAnalysis, kFile };

// The project of a problem read to its end (or built and derived).
ProjectConversion to_project(const ProblemData& problem,
                             ConversionPurpose purpose = ConversionPurpose::kAnalysis);

// The archived problem of a project, or the first key the archived file
// cannot hold (a load or soil kind it has not, a count past its tables, a
// value too large for single precision, a name longer than an identifier).
struct ArchivedConversion {
  std::unique_ptr<ProblemData> problem;
  std::optional<site::Diagnostic> refusal;
  std::vector<ConversionNote> notes;  // what holds, but reads differently
};
ArchivedConversion to_archived(const site::Project& project);

}  // namespace problem
