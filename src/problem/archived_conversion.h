// A site project back as an archived problem, for `settle convert`: every
// value the archived file holds, or the first key it cannot.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "problem/problem_data.h"
#include "problem/project_conversion.h"
#include "site/diagnostic.h"
#include "site/project.h"

namespace problem {

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
