// Placeholder until implemented.
#include "analysis/soil_profile.h"

namespace analysis {
std::int32_t start_sublayer_of(const problem::ProblemData&, std::int32_t) { return 0; }
std::int64_t count_sublayers(const problem::ProblemData&) { return 0; }
void form_sublayers(problem::ProblemData&) {}
void compute_initial_strains(problem::ProblemData&) {}
}  // namespace analysis
