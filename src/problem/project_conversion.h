// The archived problem as a site project for the classic method: the one
// mapping, used by every run of an archived file and by `settle convert`.
#pragma once

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

// The project of a problem read to its end (or built and derived).
ProjectConversion to_project(const ProblemData& problem);

}  // namespace problem
