// Placeholder until implemented.
#include "analysis/stress_increase.h"

namespace analysis {
void compute_stress_increase(const problem::ProblemData&, AnalysisResults&, layout::RecordWriter&) {}
void average_stress_increase(const problem::ProblemData&, AnalysisResults&) {}
}  // namespace analysis
